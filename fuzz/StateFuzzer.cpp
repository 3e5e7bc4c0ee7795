// Any bytes as a stored project state: setState and setComponentState take them as a host
// does when it opens a project; afterwards every parameter is a normalised value, the state
// read back is well formed and in range, and reading that back changes nothing.
#include "FuzzCheck.h"
#include "StateRanges.h"

#include "host/PluginInstance.h"
#include "host/PluginModule.h"
#include "vst3/PluginFactory.h"

#include <memory>
#include <string>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{
// The plug-in linked into the harness, created once: a host keeps its instance too.
vevadur::host::PluginInstance& instance()
{
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
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    vevadur::host::PluginInstance& plugin = instance();
    plugin.loadState(std::vector<uint8_t>(data, data + size));

    for (const ParameterInfo& info : plugin.parameters())
    {
        const ParamValue value = plugin.controller().getParamNormalized(info.id);
        FUZZ_CHECK(value >= 0.0 && value <= 1.0, "parameter %u holds %g", info.id, value);
    }
    const std::vector<uint8_t> saved = plugin.saveState();
    const char* fault = vevadur::fuzz::stateFault(saved);
    FUZZ_CHECK(fault == nullptr, "%s", fault);
    FUZZ_CHECK(plugin.loadState(saved) == kResultOk, "the state it wrote does not load");
    FUZZ_CHECK(plugin.saveState() == saved, "a saved state does not read back as itself");
    return 0;
}
