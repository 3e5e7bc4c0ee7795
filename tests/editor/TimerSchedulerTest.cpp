// The toolkit's timers on a run loop's timers.
#include "vstgui/platform/x11/RunLoopTimerScheduler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

using namespace VSTGUI;

namespace
{
// A run loop that only records what is registered; the test fires the timers.
struct ScriptedLoop : X11::IRunLoop
{
    struct Entry
    {
        X11::ITimerHandler* handler;
        uint64_t interval;
    };
    std::vector<Entry> timers;

    bool registerEventHandler(int, X11::IEventHandler*) override { return false; }
    bool unregisterEventHandler(X11::IEventHandler*) override { return false; }
    bool registerTimer(uint64_t interval, X11::ITimerHandler* handler) override
    {
        timers.push_back({handler, interval});
        return true;
    }
    bool unregisterTimer(X11::ITimerHandler* handler) override
    {
        auto it = std::find_if(timers.begin(), timers.end(),
                               [handler](const Entry& e) { return e.handler == handler; });
        if (it == timers.end()) return false;
        timers.erase(it);
        return true;
    }
    void fireAll()
    {
        std::vector<Entry> due = timers;
        for (const Entry& entry : due)
            if (std::any_of(timers.begin(), timers.end(),
                            [&](const Entry& e) { return e.handler == entry.handler; }))
                entry.handler->onTimer();
    }
};

// Counts timer messages, and may do something to its timer while one arrives.
struct Target : CBaseObject
{
    int ticks = 0;
    std::function<void()> onTick;
    CMessageResult notify(CBaseObject*, IdStringPtr message) override
    {
        if (message != CVSTGUITimer::kMsgTimer) return kMessageUnknown;
        ++ticks;
        if (onTick) onTick();
        return kMessageNotified;
    }
};
} // namespace

TEST(RunLoopTimerScheduler, OneRunLoopTimerPerRunningTimer)
{
    ScriptedLoop loop;
    X11::RunLoopTimerScheduler scheduler(loop);
    Target target;
    auto timer = owned(new CVSTGUITimer(&target, 50, &scheduler));
    timer->start();
    ASSERT_EQ(loop.timers.size(), 1u);
    EXPECT_EQ(loop.timers[0].interval, 50u);
    loop.fireAll();
    loop.fireAll();
    EXPECT_EQ(target.ticks, 2);
    timer->stop();
    EXPECT_TRUE(loop.timers.empty());
    EXPECT_EQ(scheduler.scheduledCount(), 0u);
}

TEST(RunLoopTimerScheduler, TimersMayStopOrRestartWhileTheyFire)
{
    ScriptedLoop loop;
    X11::RunLoopTimerScheduler scheduler(loop);
    Target target;
    auto timer = owned(new CVSTGUITimer(&target, 50, &scheduler));

    // Restarted at another rate from its own tick: the new rate is registered, the old is gone.
    target.onTick = [&]
    {
        timer->stop();
        timer->setFireTime(20);
        timer->start();
    };
    timer->start();
    loop.fireAll();
    ASSERT_EQ(loop.timers.size(), 1u);
    EXPECT_EQ(loop.timers[0].interval, 20u);
    EXPECT_EQ(scheduler.scheduledCount(), 1u);

    // Released by its owner from its own tick (ASan watches the entry that was firing).
    target.onTick = [&] { timer.reset(); };
    loop.fireAll();
    EXPECT_TRUE(loop.timers.empty());
    EXPECT_EQ(scheduler.scheduledCount(), 0u);
    EXPECT_EQ(target.ticks, 2);
}
