#pragma once

#include "vstgui/CVSTGUITimer.h"
#include "vstgui/platform/x11/RunLoop.h"

#include <memory>
#include <vector>

namespace VSTGUI::X11
{
// Makes the toolkit's timers fire from a run loop's timers: one run-loop timer per running
// CVSTGUITimer, registered at start and unregistered at stop.
class RunLoopTimerScheduler : public ITimerScheduler
{
  public:
    explicit RunLoopTimerScheduler(IRunLoop& runLoop);
    ~RunLoopTimerScheduler() override;
    RunLoopTimerScheduler(const RunLoopTimerScheduler&) = delete;
    RunLoopTimerScheduler& operator=(const RunLoopTimerScheduler&) = delete;

    void scheduleTimer(CVSTGUITimer& timer) override;
    void cancelTimer(CVSTGUITimer& timer) override;
    size_t scheduledCount() const { return m_entries.size(); }

  private:
    class Entry;
    void retire(Entry* entry);

    IRunLoop& m_runLoop;
    std::vector<std::unique_ptr<Entry>> m_entries;
};
} // namespace VSTGUI::X11
