// Any text as the renderer's "--set TITLE=VALUE" argument: the command line either refuses it
// with a reason or turns it into a change of a writable parameter to a normalised value.
#include "FuzzCheck.h"
#include "LinkedPlugin.h"

#include "host/render/ParameterSetting.h"
#include "host/render/RenderOptions.h"

#include <string>

using namespace Steinberg;
using namespace Steinberg::Vst;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A command-line argument cannot hold a zero byte.
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (text.find('\0') != std::string::npos) return 0;

    vevadur::render::RenderOptions options;
    std::string error;
    if (!vevadur::render::parseOptions({"in.wav", "out.wav", "--set", text}, options, error))
    {
        FUZZ_CHECK(!error.empty(), "refused without a reason");
        return 0;
    }
    FUZZ_CHECK(options.settings.size() == 1, "one --set gave %zu settings",
               options.settings.size());
    const auto& [title, value] = options.settings[0];
    FUZZ_CHECK(title + "=" + value == text, "the setting is not the text split at its '='");

    vevadur::render::ParameterSetting setting;
    if (!vevadur::render::resolveSetting(linkedPlugin(), title, value, setting, error))
    {
        FUZZ_CHECK(!error.empty(), "refused without a reason");
        return 0;
    }
    FUZZ_CHECK(setting.normalized >= 0.0 && setting.normalized <= 1.0, "normalised value %g",
               setting.normalized);
    bool writable = false;
    for (const ParameterInfo& info : linkedPlugin().parameters())
        if (info.id == setting.id) writable = !(info.flags & ParameterInfo::kIsReadOnly);
    FUZZ_CHECK(writable, "parameter %u is not a writable parameter", setting.id);
    return 0;
}
