#include "TestImages.h"

#include <cairo.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

using VSTGUI::CColor;

TempFolder::TempFolder()
{
    char pattern[] = "/tmp/vevadur-gui-test-XXXXXX";
    const char* folder = mkdtemp(pattern);
    m_path = folder ? folder : "/tmp";
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    if (m_path != "/tmp") std::filesystem::remove_all(m_path, ignored);
}

void writePng(const std::string& path, int width, int height,
              const std::function<CColor(int x, int y)>& pixel)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            const CColor c = pixel(x, y);
            cairo_set_source_rgb(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0);
            cairo_rectangle(cr, x, y, 1, 1);
            cairo_fill(cr);
        }
    cairo_destroy(cr);
    cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
}

void writeSolidPng(const std::string& path, int width, int height, CColor colour)
{
    writePng(path, width, height, [colour](int, int) { return colour; });
}

void writeFilmStripPng(const std::string& path, int width, int frameHeight, int frames)
{
    writePng(path, width, frameHeight * frames,
             [frameHeight](int, int y)
             { return CColor(static_cast<uint8_t>(20 * (y / frameHeight)), 0, 255); });
}

int filmStripFrame(CColor pixel)
{
    return static_cast<int>(std::lround(pixel.red / 20.0));
}
