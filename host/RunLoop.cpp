#include "host/RunLoop.h"

#include <poll.h>

#include <algorithm>

namespace vevadur::host
{

using namespace Steinberg;
using Linux::IEventHandler;
using Linux::ITimerHandler;

tresult PLUGIN_API RunLoop::registerEventHandler(IEventHandler* handler, Linux::FileDescriptor fd)
{
    if (!handler || fd < 0 || isWatched(handler)) return kInvalidArgument;
    m_watches.push_back({IPtr<IEventHandler>(handler), fd});
    return kResultTrue;
}

tresult PLUGIN_API RunLoop::unregisterEventHandler(IEventHandler* handler)
{
    auto it = std::find_if(m_watches.begin(), m_watches.end(),
                           [handler](const Watch& w) { return w.handler == handler; });
    if (it == m_watches.end()) return kInvalidArgument;
    m_watches.erase(it);
    return kResultTrue;
}

tresult PLUGIN_API RunLoop::registerTimer(ITimerHandler* handler, Linux::TimerInterval milliseconds)
{
    if (!handler || milliseconds == 0 || findTimer(handler)) return kInvalidArgument;
    const auto interval = std::chrono::milliseconds(milliseconds);
    m_timers.push_back({IPtr<ITimerHandler>(handler), interval, Clock::now() + interval});
    return kResultTrue;
}

tresult PLUGIN_API RunLoop::unregisterTimer(ITimerHandler* handler)
{
    auto it = std::find_if(m_timers.begin(), m_timers.end(),
                           [handler](const Timer& t) { return t.handler == handler; });
    if (it == m_timers.end()) return kInvalidArgument;
    m_timers.erase(it);
    return kResultTrue;
}

bool RunLoop::isWatched(const IEventHandler* handler) const
{
    return std::any_of(m_watches.begin(), m_watches.end(),
                       [handler](const Watch& w) { return w.handler == handler; });
}

RunLoop::Timer* RunLoop::findTimer(const ITimerHandler* handler)
{
    auto it = std::find_if(m_timers.begin(), m_timers.end(),
                           [handler](const Timer& t) { return t.handler == handler; });
    return it == m_timers.end() ? nullptr : &*it;
}

int RunLoop::millisecondsToNextTimer(int maxWaitMs) const
{
    int wait = std::max(0, maxWaitMs);
    const auto now = Clock::now();
    for (const Timer& timer : m_timers)
    {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(timer.due - now).count();
        wait = std::min<int>(wait, static_cast<int>(std::max<decltype(left)>(0, left)));
    }
    return wait;
}

void RunLoop::iterate(int maxWaitMs)
{
    std::vector<pollfd> fds;
    for (const Watch& watch : m_watches)
        fds.push_back({watch.fd, POLLIN, 0});
    const int ready = poll(fds.data(), fds.size(), millisecondsToNextTimer(maxWaitMs));
    if (ready > 0)
    {
        std::vector<Watch> readable;
        for (size_t i = 0; i < fds.size(); ++i)
            if (fds[i].revents) readable.push_back(m_watches[i]);
        callReadable(readable);
    }
    fireDueTimers();
}

// A handler may unregister others (or itself) while it runs: each is called only while it is
// still registered, and held until its call returns.
void RunLoop::callReadable(const std::vector<Watch>& ready)
{
    for (const Watch& watch : ready)
        if (isWatched(watch.handler)) watch.handler->onFDIsSet(watch.fd);
}

void RunLoop::fireDueTimers()
{
    const auto now = Clock::now();
    std::vector<IPtr<ITimerHandler>> due;
    for (Timer& timer : m_timers)
    {
        if (timer.due > now) continue;
        // A late timer fires once and keeps its pace from now on.
        timer.due += timer.interval;
        if (timer.due <= now) timer.due = now + timer.interval;
        due.push_back(timer.handler);
    }
    for (const auto& handler : due)
        if (findTimer(handler)) handler->onTimer();
}

void RunLoop::runFor(int milliseconds)
{
    const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
    for (auto now = Clock::now(); now < end; now = Clock::now())
        iterate(static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(end - now).count()));
}

bool RunLoop::runUntil(const std::function<bool()>& done, int timeoutMs)
{
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done())
    {
        const auto now = Clock::now();
        if (now >= end) return false;
        iterate(std::min<int>(
            10, static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(end - now).count())));
    }
    return true;
}

tresult PLUGIN_API RunLoop::queryInterface(const TUID iid, void** obj)
{
    QUERY_INTERFACE(iid, obj, FUnknown::iid, Linux::IRunLoop)
    QUERY_INTERFACE(iid, obj, Linux::IRunLoop::iid, Linux::IRunLoop)
    *obj = nullptr;
    return kNoInterface;
}

} // namespace vevadur::host
