// Draws the editor's bitmaps into a folder: vevadur-bitmapgen <output folder>
// Each bitmap a view shows is drawn at the screen scales the editor offers: NAME.png at 1,
// NAME_1.5x.png and NAME_2x.png (the toolkit's names for an image drawn for a scale).
#include "BrushedMetal.h"
#include "KnobStrip.h"
#include "ToggleSwitch.h"

#include <cstdio>
#include <string>

#include <sys/stat.h>

using namespace bitmapgen;

namespace
{
constexpr int kKnobSize = 42;
constexpr int kKnobFrames = 80;

constexpr double kScales[] = {1.0, 1.5, 2.0};

// "knob.png" at 1, "knob_1.5x.png" at 1.5, "knob_2x.png" at 2.
std::string scaledName(const std::string& file, double scale)
{
    if (scale == 1.0) return file;
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "_%gx", scale);
    return file.substr(0, file.size() - 4) + suffix + ".png";
}

bool save(cairo_surface_t* surface, const std::string& folder, const std::string& file)
{
    std::string path = folder + "/" + file;
    bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    if (!ok) std::fprintf(stderr, "vevadur-bitmapgen: cannot write %s\n", path.c_str());
    return ok;
}

cairo_surface_t* singleKnob(int size, const KnobStyle& style)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    drawKnob(cr, size, 1.5 * kPi, style);
    cairo_destroy(cr);
    return surface;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: vevadur-bitmapgen <output folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    mkdir(folder.c_str(), 0755); // an existing folder is fine
    // Black bakelite pointer over a black skirt, cream line: the room controls.
    const KnobStyle chickenheadBlack{true,
                                     {0.38, 0.38, 0.40},
                                     {0.04, 0.04, 0.05},
                                     {0.42, 0.42, 0.44},
                                     {0.02, 0.02, 0.03},
                                     {0.96, 0.93, 0.82}};
    // Black pointer over a brushed silver skirt: the output level.
    const KnobStyle chickenheadSilver{true,
                                      {0.97, 0.97, 0.98},
                                      {0.52, 0.53, 0.55},
                                      {0.42, 0.42, 0.44},
                                      {0.02, 0.02, 0.03},
                                      {0.96, 0.93, 0.82}};
    // Round black cap on a knurled skirt, white line: the rotation speed.
    const KnobStyle roundBlack{false,
                               {0.45, 0.45, 0.47},
                               {0.06, 0.06, 0.07},
                               {0.35, 0.35, 0.37},
                               {0.03, 0.03, 0.04},
                               {1.0, 1.0, 1.0}};
    // Silver cap, red line: the spare module bitmap.
    const KnobStyle roundSilver{false,
                                {0.30, 0.30, 0.32},
                                {0.05, 0.05, 0.06},
                                {0.98, 0.98, 0.99},
                                {0.55, 0.56, 0.58},
                                {0.85, 0.1, 0.08}};

    bool ok = true;
    for (double scale : kScales)
    {
        const auto as = [scale](const char* file) { return scaledName(file, scale); };
        ok = save(drawBrushedMetal(268, 553, scale), folder, as("greymetal.png")) && ok;
        ok = save(drawKnobStrip(kKnobSize, kKnobFrames, chickenheadSilver, scale), folder,
                  as("chickenhead2.png")) &&
             ok;
        ok = save(drawKnobStrip(kKnobSize, kKnobFrames, chickenheadBlack, scale), folder,
                  as("chickenhead3.png")) &&
             ok;
        ok = save(drawKnobStrip(kKnobSize, kKnobFrames, roundBlack, scale), folder,
                  as("knob.png")) &&
             ok;
        ok = save(drawToggleSwitch(kKnobSize, scale), folder, as("medtoggleswitch.png")) && ok;
    }
    // The spare bitmap no view shows: one scale.
    ok = save(singleKnob(64, roundSilver), folder, "KNOBVST.png") && ok;
    return ok ? 0 : 1;
}
