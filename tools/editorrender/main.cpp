// Renders the plug-in's editor to a PNG without a display, bound to a freshly initialised
// processor (default parameter values):
//   vevadur-render-editor [--scale F] <output.png> [<UI description file>]
// --scale draws it for a screen at that scale (default 1: 303 x 588 pixels; 2: 606 x 1176), as
// a host's content scale factor would.
#include "vst3/Processor.h"
#include "vstgui/CFrame.h"
#include "vstgui/plugin-bindings/VST3Editor.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#ifndef VEVADUR_UI_DESCRIPTION
#define VEVADUR_UI_DESCRIPTION "zada.uidesc"
#endif

namespace
{
int usage()
{
    std::fprintf(stderr,
                 "usage: vevadur-render-editor [--scale F] <output.png> [<UI description>]\n"
                 "  F: 0.5 to 4 (default 1)\n");
    return 2;
}

bool parseScale(const char* text, double& scale)
{
    char* end = nullptr;
    scale = std::strtod(text, &end);
    return end != text && *end == '\0' && std::isfinite(scale) && scale >= 0.5 && scale <= 4;
}
} // namespace

int main(int argc, char** argv)
{
    double scale = 1;
    int first = 1;
    if (argc > 1 && std::strcmp(argv[1], "--scale") == 0)
    {
        if (argc < 3 || !parseScale(argv[2], scale)) return usage();
        first = 3;
    }
    const int rest = argc - first;
    if (rest < 1 || rest > 2) return usage();
    const char* output = argv[first];
    const std::string document = rest == 2 ? argv[first + 1] : VEVADUR_UI_DESCRIPTION;

    auto* processor = new Steinberg::Vst::Veru2ZOR3::Processor();
    processor->initialize(nullptr);
    auto* editor = new VSTGUI::VST3Editor(processor, "Editor", document.c_str());
    editor->setContentScaleFactor(static_cast<float>(scale));
    int status = 0;
    if (!editor->open(nullptr))
    {
        std::fprintf(stderr, "vevadur-render-editor: cannot build the editor from %s\n",
                     document.c_str());
        status = 1;
    }
    else if (!editor->getFrame()->renderToPNG(output))
    {
        std::fprintf(stderr, "vevadur-render-editor: cannot write %s\n", output);
        status = 1;
    }
    editor->close();
    editor->release();
    processor->terminate();
    processor->release();
    return status;
}
