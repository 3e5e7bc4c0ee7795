#pragma once

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

namespace vevadur::host
{

// The run loop a host lends a plug-in's editor on Linux: the plug-in registers the descriptors
// it wants to read (its X connection) and its timers, and the host calls them from its UI
// thread. This one waits with poll(); its owner turns it.
class RunLoop : public Steinberg::Linux::IRunLoop
{
  public:
    RunLoop() = default;
    virtual ~RunLoop() = default;
    RunLoop(const RunLoop&) = delete;
    RunLoop& operator=(const RunLoop&) = delete;

    Steinberg::tresult PLUGIN_API registerEventHandler(Steinberg::Linux::IEventHandler* handler,
                                                       Steinberg::Linux::FileDescriptor fd)
        SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API unregisterEventHandler(Steinberg::Linux::IEventHandler* handler)
        SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API registerTimer(Steinberg::Linux::ITimerHandler* handler,
                                                Steinberg::Linux::TimerInterval milliseconds)
        SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API unregisterTimer(Steinberg::Linux::ITimerHandler* handler)
        SMTG_OVERRIDE;

    // Waits up to maxWaitMs for a readable descriptor or the next timer, then calls every
    // handler whose descriptor is readable and every timer that is due.
    void iterate(int maxWaitMs);
    void runFor(int milliseconds);
    // Turns until done() holds (checked after every round); false when the time ran out.
    bool runUntil(const std::function<bool()>& done, int timeoutMs);

    size_t eventHandlerCount() const { return m_watches.size(); }
    size_t timerCount() const { return m_timers.size(); }

    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid,
                                                 void** obj) SMTG_OVERRIDE;
    // The owner controls the lifetime.
    Steinberg::uint32 PLUGIN_API addRef() SMTG_OVERRIDE { return 1; }
    Steinberg::uint32 PLUGIN_API release() SMTG_OVERRIDE { return 1; }

  private:
    using Clock = std::chrono::steady_clock;
    struct Watch
    {
        Steinberg::IPtr<Steinberg::Linux::IEventHandler> handler;
        int fd;
    };
    struct Timer
    {
        Steinberg::IPtr<Steinberg::Linux::ITimerHandler> handler;
        Clock::duration interval;
        Clock::time_point due;
    };

    int millisecondsToNextTimer(int maxWaitMs) const;
    void callReadable(const std::vector<Watch>& ready);
    void fireDueTimers();
    bool isWatched(const Steinberg::Linux::IEventHandler* handler) const;
    Timer* findTimer(const Steinberg::Linux::ITimerHandler* handler);

    std::vector<Watch> m_watches;
    std::vector<Timer> m_timers;
};

} // namespace vevadur::host
