#pragma once

#include "vstgui/CBaseObject.h"

namespace VSTGUI
{
class CVSTGUITimer;

// The platform piece that makes timers fire: a window's run loop, or ManualTimerScheduler
// when nothing is on screen.
class ITimerScheduler
{
  public:
    virtual ~ITimerScheduler() = default;
    virtual void scheduleTimer(CVSTGUITimer& timer) = 0;
    virtual void cancelTimer(CVSTGUITimer& timer) = 0;
};

// Sends kMsgTimer to its target every fire time (milliseconds) while started.
class CVSTGUITimer : public CBaseObject
{
  public:
    // Messages are compared by address, so there is exactly one of each.
    static const IdStringPtr kMsgTimer;

    CVSTGUITimer(CBaseObject* target, uint32_t fireTimeMs, ITimerScheduler* scheduler = nullptr)
        : m_target(target), m_fireTime(fireTimeMs), m_scheduler(scheduler)
    {
    }
    ~CVSTGUITimer() override { stop(); }

    bool start();
    bool stop();
    bool isRunning() const { return m_running; }
    uint32_t getFireTime() const { return m_fireTime; }
    // Takes effect at the next start.
    void setFireTime(uint32_t ms) { m_fireTime = ms; }
    void setScheduler(ITimerScheduler* scheduler);
    // Called by the scheduler when the timer is due.
    void fire();

  private:
    CBaseObject* m_target;
    uint32_t m_fireTime;
    ITimerScheduler* m_scheduler;
    bool m_running = false;
};
} // namespace VSTGUI
