// The run loop a host lends a plug-in's editor on Linux, turned by its owner: the editor
// registers the descriptors it reads (its X connection) and its timers; each turn polls the
// descriptors and fires the timers that are due. A plug-in format's adapter, whose host only
// gives it idle calls, turns it without waiting; a host of its own may wait in it.
#pragma once

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"

#include <chrono>
#include <cstddef>
#include <vector>

namespace Steinberg
{
namespace Vst
{

class PollRunLoop : public Linux::IRunLoop
{
  public:
    PollRunLoop() = default;
    virtual ~PollRunLoop() = default;
    PollRunLoop(const PollRunLoop&) = delete;
    PollRunLoop& operator=(const PollRunLoop&) = delete;

    // Waits up to maxWaitMs (never past the next due timer) for a readable descriptor, then
    // calls every handler whose descriptor is readable and every timer that is due.
    void iterate(int maxWaitMs = 0);
    // Forgets every handler, so that a view which did not unregister is not called again.
    void clear();

    size_t eventHandlerCount() const { return m_watches.size(); }
    size_t timerCount() const { return m_timers.size(); }

    // Linux::IRunLoop
    tresult PLUGIN_API registerEventHandler(Linux::IEventHandler* handler,
                                            Linux::FileDescriptor fd) SMTG_OVERRIDE;
    tresult PLUGIN_API unregisterEventHandler(Linux::IEventHandler* handler) SMTG_OVERRIDE;
    tresult PLUGIN_API registerTimer(Linux::ITimerHandler* handler,
                                     Linux::TimerInterval milliseconds) SMTG_OVERRIDE;
    tresult PLUGIN_API unregisterTimer(Linux::ITimerHandler* handler) SMTG_OVERRIDE;

    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) SMTG_OVERRIDE;
    // The owner controls the lifetime.
    uint32 PLUGIN_API addRef() SMTG_OVERRIDE { return 1; }
    uint32 PLUGIN_API release() SMTG_OVERRIDE { return 1; }

  private:
    using Clock = std::chrono::steady_clock;
    struct Watch
    {
        IPtr<Linux::IEventHandler> handler;
        int fd;
    };
    struct Timer
    {
        IPtr<Linux::ITimerHandler> handler;
        Clock::duration interval;
        Clock::time_point due;
    };

    int millisecondsToNextTimer(int maxWaitMs) const;
    void readDescriptors(int waitMs);
    void fireDueTimers();
    bool isWatched(const Linux::IEventHandler* handler) const;
    bool isTimer(const Linux::ITimerHandler* handler) const;

    std::vector<Watch> m_watches;
    std::vector<Timer> m_timers;
};

} // namespace Vst
} // namespace Steinberg
