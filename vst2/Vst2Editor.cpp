#include "Vst2Editor.h"

#if SMTG_OS_LINUX
#include <poll.h>
#endif

#include <algorithm>
#include <limits>

namespace Steinberg
{
namespace Vst
{

namespace
{
// The window a VST2 host hands the editor: an X11 window id, or an HWND on Windows.
#if SMTG_OS_WINDOWS
const FIDString kNativeWindowType = kPlatformTypeHWND;
#else
const FIDString kNativeWindowType = kPlatformTypeX11EmbedWindowID;
#endif

int16_t toRectCoordinate(int32 value)
{
    return static_cast<int16_t>(std::clamp<int32>(value, std::numeric_limits<int16_t>::min(),
                                                  std::numeric_limits<int16_t>::max()));
}
} // namespace

Vst2Editor::Vst2Editor(IEditController& controller, Vst2Abi::HostCallback host, vst_effect& effect)
    : controller(controller), host(host), effect(effect)
{
}

Vst2Editor::~Vst2Editor()
{
    close();
}

bool Vst2Editor::isAvailable()
{
    if (view) return true;
    IPtr<IPlugView> probe = owned(controller.createView(ViewType::kEditor));
    return probe && probe->isPlatformTypeSupported(kNativeWindowType) == kResultTrue;
}

bool Vst2Editor::makeView()
{
    if (view) return true;
    view = owned(controller.createView(ViewType::kEditor));
    if (view && view->isPlatformTypeSupported(kNativeWindowType) == kResultTrue)
        return true;
    view = nullptr;
    return false;
}

vst_rect* Vst2Editor::rect()
{
    ViewRect size;
    if (!makeView() || view->getSize(&size) != kResultTrue) return nullptr;
    editorRect.top = toRectCoordinate(size.top);
    editorRect.left = toRectCoordinate(size.left);
    editorRect.bottom = toRectCoordinate(size.bottom);
    editorRect.right = toRectCoordinate(size.right);
    return &editorRect;
}

bool Vst2Editor::open(void* parentWindow)
{
    if (attached) close();
    if (!parentWindow || !makeView()) return false;
    view->setFrame(this);
    if (view->attached(parentWindow, kNativeWindowType) != kResultTrue)
    {
        view->setFrame(nullptr);
        view = nullptr;
        return false;
    }
    attached = true;
    return true;
}

void Vst2Editor::close()
{
    if (!view) return;
    if (attached) view->removed();
    attached = false;
    view->setFrame(nullptr);
    view = nullptr;
#if SMTG_OS_LINUX
    // A view that forgot to unregister must not be called again.
    watches.clear();
    timers.clear();
#endif
}

void Vst2Editor::idle()
{
#if SMTG_OS_LINUX
    readDescriptors();
    fireDueTimers();
#endif
}

#if SMTG_OS_LINUX
// Handlers may unregister others (or themselves) while they run: each is called only while it
// is still registered, and held until its call returns.
void Vst2Editor::readDescriptors()
{
    if (watches.empty()) return;
    std::vector<pollfd> fds;
    for (const Watch& watch : watches)
        fds.push_back({watch.fd, POLLIN, 0});
    if (poll(fds.data(), fds.size(), 0) <= 0) return;
    std::vector<Watch> ready;
    for (size_t i = 0; i < fds.size(); ++i)
        if (fds[i].revents) ready.push_back(watches[i]);
    for (const Watch& watch : ready)
        if (isWatched(watch.handler)) watch.handler->onFDIsSet(watch.fd);
}

void Vst2Editor::fireDueTimers()
{
    const auto now = Clock::now();
    std::vector<IPtr<Linux::ITimerHandler>> due;
    for (Timer& timer : timers)
    {
        if (timer.due > now) continue;
        // Idle calls come when the host finds time: a late timer fires once, then keeps pace.
        timer.due += timer.interval;
        if (timer.due <= now) timer.due = now + timer.interval;
        due.push_back(timer.handler);
    }
    for (const auto& handler : due)
        if (isTimer(handler)) handler->onTimer();
}

#endif

tresult PLUGIN_API Vst2Editor::resizeView(IPlugView* requester, ViewRect* newSize)
{
    if (!requester || requester != view || !newSize) return kInvalidArgument;
    if (!host || !host(&effect, Vst2Abi::kHostSizeWindow, newSize->getWidth(), newSize->getHeight(),
                       nullptr, 0.0f))
        return kResultFalse;
    return view->onSize(newSize);
}

#if SMTG_OS_LINUX
bool Vst2Editor::isWatched(const Linux::IEventHandler* handler) const
{
    return std::any_of(watches.begin(), watches.end(),
                       [handler](const Watch& w) { return w.handler == handler; });
}

bool Vst2Editor::isTimer(const Linux::ITimerHandler* handler) const
{
    return std::any_of(timers.begin(), timers.end(),
                       [handler](const Timer& t) { return t.handler == handler; });
}

tresult PLUGIN_API Vst2Editor::registerEventHandler(Linux::IEventHandler* handler,
                                                    Linux::FileDescriptor fd)
{
    if (!handler || fd < 0 || isWatched(handler)) return kInvalidArgument;
    watches.push_back({IPtr<Linux::IEventHandler>(handler), fd});
    return kResultTrue;
}

tresult PLUGIN_API Vst2Editor::unregisterEventHandler(Linux::IEventHandler* handler)
{
    auto it = std::find_if(watches.begin(), watches.end(),
                           [handler](const Watch& w) { return w.handler == handler; });
    if (it == watches.end()) return kInvalidArgument;
    watches.erase(it);
    return kResultTrue;
}

tresult PLUGIN_API Vst2Editor::registerTimer(Linux::ITimerHandler* handler,
                                             Linux::TimerInterval milliseconds)
{
    if (!handler || milliseconds == 0 || isTimer(handler)) return kInvalidArgument;
    const auto interval = std::chrono::milliseconds(milliseconds);
    timers.push_back({IPtr<Linux::ITimerHandler>(handler), interval, Clock::now() + interval});
    return kResultTrue;
}

tresult PLUGIN_API Vst2Editor::unregisterTimer(Linux::ITimerHandler* handler)
{
    auto it = std::find_if(timers.begin(), timers.end(),
                           [handler](const Timer& t) { return t.handler == handler; });
    if (it == timers.end()) return kInvalidArgument;
    timers.erase(it);
    return kResultTrue;
}

#endif

tresult PLUGIN_API Vst2Editor::queryInterface(const TUID iid, void** obj)
{
    if (!obj) return kInvalidArgument;
    QUERY_INTERFACE(iid, obj, FUnknown::iid, IPlugFrame)
    QUERY_INTERFACE(iid, obj, IPlugFrame::iid, IPlugFrame)
#if SMTG_OS_LINUX
    QUERY_INTERFACE(iid, obj, Linux::IRunLoop::iid, Linux::IRunLoop)
#endif
    *obj = nullptr;
    return kNoInterface;
}

} // namespace Vst
} // namespace Steinberg
