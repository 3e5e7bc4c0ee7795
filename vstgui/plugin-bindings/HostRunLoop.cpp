#include "vstgui/plugin-bindings/HostRunLoop.h"

#include "base/source/fobject.h"

namespace VSTGUI
{
using namespace Steinberg;

class HostRunLoop::EventHandler : public FObject, public Linux::IEventHandler
{
  public:
    explicit EventHandler(X11::IEventHandler* target) : m_target(target) {}
    void detach() { m_target = nullptr; }

    void PLUGIN_API onFDIsSet(Linux::FileDescriptor) SMTG_OVERRIDE
    {
        if (m_target) m_target->onEvent();
    }

    OBJ_METHODS(EventHandler, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(Linux::IEventHandler)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

  private:
    X11::IEventHandler* m_target;
};

class HostRunLoop::TimerHandler : public FObject, public Linux::ITimerHandler
{
  public:
    explicit TimerHandler(X11::ITimerHandler* target) : m_target(target) {}
    void detach() { m_target = nullptr; }

    void PLUGIN_API onTimer() SMTG_OVERRIDE
    {
        if (m_target) m_target->onTimer();
    }

    OBJ_METHODS(TimerHandler, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(Linux::ITimerHandler)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

  private:
    X11::ITimerHandler* m_target;
};

HostRunLoop::HostRunLoop(Linux::IRunLoop* hostLoop) : m_hostLoop(hostLoop) {}

HostRunLoop::~HostRunLoop()
{
    while (!m_eventHandlers.empty())
        unregisterEventHandler(m_eventHandlers.begin()->first);
    while (!m_timers.empty())
        unregisterTimer(m_timers.begin()->first);
}

bool HostRunLoop::registerEventHandler(int fd, X11::IEventHandler* handler)
{
    if (!m_hostLoop || !handler || m_eventHandlers.count(handler)) return false;
    auto wrapper = owned(new EventHandler(handler));
    if (m_hostLoop->registerEventHandler(wrapper, fd) != kResultTrue) return false;
    m_eventHandlers[handler] = wrapper;
    return true;
}

bool HostRunLoop::unregisterEventHandler(X11::IEventHandler* handler)
{
    auto it = m_eventHandlers.find(handler);
    if (it == m_eventHandlers.end()) return false;
    IPtr<EventHandler> wrapper = it->second;
    m_eventHandlers.erase(it);
    wrapper->detach();
    m_hostLoop->unregisterEventHandler(wrapper);
    return true;
}

bool HostRunLoop::registerTimer(uint64_t intervalMs, X11::ITimerHandler* handler)
{
    if (!m_hostLoop || !handler || m_timers.count(handler)) return false;
    auto wrapper = owned(new TimerHandler(handler));
    if (m_hostLoop->registerTimer(wrapper, intervalMs) != kResultTrue) return false;
    m_timers[handler] = wrapper;
    return true;
}

bool HostRunLoop::unregisterTimer(X11::ITimerHandler* handler)
{
    auto it = m_timers.find(handler);
    if (it == m_timers.end()) return false;
    IPtr<TimerHandler> wrapper = it->second;
    m_timers.erase(it);
    wrapper->detach();
    m_hostLoop->unregisterTimer(wrapper);
    return true;
}
} // namespace VSTGUI
