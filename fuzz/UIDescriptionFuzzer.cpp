// Any bytes as the editor's UI description: the plug-in's editor opens on them (offscreen, with
// the plug-in as controller, as in a host) or refuses them; every view it builds has a finite,
// ordered rectangle, and closing frees it all.
#include "FuzzCheck.h"

// Must come first: it renames the edit controller's state pair.
#include "vst3/Processor.h"

#include "vstgui/CFrame.h"
#include "vstgui/CViewContainer.h"
#include "vstgui/plugin-bindings/VST3Editor.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

using namespace VSTGUI;

namespace
{
Steinberg::Vst::Veru2ZOR3::Processor& processor()
{
    static auto* made = []
    {
        auto* p = new Steinberg::Vst::Veru2ZOR3::Processor();
        p->initialize(nullptr);
        return p;
    }();
    return *made;
}

// The editor reads its document from a file: one per harness process.
const std::string& documentPath()
{
    // Static storage that outlives every exit handler: the file goes when the harness ends.
    static char pattern[] = "/tmp/vevadur-fuzz-uidesc-XXXXXX";
    static const std::string path = [] {
        const int fd = mkstemp(pattern);
        FUZZ_CHECK(fd >= 0, "no temporary file");
        close(fd);
        std::atexit([] { std::remove(pattern); });
        return std::string(pattern);
    }();
    return path;
}

bool finite(const CRect& r)
{
    return std::isfinite(r.left) && std::isfinite(r.top) && std::isfinite(r.right) &&
           std::isfinite(r.bottom);
}

void checkViews(CView* view, int depth)
{
    FUZZ_CHECK(depth < 1000, "views nested %d deep", depth);
    const CRect rect = view->getViewSize();
    FUZZ_CHECK(finite(rect), "a view's rectangle is not finite");
    FUZZ_CHECK(rect.right >= rect.left && rect.bottom >= rect.top, "a view's rectangle is inside out");
    if (auto* container = dynamic_cast<CViewContainer*>(view))
        for (size_t i = 0; i < container->getNbViews(); ++i)
            checkViews(container->getView(i), depth + 1);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FILE* file = std::fopen(documentPath().c_str(), "wb");
    FUZZ_CHECK(file != nullptr, "cannot write %s", documentPath().c_str());
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    auto* editor = new VST3Editor(&processor(), "Editor", documentPath().c_str());
    if (editor->open(nullptr) && editor->getFrame())
    {
        checkViews(editor->getFrame(), 0);
        editor->close();
    }
    editor->release();
    return 0;
}
