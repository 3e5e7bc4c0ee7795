#include "vstgui/platform/x11/X11Frame.h"

#include "vstgui/CDrawContext.h"
#include "vstgui/ScaleFactor.h"
#include "vstgui/platform/x11/X11Input.h"

#include <cairo-xcb.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace VSTGUI::X11
{
namespace
{
// Two presses of one button this close in time and place make a double click.
constexpr uint32_t kDoubleClickMs = 400;
constexpr int kDoubleClickDistance = 4;

// XEmbed's first message from the embedder to its client.
constexpr uint32_t kXEmbedEmbeddedNotify = 0;

// Focus-change details and modes of the core protocol.
constexpr uint8_t kNotifyNormal = 0;
constexpr uint8_t kNotifyInferior = 2;
constexpr uint8_t kNotifyPointer = 5;

// Frees an event or reply that xcb allocated.
struct FreeDeleter
{
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using XcbPtr = std::unique_ptr<T, FreeDeleter>;

xcb_visualtype_t* findVisual(xcb_connection_t* connection, xcb_visualid_t id)
{
    for (auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection)); screens.rem;
         xcb_screen_next(&screens))
        for (auto depths = xcb_screen_allowed_depths_iterator(screens.data); depths.rem;
             xcb_depth_next(&depths))
            for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem;
                 xcb_visualtype_next(&visuals))
                if (visuals.data->visual_id == id) return visuals.data;
    return nullptr;
}

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name)
{
    XcbPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
        nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// The whole device pixels that cover a rectangle of layout pixels, inside the window.
CRect pixelBounds(const CRect& rect, double scale, int width, int height)
{
    return ScaleFactor::toDeviceBounds(rect, scale).bound(CRect(0, 0, width, height));
}
} // namespace

std::unique_ptr<X11Frame> X11Frame::create(CFrame& frame, uint32_t parentWindow, IRunLoop& runLoop)
{
    std::unique_ptr<X11Frame> platformFrame(new X11Frame(frame, runLoop));
    if (!platformFrame->open(parentWindow)) return nullptr;
    frame.setPlatformFrame(platformFrame.get());
    frame.invalid();
    platformFrame->flush();
    return platformFrame;
}

bool X11Frame::open(uint32_t parentWindow)
{
    if (parentWindow == 0) return false;
    m_connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(m_connection)) return false;
    m_width = ScaleFactor::toDevice(m_frame.getWidth(), m_frame.getScaleFactor());
    m_height = ScaleFactor::toDevice(m_frame.getHeight(), m_frame.getScaleFactor());
    if (!createWindow(parentWindow) || !createSurfaces()) return false;
    m_keyboard.load(m_connection);
    // An XEmbed embedder (Ardour's socket, the SDK's sample host, ours) tells the window it is
    // embedded and maps it itself once it sees the mapped flag. Nobody watching the parent's
    // children means no embedder: the window shows itself at once. A watcher that does not
    // speak XEmbed (a VST2 host's window) gets a window that shows itself after a grace time.
    if (isWatchedByEmbedder(parentWindow))
        m_mapDeadline = Clock::now() + std::chrono::milliseconds(kEmbedderGraceMs);
    else
        xcb_map_window(m_connection, m_window);
    xcb_flush(m_connection);
    m_eventHandlerRegistered =
        m_runLoop.registerEventHandler(xcb_get_file_descriptor(m_connection), this);
    m_timerRegistered = m_runLoop.registerTimer(kRefreshIntervalMs, this);
    return m_eventHandlerRegistered;
}

