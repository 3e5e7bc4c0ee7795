#pragma once

#include <string>

namespace VSTGUI::X11
{
// The scale an X11 desktop asks for, as GTK and Qt read it: GDK_SCALE when set (a whole
// number), else the server's Xft.dpi resource, where 96 dpi is 1. 0 when neither says.
namespace ScreenScale
{
// The scale a resource database's text (the root window's RESOURCE_MANAGER property) gives
// with its "Xft.dpi" line; 0 without one or with a value that is no resolution.
double fromResources(const std::string& resources);
// The scale of a GDK_SCALE value; 0 for none or no whole positive number.
double fromGdkScale(const char* value);
// Asks the server named by DISPLAY (connects for the question) and the environment.
double query();
} // namespace ScreenScale
} // namespace VSTGUI::X11
