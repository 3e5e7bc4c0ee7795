#pragma once

#include "vstgui/platform/x11/RunLoop.h"

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"

#include <map>

namespace VSTGUI
{
// The VST3 host's run loop (Linux::IRunLoop, offered by its IPlugFrame) as the toolkit's X11
// run loop. Each registered handler is wrapped in a reference-counted object the host can hold;
// whatever is still registered when this goes is unregistered, and a wrapper the host calls
// after its handler was unregistered does nothing.
class HostRunLoop : public X11::IRunLoop
{
  public:
    explicit HostRunLoop(Steinberg::Linux::IRunLoop* hostLoop);
    ~HostRunLoop() override;
    HostRunLoop(const HostRunLoop&) = delete;
    HostRunLoop& operator=(const HostRunLoop&) = delete;

    bool registerEventHandler(int fd, X11::IEventHandler* handler) override;
    bool unregisterEventHandler(X11::IEventHandler* handler) override;
    bool registerTimer(uint64_t intervalMs, X11::ITimerHandler* handler) override;
    bool unregisterTimer(X11::ITimerHandler* handler) override;

  private:
    class EventHandler;
    class TimerHandler;

    Steinberg::IPtr<Steinberg::Linux::IRunLoop> m_hostLoop;
    std::map<X11::IEventHandler*, Steinberg::IPtr<EventHandler>> m_eventHandlers;
    std::map<X11::ITimerHandler*, Steinberg::IPtr<TimerHandler>> m_timers;
};
} // namespace VSTGUI