bool X11Frame::createWindow(uint32_t parentWindow)
{
    m_xembedInfo = internAtom(m_connection, "_XEMBED_INFO");
    m_xembed = internAtom(m_connection, "_XEMBED");
    const xcb_window_t window = xcb_generate_id(m_connection);
    const uint32_t eventMask = XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_BUTTON_PRESS |
                               XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION |
                               XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE |
                               XCB_EVENT_MASK_FOCUS_CHANGE;
    // No background: the window shows nothing of its own between an exposure and the drawing.
    const uint32_t values[] = {XCB_BACK_PIXMAP_NONE, eventMask};
    const xcb_void_cookie_t created =
        xcb_create_window_checked(m_connection, XCB_COPY_FROM_PARENT, window, parentWindow, 0, 0,
                                  static_cast<uint16_t>(m_width), static_cast<uint16_t>(m_height),
                                  0, XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                                  XCB_CW_BACK_PIXMAP | XCB_CW_EVENT_MASK, values);
    // In the same batch as the window: an embedder reads the property when it hears of the
    // window, and some (the SDK's sample host) give up on a window without it.
    announceEmbedding(window);
    XcbPtr<xcb_generic_error_t> error(xcb_request_check(m_connection, created));
    if (error) return false;
    m_window = window;
    XcbPtr<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        m_connection, xcb_get_window_attributes(m_connection, m_window), nullptr));
    m_visual = attributes ? findVisual(m_connection, attributes->visual) : nullptr;
    return m_visual != nullptr;
}

bool X11Frame::isWatchedByEmbedder(uint32_t parentWindow) const
{
    XcbPtr<xcb_get_window_attributes_reply_t> parent(xcb_get_window_attributes_reply(
        m_connection, xcb_get_window_attributes(m_connection, parentWindow), nullptr));
    // The masks of every client: an embedder learns of a child window created in its window
    // through substructure events.
    constexpr uint32_t kChildEvents =
        XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT;
    return parent && (parent->all_event_masks & kChildEvents) != 0;
}

// The XEmbed information: embedders (Ardour's, our host's) map a client window that carries
// the mapped flag; the XEmbed convention leaves the mapping to them.
void X11Frame::announceEmbedding(uint32_t window)
{
    if (m_xembedInfo == XCB_ATOM_NONE) return;
    const uint32_t info[] = {0 /* protocol version */, 1 /* mapped */};
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, m_xembedInfo, m_xembedInfo, 32,
                        2, info);
}

bool X11Frame::createSurfaces()
{
    m_windowSurface = cairo_xcb_surface_create(m_connection, m_window, m_visual, m_width, m_height);
    m_backBuffer = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, m_width, m_height);
    return cairo_surface_status(m_windowSurface) == CAIRO_STATUS_SUCCESS &&
           cairo_surface_status(m_backBuffer) == CAIRO_STATUS_SUCCESS;
}

void X11Frame::destroySurfaces()
{
    if (m_backBuffer) cairo_surface_destroy(m_backBuffer);
    m_backBuffer = nullptr;
    if (!m_windowSurface) return;
    // Cairo keeps a device per connection; it must be finished before the connection closes, or
    // a later connection at the same address would find the stale one.
    cairo_device_t* device = cairo_device_reference(cairo_surface_get_device(m_windowSurface));
    cairo_surface_destroy(m_windowSurface);
    m_windowSurface = nullptr;
    if (device)
    {
        cairo_device_finish(device);
        cairo_device_destroy(device);
    }
}

X11Frame::~X11Frame()
{
    if (m_frame.getPlatformFrame() == this) m_frame.setPlatformFrame(nullptr);
    if (m_timerRegistered) m_runLoop.unregisterTimer(this);
    if (m_eventHandlerRegistered) m_runLoop.unregisterEventHandler(this);
    destroySurfaces();
    if (m_window && !xcb_connection_has_error(m_connection))
    {
        xcb_destroy_window(m_connection, m_window);
        xcb_flush(m_connection);
    }
    if (m_connection) xcb_disconnect(m_connection);
}

void X11Frame::invalidRect(const CRect&)
{
    // The frame collects the area; it is drawn after the current events, or on the next
    // refresh tick.
}

