// Renders the plug-in's editor to a PNG without a display, bound to a freshly initialised
// processor (default parameter values):
//   vevadur-render-editor <output.png> [<UI description file>]
#include "vst3/Processor.h"
#include "vstgui/CFrame.h"
#include "vstgui/plugin-bindings/VST3Editor.h"

#include <cstdio>
#include <string>

#ifndef VEVADUR_UI_DESCRIPTION
#define VEVADUR_UI_DESCRIPTION "zada.uidesc"
#endif

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3)
    {
        std::fprintf(stderr, "usage: vevadur-render-editor <output.png> [<UI description>]\n");
        return 2;
    }
    const std::string document = argc == 3 ? argv[2] : VEVADUR_UI_DESCRIPTION;

    auto* processor = new Steinberg::Vst::Veru2ZOR3::Processor();
    processor->initialize(nullptr);
    auto* editor = new VSTGUI::VST3Editor(processor, "Editor", document.c_str());
    int status = 0;
    if (!editor->open(nullptr))
    {
        std::fprintf(stderr, "vevadur-render-editor: cannot build the editor from %s\n",
                     document.c_str());
        status = 1;
    }
    else if (!editor->getFrame()->renderToPNG(argv[1]))
    {
        std::fprintf(stderr, "vevadur-render-editor: cannot write %s\n", argv[1]);
        status = 1;
    }
    editor->close();
    editor->release();
    processor->terminate();
    processor->release();
    return status;
}
