#include "vstgui/platform/x11/ScreenScale.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>

namespace VSTGUI::X11::ScreenScale
{
namespace
{
constexpr double kReferenceDpi = 96.0;

struct FreeDeleter
{
    void operator()(void* p) const { std::free(p); }
};

std::string trim(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// The RESOURCE_MANAGER property of the first screen's root window, as text.
std::string rootResources(xcb_connection_t* connection)
{
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen) return {};
    std::unique_ptr<xcb_get_property_reply_t, FreeDeleter> reply(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, screen->root, XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING, 0,
                         1 << 20),
        nullptr));
    if (!reply || reply->format != 8) return {};
    const auto* text = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return std::string(text, static_cast<size_t>(xcb_get_property_value_length(reply.get())));
}
} // namespace

double fromResources(const std::string& resources)
{
    std::istringstream lines(resources);
    std::string line;
    double scale = 0;
    while (std::getline(lines, line))
    {
        const auto colon = line.find(':');
        if (colon == std::string::npos || trim(line.substr(0, colon)) != "Xft.dpi") continue;
        const std::string value = trim(line.substr(colon + 1));
        char* end = nullptr;
        const double dpi = std::strtod(value.c_str(), &end);
        // The last entry for a resource is the one that holds.
        scale = (end != value.c_str() && *end == '\0' && dpi >= 24 && dpi <= 1000)
                    ? dpi / kReferenceDpi
                    : 0;
    }
    return scale;
}

double fromGdkScale(const char* value)
{
    if (!value || !*value) return 0;
    char* end = nullptr;
    const long scale = std::strtol(value, &end, 10);
    return (*end == '\0' && scale >= 1 && scale <= 4) ? static_cast<double>(scale) : 0;
}

double query()
{
    if (const double scale = fromGdkScale(std::getenv("GDK_SCALE")); scale > 0) return scale;
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    double scale = 0;
    if (!xcb_connection_has_error(connection)) scale = fromResources(rootResources(connection));
    xcb_disconnect(connection);
    return scale;
}
} // namespace VSTGUI::X11::ScreenScale
