#include "Lv2Ui.h"

#include <xcb/xcb.h>

#include <poll.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

namespace Steinberg
{
namespace Vst
{

// ---- creation --------------------------------------------------------------------------------

Lv2Ui* Lv2Ui::create(IPluginFactory& factory, const TUID classId, LV2UI_Write_Function write,
                     LV2UI_Controller hostController, LV2UI_Widget* widget,
                     const LV2_Feature* const* features)
{
    if (!write || !widget) return nullptr;
    auto* ui = new (std::nothrow) Lv2Ui(write, hostController);
    if (ui && !ui->open(factory, classId, features))
    {
        delete ui;
        return nullptr;
    }
    if (ui) *widget = reinterpret_cast<LV2UI_Widget>(static_cast<uintptr_t>(ui->window));
    return ui;
}

Lv2Ui::Lv2Ui(LV2UI_Write_Function write, LV2UI_Controller hostController)
    : write(write), hostController(hostController)
{
}

bool Lv2Ui::open(IPluginFactory& factory, const TUID classId, const LV2_Feature* const* features)
{
    void* parent = nullptr;
    for (; features && *features; ++features)
    {
        const char* uri = (*features)->URI;
        if (std::strcmp(uri, LV2_UI__parent) == 0)
            parent = (*features)->data;
        else if (std::strcmp(uri, LV2_UI__resize) == 0)
            resize = static_cast<const LV2UI_Resize*>((*features)->data);
        else if (std::strcmp(uri, LV2_UI__touch) == 0)
            touch = static_cast<const LV2UI_Touch*>((*features)->data);
    }
    if (!parent) return false;

    FUnknown* instance = nullptr;
    if (factory.createInstance(classId, IComponent::iid, reinterpret_cast<void**>(&instance)) !=
            kResultOk ||
        !instance)
        return false;
    component = owned(static_cast<IComponent*>(instance));
    if (component->initialize(static_cast<IHostApplication*>(&hostContext)) != kResultOk)
    {
        component = nullptr;
        return false;
    }
    controller = FUnknownPtr<IEditController>(component);
    if (!controller) return false;
    controller->setComponentHandler(this);
    portList.build(*controller);

    view = owned(controller->createView(ViewType::kEditor));
    ViewRect size;
    if (!view || view->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID) != kResultTrue ||
        view->getSize(&size) != kResultTrue)
        return false;
    if (!openWindow(reinterpret_cast<uintptr_t>(parent), size)) return false;
    view->setFrame(this);
    if (view->attached(reinterpret_cast<void*>(static_cast<uintptr_t>(window)),
                       kPlatformTypeX11EmbedWindowID) != kResultTrue)
        return false;
    attached = true;
    if (resize) resize->ui_resize(resize->handle, size.getWidth(), size.getHeight());
    return true;
}

// A window of the editor's size inside the host's: the widget the host manages, and the
// parent the editor's own window goes into.
bool Lv2Ui::openWindow(uintptr_t parent, const ViewRect& size)
{
    connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) return false;
    window = xcb_generate_id(connection);
    const auto width = static_cast<uint16_t>(std::clamp<int32>(size.getWidth(), 1, 0x7FFF));
    const auto height = static_cast<uint16_t>(std::clamp<int32>(size.getHeight(), 1, 0x7FFF));
    const xcb_void_cookie_t cookie = xcb_create_window_checked(
        connection, XCB_COPY_FROM_PARENT, window, static_cast<xcb_window_t>(parent), 0, 0, width,
        height, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    if (xcb_generic_error_t* error = xcb_request_check(connection, cookie))
    {
        std::free(error);
        window = 0;
        return false;
    }
    xcb_map_window(connection, window);
    xcb_flush(connection);
    return true;
}

Lv2Ui::~Lv2Ui()
{
    if (view)
    {
        if (attached) view->removed();
        view->setFrame(nullptr);
        view = nullptr;
    }
    watches.clear();
    timers.clear();
    if (controller) controller->setComponentHandler(nullptr);
    if (component) component->terminate();
    if (connection)
    {
        if (window) xcb_destroy_window(connection, window);
        xcb_flush(connection);
        xcb_disconnect(connection);
    }
}

// ---- values ----------------------------------------------------------------------------------

int32 Lv2Ui::controlOf(ParamID id) const
{
    for (int32 i = 0; i < portList.controlCount(); ++i)
        if (portList.control(i).id == id) return i;
    return -1;
}

void Lv2Ui::portEvent(uint32 port, uint32 size, uint32 format, const void* buffer)
{
    if (format != 0 || size != sizeof(float) || !buffer) return;
    float value = 0.0f;
    std::memcpy(&value, buffer, sizeof value);
    for (int32 i = 0; i < portList.controlCount(); ++i)
    {
        if (Lv2PortList::controlPort(i) != port) continue;
        const Lv2ControlPort& control = portList.control(i);
        controller->setParamNormalized(
            control.id, controller->plainParamToNormalized(control.id, control.clamp(value)));
        return;
    }
    if (portList.hasBypass() && port == portList.enabledPort())
        controller->setParamNormalized(portList.bypassId(),
                                       std::isfinite(value) && value < 0.5f ? 1.0 : 0.0);
}

tresult PLUGIN_API Lv2Ui::performEdit(ParamID id, ParamValue valueNormalized)
{
    const int32 i = controlOf(id);
    if (i >= 0)
    {
        const auto plain =
            static_cast<float>(controller->normalizedParamToPlain(id, valueNormalized));
        write(hostController, Lv2PortList::controlPort(i), sizeof plain, 0, &plain);
        return kResultOk;
    }
    if (portList.hasBypass() && id == portList.bypassId())
    {
        const float enabled = valueNormalized >= 0.5 ? 0.0f : 1.0f;
        write(hostController, portList.enabledPort(), sizeof enabled, 0, &enabled);
        return kResultOk;
    }
    return kResultFalse; // no port carries it
}

tresult PLUGIN_API Lv2Ui::beginEdit(ParamID id)
{
    const int32 i = controlOf(id);
    if (touch && i >= 0) touch->touch(touch->handle, Lv2PortList::controlPort(i), true);
    return kResultOk;
}

tresult PLUGIN_API Lv2Ui::endEdit(ParamID id)
{
    const int32 i = controlOf(id);
    if (touch && i >= 0) touch->touch(touch->handle, Lv2PortList::controlPort(i), false);
    return kResultOk;
}

// Values the editor changed at once (a program) go to the host port by port.
tresult PLUGIN_API Lv2Ui::restartComponent(int32 flags)
{
    if (!(flags & kParamValuesChanged)) return kResultOk;
    for (int32 i = 0; i < portList.controlCount(); ++i)
        performEdit(portList.control(i).id, controller->getParamNormalized(portList.control(i).id));
    return kResultOk;
}

tresult PLUGIN_API Lv2Ui::resizeView(IPlugView* requester, ViewRect* newSize)
{
    if (!requester || requester != view || !newSize) return kInvalidArgument;
    const uint32_t size[] = {static_cast<uint32_t>(std::max<int32>(newSize->getWidth(), 1)),
                             static_cast<uint32_t>(std::max<int32>(newSize->getHeight(), 1))};
    xcb_configure_window(connection, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         size);
    xcb_flush(connection);
    if (resize) resize->ui_resize(resize->handle, newSize->getWidth(), newSize->getHeight());
    return view->onSize(newSize);
}

// ---- run loop --------------------------------------------------------------------------------

int Lv2Ui::idle()
{
    readDescriptors();
    fireDueTimers();
    return 0;
}

// Handlers may unregister others (or themselves) while they run: each is called only while it
// is still registered, and held until its call returns.
void Lv2Ui::readDescriptors()
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

void Lv2Ui::fireDueTimers()
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

bool Lv2Ui::isWatched(const Linux::IEventHandler* handler) const
{
    return std::any_of(watches.begin(), watches.end(),
                       [handler](const Watch& w) { return w.handler == handler; });
}

bool Lv2Ui::isTimer(const Linux::ITimerHandler* handler) const
{
    return std::any_of(timers.begin(), timers.end(),
                       [handler](const Timer& t) { return t.handler == handler; });
}

tresult PLUGIN_API Lv2Ui::registerEventHandler(Linux::IEventHandler* handler,
                                               Linux::FileDescriptor fd)
{
    if (!handler || fd < 0 || isWatched(handler)) return kInvalidArgument;
    watches.push_back({IPtr<Linux::IEventHandler>(handler), fd});
    return kResultTrue;
}

tresult PLUGIN_API Lv2Ui::unregisterEventHandler(Linux::IEventHandler* handler)
{
    auto it = std::find_if(watches.begin(), watches.end(),
                           [handler](const Watch& w) { return w.handler == handler; });
    if (it == watches.end()) return kInvalidArgument;
    watches.erase(it);
    return kResultTrue;
}

tresult PLUGIN_API Lv2Ui::registerTimer(Linux::ITimerHandler* handler,
                                        Linux::TimerInterval milliseconds)
{
    if (!handler || milliseconds == 0 || isTimer(handler)) return kInvalidArgument;
    const auto interval = std::chrono::milliseconds(milliseconds);
    timers.push_back({IPtr<Linux::ITimerHandler>(handler), interval, Clock::now() + interval});
    return kResultTrue;
}

tresult PLUGIN_API Lv2Ui::unregisterTimer(Linux::ITimerHandler* handler)
{
    auto it = std::find_if(timers.begin(), timers.end(),
                           [handler](const Timer& t) { return t.handler == handler; });
    if (it == timers.end()) return kInvalidArgument;
    timers.erase(it);
    return kResultTrue;
}

tresult PLUGIN_API Lv2Ui::queryInterface(const TUID iid, void** obj)
{
    if (!obj) return kInvalidArgument;
    QUERY_INTERFACE(iid, obj, FUnknown::iid, IPlugFrame)
    QUERY_INTERFACE(iid, obj, IPlugFrame::iid, IPlugFrame)
    QUERY_INTERFACE(iid, obj, Linux::IRunLoop::iid, Linux::IRunLoop)
    QUERY_INTERFACE(iid, obj, IComponentHandler::iid, IComponentHandler)
    *obj = nullptr;
    return kNoInterface;
}

} // namespace Vst
} // namespace Steinberg
