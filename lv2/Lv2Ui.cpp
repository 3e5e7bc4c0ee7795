#include "Lv2Ui.h"

#include "public.sdk/source/vst/hosting/initializedcomponent.h"

#include <xcb/xcb.h>

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

    component =
        createInitializedComponent(factory, classId, static_cast<IHostApplication*>(&hostContext));
    if (!component) return false;
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
    m_runLoop.clear();
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

// The host's idle calls come when it finds time: serve what is ready, never wait.
int Lv2Ui::idle()
{
    m_runLoop.iterate(0);
    return 0;
}

tresult PLUGIN_API Lv2Ui::registerEventHandler(Linux::IEventHandler* handler,
                                               Linux::FileDescriptor fd)
{
    return m_runLoop.registerEventHandler(handler, fd);
}

tresult PLUGIN_API Lv2Ui::unregisterEventHandler(Linux::IEventHandler* handler)
{
    return m_runLoop.unregisterEventHandler(handler);
}

tresult PLUGIN_API Lv2Ui::registerTimer(Linux::ITimerHandler* handler,
                                        Linux::TimerInterval milliseconds)
{
    return m_runLoop.registerTimer(handler, milliseconds);
}

tresult PLUGIN_API Lv2Ui::unregisterTimer(Linux::ITimerHandler* handler)
{
    return m_runLoop.unregisterTimer(handler);
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
