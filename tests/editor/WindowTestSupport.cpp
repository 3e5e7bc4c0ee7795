#include "WindowTestSupport.h"

#include "vstgui/COffscreenContext.h"
#include "vstgui/CViewContainer.h"

#include <cairo.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>

using namespace VSTGUI;

namespace
{
struct FreeDeleter
{
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using XcbPtr = std::unique_ptr<T, FreeDeleter>;

struct Connection
{
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    ~Connection() { xcb_disconnect(c); }
    bool ok() const { return !xcb_connection_has_error(c); }
};

const xcb_visualtype_t* findVisual(xcb_connection_t* c, xcb_visualid_t id)
{
    for (auto screens = xcb_setup_roots_iterator(xcb_get_setup(c)); screens.rem;
         xcb_screen_next(&screens))
        for (auto depths = xcb_screen_allowed_depths_iterator(screens.data); depths.rem;
             xcb_depth_next(&depths))
            for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem;
                 xcb_visualtype_next(&visuals))
                if (visuals.data->visual_id == id) return visuals.data;
    return nullptr;
}

// One channel of a pixel under a visual's mask, as 8 bits.
uint32_t channel(uint32_t pixel, uint32_t mask)
{
    if (!mask) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1))
        ++shift;
    const uint32_t value = (pixel & mask) >> shift;
    const uint32_t maximum = mask >> shift;
    return (value * 255 + maximum / 2) / maximum;
}

} // namespace

Image Image::crop(const CRect& rect) const
{
    Image part;
    part.width = static_cast<int>(rect.getWidth());
    part.height = static_cast<int>(rect.getHeight());
    for (int y = 0; y < part.height; ++y)
        for (int x = 0; x < part.width; ++x)
        {
            const int sx = static_cast<int>(rect.left) + x;
            const int sy = static_cast<int>(rect.top) + y;
            part.pixels.push_back(sx >= 0 && sy >= 0 && sx < width && sy < height ? at(sx, sy) : 0);
        }
    return part;
}

bool Image::writePNG(const std::string& path) const
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            *reinterpret_cast<uint32_t*>(data + y * stride + x * 4) = at(x, y);
    cairo_surface_mark_dirty(surface);
    const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return written;
}

Image captureWindow(uint32_t window)
{
    Image image;
    Connection x;
    if (!x.ok()) return image;
    XcbPtr<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(x.c, xcb_get_geometry(x.c, window), nullptr));
    XcbPtr<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(x.c, xcb_get_window_attributes(x.c, window), nullptr));
    if (!geometry || !attributes) return image;
    const xcb_visualtype_t* visual = findVisual(x.c, attributes->visual);
    XcbPtr<xcb_get_image_reply_t> reply(
        xcb_get_image_reply(x.c,
                            xcb_get_image(x.c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0,
                                          geometry->width, geometry->height, ~0u),
                            nullptr));
    if (!reply || !visual) return image;
    const int length = xcb_get_image_data_length(reply.get());
    if (length != geometry->width * geometry->height * 4) return image; // 32 bits per pixel only
    const auto* data = reinterpret_cast<const uint32_t*>(xcb_get_image_data(reply.get()));
    image.width = geometry->width;
    image.height = geometry->height;
    for (int i = 0; i < image.width * image.height; ++i)
        image.pixels.push_back(channel(data[i], visual->red_mask) << 16 |
                               channel(data[i], visual->green_mask) << 8 |
                               channel(data[i], visual->blue_mask));
    return image;
}

CRect screenRect(uint32_t window)
{
    Connection x;
    if (!x.ok()) return {};
    XcbPtr<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(x.c, xcb_get_geometry(x.c, window), nullptr));
    if (!geometry) return {};
    XcbPtr<xcb_translate_coordinates_reply_t> origin(xcb_translate_coordinates_reply(
        x.c, xcb_translate_coordinates(x.c, window, geometry->root, 0, 0), nullptr));
    if (!origin) return {};
    return CRect(origin->dst_x, origin->dst_y, origin->dst_x + geometry->width,
                 origin->dst_y + geometry->height);
}

uint32_t firstChildWindow(uint32_t window)
{
    Connection x;
    if (!x.ok()) return 0;
    XcbPtr<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(x.c, xcb_query_tree(x.c, window), nullptr));
    return tree && xcb_query_tree_children_length(tree.get()) > 0
               ? xcb_query_tree_children(tree.get())[0]
               : 0;
}

bool isMapped(uint32_t window)
{
    Connection x;
    if (!x.ok()) return false;
    XcbPtr<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(x.c, xcb_get_window_attributes(x.c, window), nullptr));
    return attributes && attributes->map_state != XCB_MAP_STATE_UNMAPPED;
}

