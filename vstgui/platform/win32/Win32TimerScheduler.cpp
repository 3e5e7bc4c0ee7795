#include "vstgui/platform/win32/Win32TimerScheduler.h"

#include "vstgui/platform/win32/ModuleResources.h"
#include "vstgui/platform/win32/ModuleWindowClass.h"

#include <windows.h>

#include <string>

namespace VSTGUI::Win32
{
namespace
{
constexpr const wchar_t* kWindowKind = L"VevadurTimers";

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER)
    {
        auto* scheduler =
            reinterpret_cast<Win32TimerScheduler*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (scheduler) scheduler->onTimer(wParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
} // namespace

Win32TimerScheduler::Win32TimerScheduler()
{
    if (!registerModuleWindowClass(kWindowKind, &windowProcedure)) return;
    m_window =
        CreateWindowExW(0, moduleWindowClassName(kWindowKind).c_str(), L"", 0, 0, 0, 0, 0,
                        HWND_MESSAGE, nullptr, static_cast<HINSTANCE>(thisModule()), nullptr);
    if (m_window) SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32TimerScheduler::~Win32TimerScheduler()
{
    if (!m_window) return;
    for (const auto& entry : m_timers)
        KillTimer(m_window, entry.first);
    DestroyWindow(m_window);
}

void Win32TimerScheduler::scheduleTimer(CVSTGUITimer& timer)
{
    cancelTimer(timer);
    if (!m_window) return;
    const uintptr_t id = m_nextId++;
    if (SetTimer(m_window, id, timer.getFireTime(), nullptr)) m_timers[id] = &timer;
}

void Win32TimerScheduler::cancelTimer(CVSTGUITimer& timer)
{
    for (auto it = m_timers.begin(); it != m_timers.end(); ++it)
    {
        if (it->second != &timer) continue;
        KillTimer(m_window, it->first);
        m_timers.erase(it);
        return;
    }
}

void Win32TimerScheduler::onTimer(uintptr_t id)
{
    auto it = m_timers.find(id);
    if (it != m_timers.end()) it->second->fire();
}
} // namespace VSTGUI::Win32
