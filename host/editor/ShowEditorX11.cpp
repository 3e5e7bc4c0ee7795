#include "host/RunLoop.h"
#include "host/editor/EditorWindow.h"
#include "host/editor/ShowEditor.h"

#include <cstdio>
#include <limits>

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
    // Beyond what the loop's clock counts, a time limit is no limit.
    const double milliseconds = seconds * 1000;
    if (seconds > 0 && milliseconds < std::numeric_limits<int>::max())
        loop.runUntil(done, static_cast<int>(milliseconds));
    else
        while (!done())
            loop.iterate(100);
    return true;
}

} // namespace vevadur::host
