#include "pollrunloop.h"

#include <poll.h>

#include <algorithm>

namespace Steinberg
{
namespace Vst
{

void PollRunLoop::iterate(int maxWaitMs)
{
    readDescriptors(millisecondsToNextTimer(maxWaitMs));
    fireDueTimers();
}

void PollRunLoop::clear()
{
    m_watches.clear();
    m_timers.clear();
}

int PollRunLoop::millisecondsToNextTimer(int maxWaitMs) const
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

// Handlers may unregister others (or themselves) while they run: each is called only while it
// is still registered, and held until its call returns.
void PollRunLoop::readDescriptors(int waitMs)
{
    if (m_watches.empty() && waitMs == 0) return;
    std::vector<pollfd> fds;
    for (const Watch& watch : m_watches)
        fds.push_back({watch.fd, POLLIN, 0});
    if (poll(fds.data(), fds.size(), waitMs) <= 0) return;
    std::vector<Watch> ready;
    for (size_t i = 0; i < fds.size(); ++i)
        if (fds[i].revents) ready.push_back(m_watches[i]);
    for (const Watch& watch : ready)
        if (isWatched(watch.handler)) watch.handler->onFDIsSet(watch.fd);
}

void PollRunLoop::fireDueTimers()
{
    const auto now = Clock::now();
    std::vector<IPtr<Linux::ITimerHandler>> due;
    for (Timer& timer : m_timers)
    {
        if (timer.due > now) continue;
        // Turns come when the owner finds time: a late timer fires once, then keeps pace.
        timer.due += timer.interval;
        if (timer.due <= now) timer.due = now + timer.interval;
        due.push_back(timer.handler);
    }
    for (const auto& handler : due)
        if (isTimer(handler)) handler->onTimer();
}

bool PollRunLoop::isWatched(const Linux::IEventHandler* handler) const
{
    return std::any_of(m_watches.begin(), m_watches.end(),
                       [handler](const Watch& w) { return w.handler == handler; });
}

bool PollRunLoop::isTimer(const Linux::ITimerHandler* handler) const
{
    return std::any_of(m_timers.begin(), m_timers.end(),
                       [handler](const Timer& t) { return t.handler == handler; });
}

tresult PLUGIN_API PollRunLoop::registerEventHandler(Linux::IEventHandler* handler,
                                                     Linux::FileDescriptor fd)
{
    if (!handler || fd < 0 || isWatched(handler)) return kInvalidArgument;
    m_watches.push_back({IPtr<Linux::IEventHandler>(handler), fd});
    return kResultTrue;
}

tresult PLUGIN_API PollRunLoop::unregisterEventHandler(Linux::IEventHandler* handler)
{
    auto it = std::find_if(m_watches.begin(), m_watches.end(),
                           [handler](const Watch& w) { return w.handler == handler; });
    if (it == m_watches.end()) return kInvalidArgument;
    m_watches.erase(it);
    return kResultTrue;
}

tresult PLUGIN_API PollRunLoop::registerTimer(Linux::ITimerHandler* handler,
                                              Linux::TimerInterval milliseconds)
{
    if (!handler || milliseconds == 0 || isTimer(handler)) return kInvalidArgument;
    const auto interval = std::chrono::milliseconds(milliseconds);
    m_timers.push_back({IPtr<Linux::ITimerHandler>(handler), interval, Clock::now() + interval});
    return kResultTrue;
}

tresult PLUGIN_API PollRunLoop::unregisterTimer(Linux::ITimerHandler* handler)
{
    auto it = std::find_if(m_timers.begin(), m_timers.end(),
                           [handler](const Timer& t) { return t.handler == handler; });
    if (it == m_timers.end()) return kInvalidArgument;
    m_timers.erase(it);
    return kResultTrue;
}

tresult PLUGIN_API PollRunLoop::queryInterface(const TUID iid, void** obj)
{
    if (!obj) return kInvalidArgument;
    QUERY_INTERFACE(iid, obj, FUnknown::iid, Linux::IRunLoop)
    QUERY_INTERFACE(iid, obj, Linux::IRunLoop::iid, Linux::IRunLoop)
    *obj = nullptr;
    return kNoInterface;
}

} // namespace Vst
} // namespace Steinberg
