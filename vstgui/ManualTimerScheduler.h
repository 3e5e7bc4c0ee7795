#pragma once

#include "vstgui/CVSTGUITimer.h"

#include <cstddef>
#include <vector>

namespace VSTGUI
{
// Runs timers on a clock that its owner advances: for offscreen editors and tests.
class ManualTimerScheduler : public ITimerScheduler
{
  public:
    void scheduleTimer(CVSTGUITimer& timer) override;
    void cancelTimer(CVSTGUITimer& timer) override;
    // Moves the clock forward and fires every timer as often as it fell due, in time order.
    void advance(uint32_t ms);
    uint64_t now() const { return m_now; }
    size_t scheduledCount() const { return m_entries.size(); }

  private:
    struct Entry
    {
        CVSTGUITimer* timer;
        uint64_t due;
    };
    Entry* nextDue(uint64_t until);

    std::vector<Entry> m_entries;
    uint64_t m_now = 0;
};
} // namespace VSTGUI
