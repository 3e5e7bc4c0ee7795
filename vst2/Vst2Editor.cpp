#include "Vst2Editor.h"

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
    m_runLoop.clear();
#endif
}

// The host's idle calls come when it finds time: serve what is ready, never wait.
void Vst2Editor::idle()
{
#if SMTG_OS_LINUX
    m_runLoop.iterate(0);
#endif
}

tresult PLUGIN_API Vst2Editor::resizeView(IPlugView* requester, ViewRect* newSize)
{
    if (!requester || requester != view || !newSize) return kInvalidArgument;
    if (!host || !host(&effect, Vst2Abi::kHostSizeWindow, newSize->getWidth(), newSize->getHeight(),
                       nullptr, 0.0f))
        return kResultFalse;
    return view->onSize(newSize);
}

#if SMTG_OS_LINUX
tresult PLUGIN_API Vst2Editor::registerEventHandler(Linux::IEventHandler* handler,
                                                    Linux::FileDescriptor fd)
{
    return m_runLoop.registerEventHandler(handler, fd);
}

tresult PLUGIN_API Vst2Editor::unregisterEventHandler(Linux::IEventHandler* handler)
{
    return m_runLoop.unregisterEventHandler(handler);
}

tresult PLUGIN_API Vst2Editor::registerTimer(Linux::ITimerHandler* handler,
                                             Linux::TimerInterval milliseconds)
{
    return m_runLoop.registerTimer(handler, milliseconds);
}

tresult PLUGIN_API Vst2Editor::unregisterTimer(Linux::ITimerHandler* handler)
{
    return m_runLoop.unregisterTimer(handler);
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
