#include "host/editor/HostWindow.h"

#include <cstdlib>
#include <cstring>

namespace vevadur::host
{

using namespace Steinberg;

namespace
{
// WM_NORMAL_HINTS as ICCCM lays it out: flags, then 17 values; only the sizes are set here.
struct SizeHints
{
    uint32_t flags = 0;
    int32_t x = 0, y = 0, width = 0, height = 0;
    int32_t minWidth = 0, minHeight = 0, maxWidth = 0, maxHeight = 0;
    int32_t widthIncrement = 0, heightIncrement = 0;
    int32_t minAspect[2] = {0, 0}, maxAspect[2] = {0, 0};
    int32_t baseWidth = 0, baseHeight = 0;
    uint32_t gravity = 0;
};
constexpr uint32_t kMinSizeHint = 1 << 4;
constexpr uint32_t kMaxSizeHint = 1 << 5;

// XEmbed: the first message an embedder sends its client, and the flag of _XEMBED_INFO.
constexpr uint32_t kXEmbedEmbeddedNotify = 0;
constexpr uint32_t kXEmbedMapped = 1 << 0;
constexpr uint32_t kXEmbedVersion = 0;
} // namespace

std::unique_ptr<HostWindow> HostWindow::create(int width, int height, const std::string& title,
                                               std::string& error)
{
    std::unique_ptr<HostWindow> window(new HostWindow);
    if (!window->open(width, height, title))
    {
        error = "cannot open a window on the X display (is DISPLAY set?)";
        return nullptr;
    }
    return window;
}

bool HostWindow::open(int width, int height, const std::string& title)
{
    int screenNumber = 0;
    m_connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(m_connection)) return false;
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    if (!screens.rem) return false;
    const xcb_screen_t* screen = screens.data;

    m_window = xcb_generate_id(m_connection);
    // Substructure events tell of a plug-in's window created in ours.
    const uint32_t values[] = {screen->black_pixel, XCB_EVENT_MASK_STRUCTURE_NOTIFY |
                                                        XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY};
    xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window, screen->root, 0, 0,
                      static_cast<uint16_t>(width), static_cast<uint16_t>(height), 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, m_window, XCB_ATOM_WM_NAME,
                        XCB_ATOM_STRING, 8, static_cast<uint32_t>(title.size()), title.data());
    m_deleteWindow = atom("WM_DELETE_WINDOW");
    m_xembed = atom("_XEMBED");
    m_xembedInfo = atom("_XEMBED_INFO");
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, m_window, atom("WM_PROTOCOLS"),
                        XCB_ATOM_ATOM, 32, 1, &m_deleteWindow);
    xcb_map_window(m_connection, m_window);
    xcb_flush(m_connection);
    return true;
}

xcb_atom_t HostWindow::atom(const char* name) const
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        m_connection,
        xcb_intern_atom(m_connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

HostWindow::~HostWindow()
{
    if (m_loop) m_loop->unregisterEventHandler(this);
    if (m_window && !xcb_connection_has_error(m_connection))
    {
        xcb_destroy_window(m_connection, m_window);
        xcb_flush(m_connection);
    }
    if (m_connection) xcb_disconnect(m_connection);
}

void HostWindow::resize(int width, int height)
{
    const uint32_t values[] = {static_cast<uint32_t>(width), static_cast<uint32_t>(height)};
    xcb_configure_window(m_connection, m_window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         values);
    xcb_flush(m_connection);
}

void HostWindow::setFixedSize(int width, int height)
{
    SizeHints hints;
    hints.flags = kMinSizeHint | kMaxSizeHint;
    hints.minWidth = hints.maxWidth = width;
    hints.minHeight = hints.maxHeight = height;
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, m_window, XCB_ATOM_WM_NORMAL_HINTS,
                        XCB_ATOM_WM_SIZE_HINTS, 32, sizeof(hints) / 4, &hints);
    xcb_flush(m_connection);
}

void HostWindow::attachTo(RunLoop& loop)
{
    if (m_loop) m_loop->unregisterEventHandler(this);
    m_loop = &loop;
    loop.registerEventHandler(this, xcb_get_file_descriptor(m_connection));
}

void PLUGIN_API HostWindow::onFDIsSet(Linux::FileDescriptor)
{
    if (xcb_connection_has_error(m_connection))
    {
        m_closeRequested = true;
        if (m_loop) m_loop->unregisterEventHandler(this);
        m_loop = nullptr;
        return;
    }
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection))
    {
        switch (event->response_type & 0x7f)
        {
        case XCB_CLIENT_MESSAGE:
        {
            auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
            if (message->data.data32[0] == m_deleteWindow) m_closeRequested = true;
            break;
        }
        case XCB_CREATE_NOTIFY:
        {
            auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
            if (created->parent == m_window && !m_embedded) embed(created->window);
            break;
        }
        case XCB_DESTROY_NOTIFY:
            if (reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window == m_embedded)
                m_embedded = 0;
            break;
        case XCB_PROPERTY_NOTIFY:
        {
            auto* property = reinterpret_cast<xcb_property_notify_event_t*>(event);
            if (property->window == m_embedded && property->atom == m_xembedInfo)
                followEmbeddedMapping();
            break;
        }
        default:
            break;
        }
        std::free(event);
    }
}

void HostWindow::embed(xcb_window_t child)
{
    m_embedded = child;
    // Watching the child's properties before reading them: no change can slip between.
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(m_connection, child, XCB_CW_EVENT_MASK, &mask);
    xcb_client_message_event_t notify = {};
    notify.response_type = XCB_CLIENT_MESSAGE;
    notify.format = 32;
    notify.window = child;
    notify.type = m_xembed;
    notify.data.data32[0] = XCB_CURRENT_TIME;
    notify.data.data32[1] = kXEmbedEmbeddedNotify;
    notify.data.data32[3] = m_window;
    notify.data.data32[4] = kXEmbedVersion;
    xcb_send_event(m_connection, 0, child, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&notify));
    followEmbeddedMapping();
}

void HostWindow::followEmbeddedMapping()
{
    xcb_get_property_reply_t* info = xcb_get_property_reply(
        m_connection,
        xcb_get_property(m_connection, 0, m_embedded, m_xembedInfo, m_xembedInfo, 0, 2), nullptr);
    // A window without the information is not an XEmbed client: it shows itself, if at all.
    if (info && info->format == 32 && xcb_get_property_value_length(info) >= 8)
    {
        const auto* fields = static_cast<const uint32_t*>(xcb_get_property_value(info));
        if (fields[1] & kXEmbedMapped)
            xcb_map_window(m_connection, m_embedded);
        else
            xcb_unmap_window(m_connection, m_embedded);
        xcb_flush(m_connection);
    }
    std::free(info);
}

tresult PLUGIN_API HostWindow::queryInterface(const TUID iid, void** obj)
{
    QUERY_INTERFACE(iid, obj, FUnknown::iid, Linux::IEventHandler)
    QUERY_INTERFACE(iid, obj, Linux::IEventHandler::iid, Linux::IEventHandler)
    *obj = nullptr;
    return kNoInterface;
}

} // namespace vevadur::host