void X11Frame::setSize(const CRect& size)
{
    const int width = ScaleFactor::toDevice(size.getWidth(), m_frame.getScaleFactor());
    const int height = ScaleFactor::toDevice(size.getHeight(), m_frame.getScaleFactor());
    if (width == m_width && height == m_height) return;
    m_width = width;
    m_height = height;
    const uint32_t values[] = {static_cast<uint32_t>(width), static_cast<uint32_t>(height)};
    xcb_configure_window(m_connection, m_window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         values);
    cairo_xcb_surface_set_size(m_windowSurface, width, height);
    cairo_surface_destroy(m_backBuffer);
    m_backBuffer = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    m_frame.invalid();
}

void X11Frame::processEvents()
{
    if (xcb_connection_has_error(m_connection))
    {
        // The server is gone: its descriptor would stay readable for ever.
        if (m_eventHandlerRegistered) m_runLoop.unregisterEventHandler(this);
        m_eventHandlerRegistered = false;
        return;
    }
    std::vector<XcbPtr<xcb_generic_event_t>> events;
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection))
        events.emplace_back(event);
    for (size_t i = 0; i < events.size(); ++i)
    {
        const uint8_t type = events[i]->response_type & 0x7f;
        // Only the latest of a run of pointer motions matters.
        if (type == XCB_MOTION_NOTIFY && i + 1 < events.size() &&
            (events[i + 1]->response_type & 0x7f) == XCB_MOTION_NOTIFY)
            continue;
        dispatch(events[i].get());
    }
    if (m_mapDeadline && Clock::now() >= *m_mapDeadline)
    {
        m_mapDeadline.reset();
        xcb_map_window(m_connection, m_window);
        xcb_flush(m_connection);
    }
    flush();
}

void X11Frame::dispatch(xcb_generic_event_t* event)
{
    switch (event->response_type & 0x7f)
    {
    case XCB_EXPOSE:
    {
        auto* expose = reinterpret_cast<xcb_expose_event_t*>(event);
        m_frame.invalidRect(ScaleFactor::toLayout(
            CRect(expose->x, expose->y, expose->x + expose->width, expose->y + expose->height),
            m_frame.getScaleFactor()));
        break;
    }
    case XCB_BUTTON_PRESS:
        onButtonPress(*reinterpret_cast<xcb_button_press_event_t*>(event));
        break;
    case XCB_BUTTON_RELEASE:
        onButtonRelease(*reinterpret_cast<xcb_button_release_event_t*>(event));
        break;
    case XCB_MOTION_NOTIFY:
    {
        auto* motion = reinterpret_cast<xcb_motion_notify_event_t*>(event);
        CPoint where = toLayout(motion->event_x, motion->event_y);
        m_frame.onMouseMoved(where, heldButtons(motion->state));
        break;
    }
    case XCB_KEY_PRESS:
        onKey(*reinterpret_cast<xcb_key_press_event_t*>(event), true);
        break;
    case XCB_KEY_RELEASE:
        onKey(*reinterpret_cast<xcb_key_release_event_t*>(event), false);
        break;
    case XCB_FOCUS_OUT:
    {
        // Keyboard focus moved to another window: a text being typed is committed.
        auto* focus = reinterpret_cast<xcb_focus_out_event_t*>(event);
        if (focus->mode == kNotifyNormal && focus->detail != kNotifyInferior &&
            focus->detail < kNotifyPointer)
            m_frame.setFocusView(nullptr);
        break;
    }
    case XCB_CLIENT_MESSAGE:
    {
        auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
        if (message->type == m_xembed && message->format == 32 &&
            message->data.data32[1] == kXEmbedEmbeddedNotify)
            m_mapDeadline.reset(); // the embedder maps the window
        break;
    }
    case XCB_MAPPING_NOTIFY:
        if (reinterpret_cast<xcb_mapping_notify_event_t*>(event)->request == XCB_MAPPING_KEYBOARD)
            m_keyboard.load(m_connection);
        break;
    default:
        break; // errors of requests nobody waits for, and events of no interest
    }
}

