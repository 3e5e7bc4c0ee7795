// The host side of the edit controller's component handler: what the plug-in reports (edits
// from its editor, restart requests) goes to the adapter, which turns it into VST2 host calls.
#pragma once

#include "pluginterfaces/vst/ivsteditcontroller.h"

namespace Steinberg
{
namespace Vst
{

class Vst2Adapter;

class Vst2ComponentHandler : public IComponentHandler
{
  public:
    explicit Vst2ComponentHandler(Vst2Adapter& adapter) : adapter(adapter) {}
    virtual ~Vst2ComponentHandler() = default;

    tresult PLUGIN_API beginEdit(ParamID id) SMTG_OVERRIDE;
    tresult PLUGIN_API performEdit(ParamID id, ParamValue valueNormalized) SMTG_OVERRIDE;
    tresult PLUGIN_API endEdit(ParamID id) SMTG_OVERRIDE;
    tresult PLUGIN_API restartComponent(int32 flags) SMTG_OVERRIDE;

    // Lives exactly as long as its adapter, which unregisters it before going; references
    // taken by the plug-in are therefore not counted.
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) SMTG_OVERRIDE;
    uint32 PLUGIN_API addRef() SMTG_OVERRIDE { return 1; }
    uint32 PLUGIN_API release() SMTG_OVERRIDE { return 1; }

  private:
    Vst2Adapter& adapter;
};

} // namespace Vst
} // namespace Steinberg
