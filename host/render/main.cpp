// vevadur-render: renders an audio file through the VevadurROT plug-in.
#include "host/render/RenderOptions.h"
#include "host/render/Renderer.h"

#include <csignal>
#include <cstdio>

namespace
{
// Set by Ctrl-C or a termination request; the render loop stops and cleans up.
volatile std::sig_atomic_t g_stopRequested = 0;

void requestStop(int)
{
    g_stopRequested = 1;
}
} // namespace

int main(int argc, char** argv)
{
    using namespace vevadur::render;
    RenderOptions options;
    std::string error;
    if (!parseOptions(std::vector<std::string>(argv + 1, argv + argc), options, error))
    {
        std::fprintf(stderr, "vevadur-render: %s\n\n%s", error.c_str(), usageText());
        return 2;
    }
    if (options.help)
    {
        std::fputs(usageText(), stdout);
        return 0;
    }
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    if (!renderFile(options, g_stopRequested, error))
    {
        std::fprintf(stderr, "vevadur-render: %s\n", error.c_str());
        return g_stopRequested ? 130 : 1;
    }
    return 0;
}
