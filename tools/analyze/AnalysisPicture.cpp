#include "tools/analyze/AnalysisPicture.h"

#include "tools/analyze/DecayTimes.h"
#include "tools/analyze/OctaveBands.h"
#include "tools/analyze/Spectrogram.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace analyze
{
namespace
{
constexpr int kRowHeight = 300;
constexpr int kPanelWidth = 560;
constexpr int kMargin = 48;
constexpr double kLowestHz = 50.0;
constexpr double kFloorDb = -80.0;
constexpr double kCurveFloorDb = -60.0;

struct Box
{
    double x, y, w, h;
};

struct Rgb
{
    double r, g, b;
};

// Dark blue through red to pale yellow, for levels from the floor to 0 dB.
Rgb heat(double level)
{
    const double t = std::clamp(1.0 - level / kFloorDb, 0.0, 1.0);
    return {std::clamp(1.8 * t - 0.3, 0.0, 1.0), std::clamp(2.2 * t - 1.2, 0.0, 1.0),
            std::clamp(t < 0.5 ? 0.35 + t : 1.6 - 2.2 * t + std::max(0.0, 3.0 * t - 2.4), 0.0,
                       1.0)};
}

const Rgb kBandColours[kOctaveCount] = {{0.55, 0.15, 0.65}, {0.20, 0.30, 0.85}, {0.05, 0.60, 0.75},
                                        {0.15, 0.65, 0.20}, {0.85, 0.65, 0.05}, {0.90, 0.40, 0.05},
                                        {0.80, 0.10, 0.10}};

void label(cairo_t* cr, double x, double y, const char* text)
{
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text);
}

void frame(cairo_t* cr, const Box& b)
{
    cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, b.x, b.y, b.w, b.h);
    cairo_stroke(cr);
}

// Second marks below a panel that spans `seconds`.
void timeAxis(cairo_t* cr, const Box& b, double seconds)
{
    const double step = seconds > 2.0 ? 0.5 : 0.25;
    char text[16];
    for (double t = 0.0; t <= seconds; t += step)
    {
        const double x = b.x + b.w * t / seconds;
        cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
        cairo_move_to(cr, x, b.y + b.h);
        cairo_line_to(cr, x, b.y + b.h + 4);
        cairo_stroke(cr);
        std::snprintf(text, sizeof text, "%g s", t);
        label(cr, x - 8, b.y + b.h + 15, text);
    }
}

void drawSpectrogram(cairo_t* cr, const Box& b, const Spectrogram& s, double sampleRate)
{
    if (s.frameCount == 0) return;
    const double nyquist = sampleRate / 2.0;
    const double logSpan = std::log(nyquist / kLowestHz);
    const double columnWidth = b.w / s.frameCount;
    for (int row = 0; row < static_cast<int>(b.h); ++row)
    {
        const double hz = kLowestHz * std::exp(logSpan * (1.0 - (row + 0.5) / b.h));
        const int bin = std::min(s.binCount - 1, static_cast<int>(std::lround(hz / s.binHz)));
        for (int f = 0; f < s.frameCount; ++f)
        {
            const Rgb c = heat(s.level(f, bin));
            cairo_set_source_rgb(cr, c.r, c.g, c.b);
            cairo_rectangle(cr, b.x + f * columnWidth, b.y + row, columnWidth + 0.5, 1.0);
            cairo_fill(cr);
        }
    }
    frame(cr, b);
    char text[32];
    for (double hz : {100.0, 1000.0, 10000.0})
    {
        if (hz >= nyquist) continue;
        const double y = b.y + b.h * (1.0 - std::log(hz / kLowestHz) / logSpan);
        std::snprintf(text, sizeof text, "%g kHz", hz / 1000.0);
        label(cr, b.x - kMargin + 4, y + 4, text);
    }
}

void drawDecayCurves(cairo_t* cr, const Box& b, const std::vector<double>& x, double sampleRate)
{
    const int onset = responseOnset(x);
    const double seconds = static_cast<double>(x.size()) / sampleRate;
    cairo_set_source_rgb(cr, 0.85, 0.85, 0.85);
    for (double db = -10.0; db > kCurveFloorDb; db -= 10.0)
    {
        cairo_move_to(cr, b.x, b.y + b.h * db / kCurveFloorDb);
        cairo_line_to(cr, b.x + b.w, b.y + b.h * db / kCurveFloorDb);
    }
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1.5);
    for (int band = 0; band < kOctaveCount; ++band)
    {
        const std::vector<double> curve =
            schroederCurve(octaveBand(x, kOctaveCentres[band], sampleRate), onset);
        const Rgb& c = kBandColours[band];
        cairo_set_source_rgb(cr, c.r, c.g, c.b);
        for (size_t i = 0; i < curve.size(); i += 16)
        {
            if (!(curve[i] > kCurveFloorDb)) break;
            const double px = b.x + b.w * (onset + i) / sampleRate / seconds;
            const double py = b.y + b.h * curve[i] / kCurveFloorDb;
            i == 0 ? cairo_move_to(cr, px, py) : cairo_line_to(cr, px, py);
        }
        cairo_stroke(cr);
        char text[16];
        std::snprintf(text, sizeof text, "%g Hz", kOctaveCentres[band]);
        cairo_set_source_rgb(cr, c.r, c.g, c.b);
        cairo_move_to(cr, b.x + b.w - 70, b.y + 16 + 14 * band);
        cairo_show_text(cr, text);
    }
    frame(cr, b);
    label(cr, b.x - kMargin + 4, b.y + 10, "0 dB");
    label(cr, b.x - kMargin + 4, b.y + b.h, "-60 dB");
}

void drawRow(cairo_t* cr, int row, const std::vector<double>& x, double sampleRate)
{
    const double top = row * kRowHeight + 30.0;
    const double height = kRowHeight - 60.0;
    const Box left{kMargin, top, kPanelWidth, height};
    const Box right{2.0 * kMargin + kPanelWidth, top, kPanelWidth, height};
    char text[96];
    std::snprintf(text, sizeof text, "Channel %d: spectrogram, 0 to %.2f s", row + 1,
                  x.size() / sampleRate);
    label(cr, left.x, top - 8, text);
    std::snprintf(text, sizeof text, "Channel %d: octave-band Schroeder decay, 0 to %.2f s",
                  row + 1, x.size() / sampleRate);
    label(cr, right.x, top - 8, text);
    drawSpectrogram(cr, left, spectrogram(x, sampleRate), sampleRate);
    drawDecayCurves(cr, right, x, sampleRate);
    timeAxis(cr, left, x.size() / sampleRate);
    timeAxis(cr, right, x.size() / sampleRate);
}
} // namespace

bool writeAnalysisPicture(const std::string& path, const std::vector<std::vector<double>>& channels,
                          double sampleRate)
{
    if (channels.empty() || !(sampleRate > 0.0)) return false;
    const int width = 3 * kMargin + 2 * kPanelWidth;
    const int height = kRowHeight * static_cast<int>(channels.size());
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
    cairo_paint(cr);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 11.0);
    for (size_t c = 0; c < channels.size(); ++c)
        if (!channels[c].empty()) drawRow(cr, static_cast<int>(c), channels[c], sampleRate);
    cairo_destroy(cr);
    const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return written;
}
} // namespace analyze
