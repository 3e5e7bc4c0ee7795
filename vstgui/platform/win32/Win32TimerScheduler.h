#pragma once

#include "vstgui/CVSTGUITimer.h"

#include <map>

struct HWND__;
typedef HWND__* HWND;

namespace VSTGUI::Win32
{
// Makes the toolkit's timers fire from Windows timers: WM_TIMER messages to a message-only
// window of its own, delivered by the host's message loop on the UI thread.
class Win32TimerScheduler : public ITimerScheduler
{
  public:
    Win32TimerScheduler();
    ~Win32TimerScheduler() override;
    Win32TimerScheduler(const Win32TimerScheduler&) = delete;
    Win32TimerScheduler& operator=(const Win32TimerScheduler&) = delete;

    void scheduleTimer(CVSTGUITimer& timer) override;
    void cancelTimer(CVSTGUITimer& timer) override;
    size_t scheduledCount() const { return m_timers.size(); }

    // The window procedure's work for one WM_TIMER.
    void onTimer(uintptr_t id);

  private:
    HWND m_window = nullptr;
    uintptr_t m_nextId = 1;
    std::map<uintptr_t, CVSTGUITimer*> m_timers;
};
} // namespace VSTGUI::Win32
