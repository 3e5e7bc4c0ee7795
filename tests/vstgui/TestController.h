#pragma once

#include "public.sdk/source/vst/vsteditcontroller.h"

#include <vector>

// Records what an edit controller tells its host.
class RecordingHandler : public Steinberg::Vst::IComponentHandler
{
  public:
    struct Event
    {
        char kind; // 'b' begin, 'p' perform, 'e' end
        Steinberg::Vst::ParamID id;
        Steinberg::Vst::ParamValue value;
    };

    Steinberg::tresult PLUGIN_API beginEdit(Steinberg::Vst::ParamID id) override;
    Steinberg::tresult PLUGIN_API performEdit(Steinberg::Vst::ParamID id,
                                              Steinberg::Vst::ParamValue value) override;
    Steinberg::tresult PLUGIN_API endEdit(Steinberg::Vst::ParamID id) override;
    Steinberg::tresult PLUGIN_API restartComponent(Steinberg::int32) override
    {
        return Steinberg::kResultOk;
    }
    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
    Steinberg::uint32 PLUGIN_API addRef() override { return 1; }
    Steinberg::uint32 PLUGIN_API release() override { return 1; }

    int count(char kind) const;
    std::vector<Event> events;
};

// An edit controller with the room effect's thirteen parameters (ids 0 to 12): the same
// names, ranges, steps, value names and units, built from the SDK's parameter classes.
class TestController : public Steinberg::Vst::EditController
{
  public:
    TestController();
    RecordingHandler handler;
};
