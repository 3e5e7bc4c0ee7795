#pragma once

#include <cstdint>

namespace VSTGUI::X11
{
// Called when a registered file descriptor has data to read.
class IEventHandler
{
  public:
    virtual ~IEventHandler() = default;
    virtual void onEvent() = 0;
};

// Called every interval of a registered timer.
class ITimerHandler
{
  public:
    virtual ~ITimerHandler() = default;
    virtual void onTimer() = 0;
};

// The loop that a window's connection and the toolkit's timers run in. On Linux a plug-in does
// not own one: it borrows the host's, so everything stays on the host's UI thread.
class IRunLoop
{
  public:
    virtual ~IRunLoop() = default;
    virtual bool registerEventHandler(int fd, IEventHandler* handler) = 0;
    virtual bool unregisterEventHandler(IEventHandler* handler) = 0;
    virtual bool registerTimer(uint64_t intervalMs, ITimerHandler* handler) = 0;
    virtual bool unregisterTimer(ITimerHandler* handler) = 0;
};
} // namespace VSTGUI::X11
