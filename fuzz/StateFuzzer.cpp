// Any bytes as a stored project state: setState and setComponentState take them as a host
// does when it opens a project; afterwards every parameter is a normalised value, the state
// read back is well formed and in range, and reading that back changes nothing.
#include "FuzzCheck.h"
#include "LinkedPlugin.h"
#include "StateRanges.h"

#include <string>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    vevadur::host::PluginInstance& plugin = linkedPlugin();
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
