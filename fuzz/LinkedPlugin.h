// The plug-in linked into a harness, driven through our host as a host drives it. Created once
// per process: a host keeps its instance across projects too.
#pragma once

#include "FuzzCheck.h"

#include "host/PluginInstance.h"
#include "host/PluginModule.h"
#include "vst3/PluginFactory.h"

#include <memory>
#include <string>

inline vevadur::host::PluginInstance& linkedPlugin()
{
    using namespace Steinberg::Vst;
    static std::unique_ptr<vevadur::host::PluginModule> module =
        vevadur::host::PluginModule::linkedIn(
            Veru2ZOR3::acquirePluginFactory(&Veru2ZOR3::registerProcessorClass));
    static std::unique_ptr<vevadur::host::PluginInstance> created = [&]
    {
        std::string error;
        auto made = vevadur::host::PluginInstance::create(*module, "", error);
        FUZZ_CHECK(made != nullptr, "%s", error.c_str());
        return made;
    }();
    return *created;
}
