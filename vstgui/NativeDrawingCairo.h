#pragma once

// The cairo back end's types under the toolkit's names (see NativeDrawing.h).
typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;
namespace VSTGUI
{
using NativeDrawingContext = cairo_t;
using NativeImage = cairo_surface_t;
} // namespace VSTGUI
