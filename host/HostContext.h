#pragma once

#include "pluginterfaces/vst/ivsthostapplication.h"

namespace vevadur::host
{

// The host application a plug-in sees in initialize: its name, and messages and attribute
// lists on request. Lives as long as the instance it was handed to; reference counting is a
// no-op because the owner controls its lifetime.
class HostContext : public Steinberg::Vst::IHostApplication
{
  public:
    HostContext() = default;
    virtual ~HostContext() = default;

    Steinberg::tresult PLUGIN_API getName(Steinberg::Vst::String128 name) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API createInstance(Steinberg::TUID cid, Steinberg::TUID iid,
                                                 void** obj) SMTG_OVERRIDE;

    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid,
                                                 void** obj) SMTG_OVERRIDE;
    Steinberg::uint32 PLUGIN_API addRef() SMTG_OVERRIDE { return 1; }
    Steinberg::uint32 PLUGIN_API release() SMTG_OVERRIDE { return 1; }
};

} // namespace vevadur::host