bool X11Frame::isDoubleClick(const xcb_button_press_event_t& event)
{
    const bool isDouble = event.detail == m_lastPress.button &&
                          event.time - m_lastPress.time <= kDoubleClickMs &&
                          std::abs(event.event_x - m_lastPress.x) <= kDoubleClickDistance &&
                          std::abs(event.event_y - m_lastPress.y) <= kDoubleClickDistance;
    // A third press starts over.
    m_lastPress =
        isDouble ? Press{} : Press{event.time, event.detail, event.event_x, event.event_y};
    return isDouble;
}

CPoint X11Frame::toLayout(int16_t x, int16_t y) const
{
    return ScaleFactor::toLayout(CPoint(x, y), m_frame.getScaleFactor());
}

void X11Frame::onButtonPress(const xcb_button_press_event_t& event)
{
    CPoint where = toLayout(event.event_x, event.event_y);
    if (const float distance = wheelDistance(event.detail); distance != 0.f)
    {
        m_frame.onWheel(where, distance, heldButtons(event.state));
        return;
    }
    const int32_t button = buttonBit(event.detail);
    if (!button) return;
    int32_t buttons = heldButtons(event.state) | button;
    if (isDoubleClick(event)) buttons |= kDoubleClick;
    m_frame.onMouseDown(where, buttons);
    if (m_frame.getFocusView()) takeKeyboardFocus(event.time);
}

void X11Frame::onButtonRelease(const xcb_button_press_event_t& event)
{
    const int32_t button = buttonBit(event.detail);
    if (!button) return;
    CPoint where = toLayout(event.event_x, event.event_y);
    m_frame.onMouseUp(where, modifierButtons(event.state) | button);
}

void X11Frame::onKey(const xcb_key_press_event_t& event, bool down)
{
    VstKeyCode code = keyCodeFromKeysym(m_keyboard.keysym(event.detail, event.state), event.state);
    if (code.virt == 0 && code.character == 0) return;
    if (down)
        m_frame.onKeyDown(code);
    else
        m_frame.onKeyUp(code);
}

// A view that takes typed text (a text edit) got the frame's focus: the window asks the server
// for the keyboard, which it would otherwise only get while the pointer is over it.
void X11Frame::takeKeyboardFocus(uint32_t time)
{
    xcb_set_input_focus(m_connection, XCB_INPUT_FOCUS_PARENT, m_window, time);
    xcb_flush(m_connection);
}

void X11Frame::flush()
{
    if (!m_backBuffer || !m_windowSurface) return;
    const double scale = m_frame.getScaleFactor();
    cairo_t* cr = cairo_create(m_backBuffer);
    std::vector<CRect> painted;
    {
        CDrawContext context(cr, &m_frame.getTextRenderer(), scale);
        painted = m_frame.paintDirtyRects(&context);
    }
    cairo_destroy(cr);
    // Nothing changed: nothing is drawn and nothing goes to the server.
    if (painted.empty()) return;
    cairo_surface_flush(m_backBuffer);

    // Each painted part goes to the server on its own: with the whole image as the source,
    // cairo would send all of it.
    cairo_t* window = cairo_create(m_windowSurface);
    cairo_set_operator(window, CAIRO_OPERATOR_SOURCE);
    for (const CRect& layout : painted)
    {
        // Painted in frame coordinates on whole device pixels: the same pixels times the scale.
        const CRect r = pixelBounds(layout, scale, m_width, m_height);
        if (r.isEmpty()) continue;
        cairo_surface_t* part = cairo_surface_create_for_rectangle(m_backBuffer, r.left, r.top,
                                                                   r.getWidth(), r.getHeight());
        cairo_set_source_surface(window, part, r.left, r.top);
        cairo_rectangle(window, r.left, r.top, r.getWidth(), r.getHeight());
        cairo_fill(window);
        cairo_surface_destroy(part);
    }
    cairo_destroy(window);
    cairo_surface_flush(m_windowSurface);
    xcb_flush(m_connection);
}
} // namespace VSTGUI::X11
