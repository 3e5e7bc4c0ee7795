#include "vstgui/platform/x11/RunLoopTimerScheduler.h"

#include <algorithm>

namespace VSTGUI::X11
{
// One running timer. A timer's target may stop the timer (and so cancel this entry) while it
// fires; the entry then lives until the firing is over.
class RunLoopTimerScheduler::Entry : public ITimerHandler
{
  public:
    Entry(RunLoopTimerScheduler& owner, CVSTGUITimer& timer) : m_owner(owner), m_timer(&timer) {}

    CVSTGUITimer* timer() const { return m_timer; }
    bool isFiring() const { return m_firing; }
    void cancel() { m_timer = nullptr; }

    void onTimer() override
    {
        if (!m_timer) return;
        m_firing = true;
        m_timer->fire();
        m_firing = false;
        if (!m_timer) m_owner.retire(this); // cancelled while firing: nothing of this is used after
    }

  private:
    RunLoopTimerScheduler& m_owner;
    CVSTGUITimer* m_timer;
    bool m_firing = false;
};

RunLoopTimerScheduler::RunLoopTimerScheduler(IRunLoop& runLoop) : m_runLoop(runLoop) {}

RunLoopTimerScheduler::~RunLoopTimerScheduler()
{
    for (auto& entry : m_entries)
        m_runLoop.unregisterTimer(entry.get());
}

void RunLoopTimerScheduler::scheduleTimer(CVSTGUITimer& timer)
{
    cancelTimer(timer);
    auto entry = std::make_unique<Entry>(*this, timer);
    if (m_runLoop.registerTimer(std::max<uint32_t>(1, timer.getFireTime()), entry.get()))
        m_entries.push_back(std::move(entry));
}

void RunLoopTimerScheduler::cancelTimer(CVSTGUITimer& timer)
{
    auto it = std::find_if(m_entries.begin(), m_entries.end(),
                           [&](const auto& entry) { return entry->timer() == &timer; });
    if (it == m_entries.end()) return;
    Entry* entry = it->get();
    m_runLoop.unregisterTimer(entry);
    entry->cancel();
    if (!entry->isFiring()) retire(entry);
}

void RunLoopTimerScheduler::retire(Entry* entry)
{
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(),
                                   [entry](const auto& e) { return e.get() == entry; }),
                    m_entries.end());
}
} // namespace VSTGUI::X11
