// A component handler for tests: records what an edit controller tells its host.
#pragma once

#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <vector>

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

    // How many events of a kind were recorded.
    int count(char kind) const;
    // The last value performed on a parameter; -1 when none was.
    double lastValue(Steinberg::Vst::ParamID id) const;

    std::vector<Event> events;
};
