#include "vstgui/ManualTimerScheduler.h"

#include <algorithm>

namespace VSTGUI
{
void ManualTimerScheduler::scheduleTimer(CVSTGUITimer& timer)
{
    cancelTimer(timer);
    m_entries.push_back({&timer, m_now + std::max<uint32_t>(1, timer.getFireTime())});
}

void ManualTimerScheduler::cancelTimer(CVSTGUITimer& timer)
{
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(),
                                   [&](const Entry& e) { return e.timer == &timer; }),
                    m_entries.end());
}

ManualTimerScheduler::Entry* ManualTimerScheduler::nextDue(uint64_t until)
{
    Entry* next = nullptr;
    for (auto& e : m_entries)
        if (e.due <= until && (!next || e.due < next->due)) next = &e;
    return next;
}

void ManualTimerScheduler::advance(uint32_t ms)
{
    const uint64_t until = m_now + ms;
    while (Entry* e = nextDue(until))
    {
        m_now = e->due;
        e->due += std::max<uint32_t>(1, e->timer->getFireTime());
        // Firing may cancel timers and so move the entries: nothing of e is used after it.
        e->timer->fire();
    }
    m_now = until;
}
} // namespace VSTGUI
