// vevadur-editor: opens the VevadurROT plug-in's editor in a window, as a Linux or Windows host
// does.
//   vevadur-editor [--plugin BUNDLE] [--seconds N]
// Edits made in the editor are printed. The window closes with its close button, after N
// seconds when asked, or on Ctrl-C.
#include "host/PluginInstance.h"
#include "host/PluginModule.h"
#include "host/editor/ShowEditor.h"
#include "host/render/BundleLocation.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{
volatile std::sig_atomic_t g_stopRequested = 0;

void requestStop(int)
{
    g_stopRequested = 1;
}

struct Options
{
    std::string plugin;
    double seconds = 0; // 0: until closed
};

bool parse(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        if (arg == "--plugin" && i + 1 < argc)
            options.plugin = argv[++i];
        else if (arg == "--seconds" && i + 1 < argc)
            options.seconds = std::atof(argv[++i]);
        else
            return false;
    }
    return options.seconds >= 0;
}

int fail(const std::string& message)
{
    std::fprintf(stderr, "vevadur-editor: %s\n", message.c_str());
    return 1;
}
} // namespace

int main(int argc, char** argv)
{
    using namespace vevadur::host;
    Options options;
    if (!parse(argc, argv, options))
    {
        std::fprintf(stderr, "usage: vevadur-editor [--plugin BUNDLE] [--seconds N]\n");
        return 2;
    }
    const std::string bundle = vevadur::render::locateBundle(options.plugin);
    if (bundle.empty()) return fail("no plug-in bundle found; name one with --plugin");

    std::string error;
    auto module = PluginModule::load(bundle, error);
    if (!module) return fail(error);
    auto instance = PluginInstance::create(*module, "", error);
    if (!instance) return fail(error);

    Steinberg::IPtr<Steinberg::IPlugView> view =
        Steinberg::owned(instance->controller().createView(Steinberg::Vst::ViewType::kEditor));
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    size_t shown = 0;
    const auto printEdits = [&]
    {
        const auto& edits = instance->handler().edits();
        for (; shown < edits.size(); ++shown)
            std::printf("parameter %u = %s\n", edits[shown].id,
                        instance->valueText(edits[shown].id, edits[shown].value).c_str());
        std::fflush(stdout);
        return g_stopRequested != 0;
    };
    if (!showEditor(view, "VevadurROT", options.seconds, printEdits, error)) return fail(error);
    printEdits(); // the last ones, made just before the window closed
    return 0;
}
