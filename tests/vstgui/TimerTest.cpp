#include "vstgui/ManualTimerScheduler.h"

#include <gtest/gtest.h>

#include <vector>

using namespace VSTGUI;

namespace
{
struct Target : CBaseObject
{
    CMessageResult notify(CBaseObject* sender, IdStringPtr message) override
    {
        if (message == CVSTGUITimer::kMsgTimer)
        {
            times.push_back(scheduler->now());
            if (stopAfter && times.size() == stopAfter) static_cast<CVSTGUITimer*>(sender)->stop();
        }
        return kMessageNotified;
    }
    ManualTimerScheduler* scheduler = nullptr;
    size_t stopAfter = 0;
    std::vector<uint64_t> times;
};
} // namespace

TEST(Timer, FiresEveryPeriodUntilStopped)
{
    ManualTimerScheduler scheduler;
    Target target;
    target.scheduler = &scheduler;
    target.stopAfter = 3;
    auto timer = owned(new CVSTGUITimer(&target, 50, &scheduler));
    scheduler.advance(200);
    EXPECT_TRUE(target.times.empty()); // not started
    timer->start();
    scheduler.advance(120);
    EXPECT_EQ(target.times, (std::vector<uint64_t>{250, 300}));
    scheduler.advance(1000);
    EXPECT_EQ(target.times, (std::vector<uint64_t>{250, 300, 350}));
    EXPECT_FALSE(timer->isRunning());
    EXPECT_EQ(scheduler.scheduledCount(), 0u);
}

TEST(Timer, DestroyingARunningTimerUnschedulesIt)
{
    ManualTimerScheduler scheduler;
    Target target;
    target.scheduler = &scheduler;
    {
        auto timer = owned(new CVSTGUITimer(&target, 10, &scheduler));
        timer->start();
        EXPECT_EQ(scheduler.scheduledCount(), 1u);
    }
    EXPECT_EQ(scheduler.scheduledCount(), 0u);
    scheduler.advance(100);
    EXPECT_TRUE(target.times.empty());
}
