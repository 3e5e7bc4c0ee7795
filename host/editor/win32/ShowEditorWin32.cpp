#include "host/editor/ShowEditor.h"
#include "host/editor/win32/EditorWindowWin32.h"

#include <cstdint>
#include <cstdio>

namespace vevadur::host
{

namespace
{
constexpr UINT kIdleMilliseconds = 100;

UINT timeoutMilliseconds(double seconds)
{
    const double milliseconds = seconds * 1000;
    return milliseconds < USER_TIMER_MAXIMUM ? static_cast<UINT>(milliseconds) : USER_TIMER_MAXIMUM;
}
} // namespace

bool showEditor(Steinberg::IPlugView* view, const std::string& title, double seconds,
                const std::function<bool()>& idle, std::string& error)
{
    auto window = EditorWindow::open(view, title, error);
    if (!window) return false;
    std::printf("editor window 0x%llx\n",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window->handle())));
    std::fflush(stdout);
    // The idle call and the end come as thread timers, so the loop sleeps in GetMessage
    // between events like any host's.
    const UINT_PTR idleTimer = SetTimer(nullptr, 0, kIdleMilliseconds, nullptr);
    const UINT_PTR endTimer =
        seconds > 0 ? SetTimer(nullptr, 0, timeoutMilliseconds(seconds), nullptr) : 0;
    bool done = false;
    MSG message;
    while (!done && GetMessageW(&message, nullptr, 0, 0) > 0)
    {
        if (message.message == WM_TIMER && !message.hwnd && message.wParam == endTimer)
            done = true;
        else if (message.message == WM_TIMER && !message.hwnd && message.wParam == idleTimer)
            done = idle();
        else
        {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        done = done || window->closeRequested();
    }
    KillTimer(nullptr, idleTimer);
    if (endTimer) KillTimer(nullptr, endTimer);
    return true;
}

} // namespace vevadur::host
