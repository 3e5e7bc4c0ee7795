#pragma once

// The GDI+ back end's types under the toolkit's names (see vstgui/NativeDrawing.h).
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
