#pragma once

// The drawing back end's own types, as the toolkit's headers name them: cairo on Linux, GDI+ on
// Windows. Only the back end's sources look inside.
#ifdef _WIN32
namespace Gdiplus
{
class Graphics;
class Bitmap;
} // namespace Gdiplus
namespace VSTGUI
{
using NativeDrawingContext = Gdiplus::Graphics;
using NativeImage = Gdiplus::Bitmap;
} // namespace VSTGUI
#else
typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;
namespace VSTGUI
{
using NativeDrawingContext = cairo_t;
using NativeImage = cairo_surface_t;
} // namespace VSTGUI
#endif