std::vector<uint32_t> xembedInfo(uint32_t window)
{
    Connection x;
    if (!x.ok()) return {};
    const char name[] = "_XEMBED_INFO";
    XcbPtr<xcb_intern_atom_reply_t> atom(
        xcb_intern_atom_reply(x.c, xcb_intern_atom(x.c, 1, sizeof(name) - 1, name), nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE) return {};
    XcbPtr<xcb_get_property_reply_t> property(xcb_get_property_reply(
        x.c, xcb_get_property(x.c, 0, window, atom->atom, atom->atom, 0, 2), nullptr));
    if (!property || property->format != 32) return {};
    const auto* fields = static_cast<const uint32_t*>(xcb_get_property_value(property.get()));
    return std::vector<uint32_t>(fields,
                                 fields + xcb_get_property_value_length(property.get()) / 4);
}

BareWindow::BareWindow(bool watchChildren) : m_connection(xcb_connect(nullptr, nullptr))
{
    if (xcb_connection_has_error(m_connection)) return;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
    m_window = xcb_generate_id(m_connection);
    // A white background: the window hides what it covers.
    const uint32_t values[] = {screen->white_pixel,
                               watchChildren ? uint32_t{XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY} : 0u};
    xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window, screen->root, 0, 0, 303, 588, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    xcb_map_window(m_connection, m_window);
    // The window exists on the server before anyone is told its id.
    XcbPtr<xcb_get_input_focus_reply_t> sync(
        xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
}

uint32_t BareWindow::embedWithoutMapping(int timeoutMs)
{
    xcb_window_t child = 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!child && std::chrono::steady_clock::now() < end)
    {
        XcbPtr<xcb_generic_event_t> event(xcb_poll_for_event(m_connection));
        if (!event)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        if ((event->response_type & 0x7f) == XCB_CREATE_NOTIFY)
            child = reinterpret_cast<xcb_create_notify_event_t*>(event.get())->window;
    }
    if (!child) return 0;
    const char name[] = "_XEMBED";
    XcbPtr<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, sizeof(name) - 1, name), nullptr));
    xcb_client_message_event_t notify = {};
    notify.response_type = XCB_CLIENT_MESSAGE;
    notify.format = 32;
    notify.window = child;
    notify.type = atom ? atom->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    notify.data.data32[1] = 0; // XEMBED_EMBEDDED_NOTIFY
    notify.data.data32[3] = m_window;
    xcb_send_event(m_connection, 0, child, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&notify));
    xcb_flush(m_connection);
    return child;
}

BareWindow::~BareWindow()
{
    xcb_disconnect(m_connection);
}

uint64_t bytesWrittenByThisProcess()
{
    std::FILE* io = std::fopen("/proc/self/io", "r");
    if (!io) return 0;
    char line[128];
    unsigned long long written = 0;
    while (std::fgets(line, sizeof(line), io))
        if (std::sscanf(line, "wchar: %llu", &written) == 1) break;
    std::fclose(io);
    return written;
}

size_t differingPixels(const Image& a, const Image& b, int tolerance)
{
    if (a.width != b.width || a.height != b.height)
        return static_cast<size_t>(std::max(a.width * a.height, b.width * b.height));
    size_t count = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i)
        for (int shift : {0, 8, 16})
            if (std::abs(static_cast<int>((a.pixels[i] >> shift) & 0xff) -
                         static_cast<int>((b.pixels[i] >> shift) & 0xff)) > tolerance)
            {
                ++count;
                break;
            }
    return count;
}

bool xdotool(const std::string& arguments)
{
    // An X server that stops answering must not stall the test: xdotool gets 30 s.
    return std::system(("timeout -k 5 30 xdotool " + arguments + " >/dev/null 2>&1").c_str()) == 0;
}

bool xdotoolInstalled()
{
    return std::system("command -v xdotool >/dev/null 2>&1") == 0;
}

ReferenceEditor::ReferenceEditor() : m_processor(new Steinberg::Vst::Veru2ZOR3::Processor())
{
    m_processor->initialize(nullptr);
    const std::string document = std::string(VEVADUR_UI_RESOURCES_DIR) + "/zada.uidesc";
    m_editor = new VST3Editor(m_processor, "Editor", document.c_str());
    m_editor->open(nullptr);
}

ReferenceEditor::~ReferenceEditor()
{
    m_editor->close();
    m_editor->release();
    m_processor->terminate();
    m_processor->release();
}

Image ReferenceEditor::render() const
{
    CFrame& f = frame();
    COffscreenContext context(static_cast<int>(f.getWidth()), static_cast<int>(f.getHeight()),
                              &f.getTextRenderer(), f.getScaleFactor());
    f.drawRect(&context, CRect(0, 0, f.getWidth(), f.getHeight()));
    // At a scale the picture has the window's pixels, not the layout's.
    const int width = context.getWidth();
    const int height = context.getHeight();
    Image image;
    image.width = width;
    image.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            const CColor c = context.getPixel(x, y);
            image.pixels.push_back(static_cast<uint32_t>(c.red) << 16 |
                                   static_cast<uint32_t>(c.green) << 8 | c.blue);
        }
    return image;
}

namespace
{
void collect(CView* view, const CPoint& origin, const std::function<bool(CView*)>& test,
             std::vector<CRect>& found)
{
    CRect rect = view->getViewSize();
    rect.offset(origin);
    if (test(view)) found.push_back(rect);
    if (auto* container = dynamic_cast<CViewContainer*>(view))
        for (size_t i = 0; i < container->getNbViews(); ++i)
            collect(container->getView(i), rect.getTopLeft(), test, found);
}
} // namespace

CRect ReferenceEditor::find(const std::function<bool(CView*)>& test) const
{
    std::vector<CRect> found;
    for (size_t i = 0; i < frame().getNbViews(); ++i)
        collect(frame().getView(i), CPoint(), test, found);
    return found.size() == 1 ? found[0] : CRect();
}
