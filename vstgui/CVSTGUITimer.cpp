#include "vstgui/CVSTGUITimer.h"

namespace VSTGUI
{
const IdStringPtr CVSTGUITimer::kMsgTimer = "timer fired";

bool CVSTGUITimer::start()
{
    if (m_running) return true;
    m_running = true;
    if (m_scheduler) m_scheduler->scheduleTimer(*this);
    return true;
}

bool CVSTGUITimer::stop()
{
    if (!m_running) return false;
    m_running = false;
    if (m_scheduler) m_scheduler->cancelTimer(*this);
    return true;
}

void CVSTGUITimer::setScheduler(ITimerScheduler* scheduler)
{
    bool wasRunning = m_running;
    stop();
    m_scheduler = scheduler;
    if (wasRunning) start();
}

void CVSTGUITimer::fire()
{
    if (!m_running || !m_target) return;
    // The target may stop or release this timer from notify.
    remember();
    m_target->notify(this, kMsgTimer);
    forget();
}
} // namespace VSTGUI
