#include "host/RunLoop.h"
#include "host/editor/EditorWindow.h"
#include "host/editor/ShowEditor.h"

#include <cstdio>

namespace vevadur::host
{

bool showEditor(Steinberg::IPlugView* view, const std::string& title, double seconds,
                const std::function<bool()>& idle, std::string& error)
{
    RunLoop loop;
    auto window = EditorWindow::open(view, loop, title, error);
    if (!window) return false;
    std::printf("editor window 0x%x\n", window->window().window());
    std::fflush(stdout);
    const auto done = [&] { return idle() || window->window().closeRequested(); };
    if (seconds > 0)
        loop.runUntil(done, static_cast<int>(seconds * 1000));
    else
        while (!done())
            loop.iterate(100);
    return true;
}

} // namespace vevadur::host
