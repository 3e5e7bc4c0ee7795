// The editor at screen scales, offscreen: the render tool's scaled pictures against its own 1x
// picture (same look, finer detail than stretching), the bitmaps drawn for each scale, the
// desktop's scale as X11 states it, and the zoom menu with the user's settings file.
// Must come first: it renames the edit controller's state pair.
#include "vst3/Processor.h"

#include "vstgui/CBitmap.h"
#include "vstgui/CFrame.h"
#include "vstgui/CKnob.h"
#include "vstgui/COffscreenContext.h"
#include "vstgui/COptionMenuPopup.h"
#include "vstgui/ScaleFactor.h"
#include "vstgui/UserSettings.h"
#include "vstgui/platform/x11/ScreenScale.h"
#include "vstgui/plugin-bindings/VST3Editor.h"
#include "vstgui/plugin-bindings/ZoomMenu.h"

#include "public.sdk/source/common/memorystream.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>
#include <vector>

using namespace VSTGUI;
using Steinberg::Vst::Veru2ZOR3::Processor;

namespace
{
const std::string kDocument = std::string(VEVADUR_UI_RESOURCES_DIR) + "/zada.uidesc";

// An RGB picture as doubles per channel, rows top down.
struct Picture
{
    int width = 0;
    int height = 0;
    std::vector<double> rgb;
    int notOpaque = 0; // pixels nothing painted fully
    double at(int x, int y, int c) const
    {
        return rgb[(static_cast<size_t>(y) * width + x) * 3 + c];
    }
};

bool readPng(const std::string& path, Picture& picture)
{
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    const bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
    if (ok)
    {
        picture.width = cairo_image_surface_get_width(surface);
        picture.height = cairo_image_surface_get_height(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        const unsigned char* data = cairo_image_surface_get_data(surface);
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x)
            {
                uint32_t pixel;
                std::memcpy(&pixel, data + y * stride + x * 4, 4);
                if ((pixel >> 24) != 0xff &&
                    cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32)
                    ++picture.notOpaque;
                for (int shift : {16, 8, 0})
                    picture.rgb.push_back((pixel >> shift) & 0xff);
            }
    }
    cairo_surface_destroy(surface);
    return ok;
}

// Each 2 x 2 block averaged: what the eye sees of a 2x picture from twice as far.
Picture halve(const Picture& p)
{
    Picture half;
    half.width = p.width / 2;
    half.height = p.height / 2;
    for (int y = 0; y < half.height; ++y)
        for (int x = 0; x < half.width; ++x)
            for (int c = 0; c < 3; ++c)
                half.rgb.push_back((p.at(2 * x, 2 * y, c) + p.at(2 * x + 1, 2 * y, c) +
                                    p.at(2 * x, 2 * y + 1, c) + p.at(2 * x + 1, 2 * y + 1, c)) /
                                   4);
    return half;
}

// A picture stretched to twice its size by bilinear interpolation, as a window system
// stretches the window of a program that does not scale itself.
Picture stretchTwice(const Picture& p)
{
    Picture big;
    big.width = p.width * 2;
    big.height = p.height * 2;
    for (int y = 0; y < big.height; ++y)
        for (int x = 0; x < big.width; ++x)
        {
            const double u = std::clamp((x + 0.5) / 2 - 0.5, 0.0, p.width - 1.0);
            const double v = std::clamp((y + 0.5) / 2 - 0.5, 0.0, p.height - 1.0);
            const int x0 = static_cast<int>(u);
            const int y0 = static_cast<int>(v);
            const int x1 = std::min(x0 + 1, p.width - 1);
            const int y1 = std::min(y0 + 1, p.height - 1);
            const double fx = u - x0;
            const double fy = v - y0;
            for (int c = 0; c < 3; ++c)
                big.rgb.push_back((p.at(x0, y0, c) * (1 - fx) + p.at(x1, y0, c) * fx) * (1 - fy) +
                                  (p.at(x0, y1, c) * (1 - fx) + p.at(x1, y1, c) * fx) * fy);
        }
    return big;
}

double meanDifference(const Picture& a, const Picture& b)
{
    double total = 0;
    for (size_t i = 0; i < a.rgb.size(); ++i)
        total += std::abs(a.rgb[i] - b.rgb[i]);
    return total / static_cast<double>(a.rgb.size());
}

// Mean squared difference of horizontally and vertically adjacent pixels: how much fine detail
// and how many hard edges a picture has.
double gradientEnergy(const Picture& p)
{
    double total = 0;
    for (int y = 0; y + 1 < p.height; ++y)
        for (int x = 0; x + 1 < p.width; ++x)
            for (int c = 0; c < 3; ++c)
            {
                const double dx = p.at(x + 1, y, c) - p.at(x, y, c);
                const double dy = p.at(x, y + 1, c) - p.at(x, y, c);
                total += dx * dx + dy * dy;
            }
    return total / (3.0 * (p.width - 1) * (p.height - 1));
}

int runRenderTool(const std::string& arguments)
{
    const int status = std::system(
        (std::string(VEVADUR_RENDER_EDITOR) + " " + arguments + " 2>/dev/null").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A file in a folder of this test process's own (other builds may run the same tests at once).
std::string tempPath(const std::string& name)
{
    static const std::string folder = []
    {
        std::string pattern = ::testing::TempDir() + "editor-scale-XXXXXX";
        return mkdtemp(pattern.data()) ? pattern : ::testing::TempDir();
    }();
    return folder + "/" + name;
}

// The component state stream as the host would store it.
std::string componentState(Processor& processor)
{
    Steinberg::MemoryStream stream;
    EXPECT_EQ(processor.getState(&stream), Steinberg::kResultOk);
    return std::string(stream.getData(), static_cast<size_t>(stream.getSize()));
}

// Points XDG_CONFIG_HOME at a fresh folder of the test's own while it lives.
class ConfigurationFolder
{
  public:
    explicit ConfigurationFolder(const std::string& name) : m_folder(tempPath("config-" + name))
    {
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) m_saved = old;
        std::filesystem::remove_all(m_folder);
        setenv("XDG_CONFIG_HOME", m_folder.c_str(), 1);
    }
    ~ConfigurationFolder()
    {
        if (m_saved.has_value())
            setenv("XDG_CONFIG_HOME", m_saved->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
        std::filesystem::remove_all(m_folder);
    }
    std::filesystem::path settingsFile(const std::string& application) const
    {
        return std::filesystem::path(m_folder) / application / "editor.ini";
    }

  private:
    std::string m_folder;
    std::optional<std::string> m_saved;
};

// The editor on a processor of its own, open offscreen.
struct OffscreenEditor
{
    explicit OffscreenEditor(const std::function<void(VST3Editor&)>& beforeOpen = {})
        : processor(new Processor())
    {
        processor->initialize(nullptr);
        editor = new VST3Editor(processor, "Editor", kDocument.c_str());
        if (beforeOpen) beforeOpen(*editor);
        opened = editor->open(nullptr);
    }
    ~OffscreenEditor()
    {
        editor->close();
        editor->release();
        processor->terminate();
        processor->release();
    }
    Steinberg::ViewRect size() const
    {
        Steinberg::ViewRect r;
        editor->getSize(&r);
        return r;
    }

    Processor* processor;
    VST3Editor* editor;
    bool opened = false;
};
} // namespace

TEST(EditorScale, TheRenderToolDrawsTwiceAsManyPixelsWithTheSameLookAndFinerDetail)
{
    const std::string one = tempPath("1x.png");
    const std::string two = tempPath("2x.png");
    const std::string oneAndHalf = tempPath("1.5x.png");
    ASSERT_EQ(runRenderTool(one), 0);
    ASSERT_EQ(runRenderTool("--scale 2 " + two), 0);
    ASSERT_EQ(runRenderTool("--scale 1.5 " + oneAndHalf), 0);
    Picture p1, p2, p15;
    ASSERT_TRUE(readPng(one, p1));
    ASSERT_TRUE(readPng(two, p2));
    ASSERT_TRUE(readPng(oneAndHalf, p15));
    EXPECT_EQ(p1.width, 303);
    EXPECT_EQ(p1.height, 588);
    EXPECT_EQ(p2.width, 606);
    EXPECT_EQ(p2.height, 1176);
    EXPECT_EQ(p15.width, 454); // 454.5, halves rounded down: every pixel painted
    EXPECT_EQ(p15.height, 882);
    // The panel covers every pixel at every scale: no column or row left unpainted at the edge.
    EXPECT_EQ(p1.notOpaque, 0);
    EXPECT_EQ(p2.notOpaque, 0);
    EXPECT_EQ(p15.notOpaque, 0);

    // Seen from twice as far, the 2x picture is the 1x picture: the same bitmaps, shapes and
    // texts in the same places (measured: a mean difference of about 4.4 of 255 per channel,
    // mostly the grain of the metal and the glyphs' own hinting).
    const double difference = meanDifference(halve(p2), p1);
    RecordProperty("mean_difference_halved_2x_vs_1x", std::to_string(difference));
    EXPECT_LT(difference, 8.0);
    // And it is sharper than the 1x picture stretched: drawn for the scale, not enlarged
    // (measured: about 2.6 times the gradient energy).
    const double drawn = gradientEnergy(p2);
    const double stretched = gradientEnergy(stretchTwice(p1));
    RecordProperty("gradient_energy_2x", std::to_string(drawn));
    RecordProperty("gradient_energy_stretched_1x", std::to_string(stretched));
    EXPECT_GT(drawn, 1.5 * stretched);

    // Scales it cannot draw are refused with the usage text.
    EXPECT_EQ(runRenderTool("--scale 0 " + tempPath("bad.png")), 2);
    EXPECT_EQ(runRenderTool("--scale nan " + tempPath("bad.png")), 2);
    EXPECT_EQ(runRenderTool("--scale"), 2);
}

TEST(EditorScale, BitmapsComeDrawnForEachScaleAndTheNearestLargerOneIsDrawn)
{
    CBitmap knob("chickenhead3.png", VEVADUR_UI_RESOURCES_DIR);
    ASSERT_TRUE(knob.isLoaded());
    ASSERT_EQ(knob.getNumRepresentations(), 3u);
    // Every image shows the same 80 frames of 42 x 42 layout pixels.
    for (double scale : {1.0, 1.5, 2.0})
    {
        const CBitmap::Representation* r = knob.representationFor(scale);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->scale, scale);
        EXPECT_EQ(cairo_image_surface_get_width(r->image), std::lround(42 * scale));
        EXPECT_EQ(cairo_image_surface_get_height(r->image), std::lround(42 * scale) * 80);
    }
    EXPECT_EQ(knob.representationFor(1.25)->scale, 1.5); // shrunk a little, never enlarged
    EXPECT_EQ(knob.representationFor(3.0)->scale, 2.0);  // the largest there is
    EXPECT_EQ(knob.representationFor(0.5)->scale, 1.0);
    // The size a view lays out with stays the scale-1 image's.
    EXPECT_EQ(knob.getWidth(), 42);
    EXPECT_EQ(knob.getHeight(), 42 * 80);

    // A bitmap drawn for one scale only is stretched where it must be.
    CBitmap spare("KNOBVST.png", VEVADUR_UI_RESOURCES_DIR);
    ASSERT_TRUE(spare.isLoaded());
    EXPECT_EQ(spare.getNumRepresentations(), 1u);
    EXPECT_EQ(spare.representationFor(2.0)->scale, 1.0);
    EXPECT_EQ(BitmapScales::resourceName("knob.png", 1.5), "knob_1.5x.png");
    EXPECT_EQ(BitmapScales::resourceName("knob.png", 2.0), "knob_2x.png");
}

TEST(EditorScale, AKnobFrameIsDrawnPixelForPixelAtEveryScale)
{
    // Frame 40 of the strip, drawn at 2 into a 2x context, is exactly the 2x image's pixels:
    // nothing resampled, nothing shifted.
    CBitmap knob("chickenhead3.png", VEVADUR_UI_RESOURCES_DIR);
    ASSERT_TRUE(knob.isLoaded());
    for (double scale : {1.0, 1.5, 2.0})
    {
        COffscreenContext context(42, 42, nullptr, scale);
        knob.draw(&context, CRect(0, 0, 42, 42), CPoint(0, 42 * 40));
        cairo_surface_t* image = knob.representationFor(scale)->image;
        cairo_surface_flush(image);
        const unsigned char* data = cairo_image_surface_get_data(image);
        const int stride = cairo_image_surface_get_stride(image);
        const int frame = static_cast<int>(std::lround(42 * scale));
        int differing = 0;
        for (int y = 0; y < frame; ++y)
            for (int x = 0; x < frame; ++x)
            {
                uint32_t argb;
                std::memcpy(&argb, data + (frame * 40 + y) * stride + x * 4, 4);
                const CColor drawn = context.getPixel(x, y);
                if (std::abs(drawn.alpha - static_cast<int>(argb >> 24)) > 1) ++differing;
            }
        EXPECT_EQ(differing, 0) << "scale " << scale;
    }
}

TEST(EditorScale, TheDesktopsScaleComesFromXftDpiOrGdkScale)
{
    using namespace X11::ScreenScale;
    EXPECT_EQ(fromResources("Xft.dpi:\t192\n"), 2.0);
    EXPECT_EQ(fromResources("Xft.antialias:\t1\nXft.dpi:  144 \nXft.hinting:\t1\n"), 1.5);
    EXPECT_EQ(fromResources("Xft.dpi:\t96"), 1.0);
    EXPECT_EQ(fromResources("Xft.dpi:\t120\r\n"), 1.25);
    // The last entry holds, as in the resource manager.
    EXPECT_EQ(fromResources("Xft.dpi:\t96\nXft.dpi:\t192\n"), 2.0);
    // No resolution said: nothing to go by.
    EXPECT_EQ(fromResources(""), 0.0);
    EXPECT_EQ(fromResources("Xcursor.size:\t48\n"), 0.0);
    EXPECT_EQ(fromResources("Xft.dpi:\tlarge\n"), 0.0);
    EXPECT_EQ(fromResources("Xft.dpi:\t0\n"), 0.0);
    EXPECT_EQ(fromResources("Xft.dpi:\t1e308\n"), 0.0);
    EXPECT_EQ(fromResources("*dpi:\t192\n"), 0.0);

    EXPECT_EQ(fromGdkScale("2"), 2.0);
    EXPECT_EQ(fromGdkScale("1"), 1.0);
    EXPECT_EQ(fromGdkScale(nullptr), 0.0);
    EXPECT_EQ(fromGdkScale(""), 0.0);
    EXPECT_EQ(fromGdkScale("1.5"), 0.0); // GDK takes whole numbers only
    EXPECT_EQ(fromGdkScale("0"), 0.0);
    EXPECT_EQ(fromGdkScale("-2"), 0.0);
    EXPECT_EQ(fromGdkScale("9"), 0.0);
}

TEST(EditorScale, AHostFactorScalesTheViewAndTheFrameWithoutChangingTheLayout)
{
    OffscreenEditor plain;
    ASSERT_TRUE(plain.opened);
    EXPECT_EQ(plain.size().getWidth(), 303);
    EXPECT_EQ(plain.size().getHeight(), 588);

    for (const auto& [factor, width, height] :
         {std::tuple{2.0f, 606, 1176}, std::tuple{1.5f, 454, 882}, std::tuple{1.25f, 379, 735}})
    {
        // Given before the editor opens (as hosts do) or while it is open.
        OffscreenEditor before(
            [factor = factor](VST3Editor& e)
            { EXPECT_EQ(e.setContentScaleFactor(factor), Steinberg::kResultTrue); });
        ASSERT_TRUE(before.opened);
        EXPECT_EQ(before.size().getWidth(), width) << factor;
        EXPECT_EQ(before.size().getHeight(), height) << factor;
        EXPECT_EQ(before.editor->getFrame()->getScaleFactor(), factor);
        EXPECT_EQ(before.editor->getFrame()->getViewSize(), CRect(0, 0, 303, 588));

        OffscreenEditor during;
        ASSERT_TRUE(during.opened);
        EXPECT_EQ(during.editor->setContentScaleFactor(factor), Steinberg::kResultTrue);
        EXPECT_EQ(during.size().getWidth(), width) << factor;
        EXPECT_EQ(during.editor->getFrame()->getScaleFactor(), factor);
    }

    // Factors that are no scale are refused and change nothing.
    for (float bad : {0.0f, -1.0f, std::nanf(""), INFINITY})
        EXPECT_EQ(plain.editor->setContentScaleFactor(bad), Steinberg::kInvalidArgument);
    EXPECT_EQ(plain.size().getWidth(), 303);
    // Extreme ones are held to what the editor can draw.
    EXPECT_EQ(plain.editor->setContentScaleFactor(100.f), Steinberg::kResultTrue);
    EXPECT_EQ(plain.editor->getFrame()->getScaleFactor(), ScaleFactor::kMaximum);
}

TEST(EditorScale, TheZoomMenuOverridesTheHostAndIsKeptInTheUsersSettingsNotInTheState)
{
    ConfigurationFolder config("zoom");
    constexpr const char* kApplication = "VevadurROT-test";
    OffscreenEditor first([](VST3Editor& e) { e.setZoomSettingsName(kApplication); });
    ASSERT_TRUE(first.opened);
    ASSERT_EQ(first.editor->setContentScaleFactor(1.5f), Steinberg::kResultTrue);
    const std::string stateBefore = componentState(*first.processor);
    CFrame& frame = *first.editor->getFrame();

    // A right click anywhere on the panel opens the zoom choices there.
    CPoint where(100, 200);
    EXPECT_EQ(frame.onMouseDown(where, kRButton), kMouseEventHandled);
    auto* popup = dynamic_cast<COptionMenuPopup*>(frame.getModalView());
    ASSERT_NE(popup, nullptr);
    COptionMenu* menu = popup->getMenu();
    ASSERT_EQ(menu->getNbEntries(), 5);
    EXPECT_EQ(menu->getEntry(0), "Zoom: automatic");
    EXPECT_EQ(menu->getEntry(1), "Zoom: 100 %");
    EXPECT_EQ(menu->getEntry(2), "Zoom: 125 %");
    EXPECT_EQ(menu->getEntry(3), "Zoom: 150 %");
    EXPECT_EQ(menu->getEntry(4), "Zoom: 200 %");
    EXPECT_EQ(menu->getCurrentIndex(), 0); // automatic until the user chooses
    EXPECT_EQ(popup->getViewSize().getTopLeft(), CPoint(100, 200));

    // Choosing 200 % overrides the host's 1.5.
    CPoint entry = popup->entryRect(4).getCenter();
    frame.onMouseDown(entry, kLButton);
    EXPECT_EQ(frame.getModalView(), nullptr);
    EXPECT_EQ(first.editor->getScaleFactor(), 2.0);
    EXPECT_EQ(frame.getScaleFactor(), 2.0);
    EXPECT_EQ(first.size().getWidth(), 606);
    EXPECT_EQ(first.size().getHeight(), 1176);

    // It is the user's, in the settings file; the plug-in's state stream is as it was.
    std::ifstream file(config.settingsFile(kApplication));
    std::string contents((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(contents, "zoom=2\n");
    EXPECT_EQ(componentState(*first.processor), stateBefore);

    // The next editor opens at the user's zoom whatever the host says.
    {
        OffscreenEditor second(
            [](VST3Editor& e)
            {
                e.setContentScaleFactor(1.0f);
                e.setZoomSettingsName(kApplication);
            });
        ASSERT_TRUE(second.opened);
        EXPECT_EQ(second.size().getWidth(), 606);
        EXPECT_EQ(second.editor->getZoomFactor(), 2.0);
    }

    // Back to automatic: the host's factor holds again and the file forgets the zoom.
    where = CPoint(10, 10);
    frame.onMouseDown(where, kRButton);
    popup = dynamic_cast<COptionMenuPopup*>(frame.getModalView());
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->getMenu()->getCurrentIndex(), 4);
    entry = popup->entryRect(0).getCenter();
    frame.onMouseDown(entry, kLButton);
    EXPECT_EQ(frame.getScaleFactor(), 1.5);
    EXPECT_EQ(first.size().getWidth(), 454);
    EXPECT_EQ(UserSettings(kApplication).read("zoom"), "");

    // Closing the menu without a choice changes nothing.
    where = CPoint(10, 10);
    frame.onMouseDown(where, kRButton);
    ASSERT_NE(frame.getModalView(), nullptr);
    CPoint outside(5, 580);
    frame.onMouseDown(outside, kLButton);
    EXPECT_EQ(frame.getModalView(), nullptr);
    EXPECT_EQ(frame.getScaleFactor(), 1.5);
}

TEST(EditorScale, TheSettingsFileKeepsOtherKeysAndSurvivesDamage)
{
    ConfigurationFolder config("settings");
    UserSettings settings("VevadurROT-test");
    EXPECT_EQ(settings.read("zoom"), "");
    EXPECT_TRUE(settings.write("zoom", "1.5"));
    EXPECT_TRUE(settings.write("other", "x=y"));
    EXPECT_EQ(settings.read("zoom"), "1.5");
    EXPECT_EQ(settings.read("other"), "x=y");
    EXPECT_TRUE(settings.write("zoom", ""));
    EXPECT_EQ(settings.read("zoom"), "");
    EXPECT_EQ(settings.read("other"), "x=y");
    // Keys and values that would break the file's lines are refused.
    EXPECT_FALSE(settings.write("a=b", "1"));
    EXPECT_FALSE(settings.write("zoom", "1\nother=2"));
    EXPECT_FALSE(settings.write("", "1"));

    // A damaged file gives no zoom, and an editor reading it opens at its automatic size.
    {
        std::ofstream damaged(config.settingsFile("VevadurROT-test"), std::ios::trunc);
        damaged << "zoom=lots\n\xff\xfe garbage\nzoom\n";
    }
    OffscreenEditor editor([](VST3Editor& e) { e.setZoomSettingsName("VevadurROT-test"); });
    ASSERT_TRUE(editor.opened);
    EXPECT_EQ(editor.editor->getZoomFactor(), 0.0);
    EXPECT_EQ(editor.size().getWidth(), 303);
}

TEST(EditorScale, LayoutAndDevicePixelsConvertWithoutGapsOrOverlaps)
{
    // Sizes round to the nearest pixel, halves down; never below one pixel.
    EXPECT_EQ(ScaleFactor::toDevice(303, 1.0), 303);
    EXPECT_EQ(ScaleFactor::toDevice(303, 2.0), 606);
    EXPECT_EQ(ScaleFactor::toDevice(303, 1.5), 454);
    EXPECT_EQ(ScaleFactor::toDevice(303, 1.25), 379);
    EXPECT_EQ(ScaleFactor::toDevice(0, 2.0), 1);
    // A document may ask for any size: what no int holds ends at the largest one.
    EXPECT_EQ(ScaleFactor::toDevice(6.7e65, 1.5), std::numeric_limits<int>::max());
    EXPECT_EQ(ScaleFactor::toDevice(std::nan(""), 2.0), 1);
    // An area to repaint covers every device pixel the layout rectangle touches, and no more
    // where its edges fall on pixel edges.
    EXPECT_EQ(ScaleFactor::toDeviceBounds(CRect(15, 15, 57, 57), 1.5), CRect(22, 22, 86, 86));
    EXPECT_EQ(ScaleFactor::toDeviceBounds(CRect(10, 20, 30, 40), 2.0), CRect(20, 40, 60, 80));
    EXPECT_EQ(ScaleFactor::toDeviceBounds(CRect(0.3, 0, 1, 1), 1.0), CRect(0, 0, 1, 1));
    // A device point goes back to the layout point it came from.
    EXPECT_EQ(ScaleFactor::toLayout(CPoint(404, 886), 2.0), CPoint(202, 443));
    EXPECT_DOUBLE_EQ(ScaleFactor::toLayout(CRect(22, 22, 86, 86), 1.5).getWidth(), 64 / 1.5);
    // Scales that are none are 1; others are held to what can be drawn.
    EXPECT_EQ(ScaleFactor::valid(std::nan("")), 1.0);
    EXPECT_EQ(ScaleFactor::valid(-2), 1.0);
    EXPECT_EQ(ScaleFactor::valid(0.1), ScaleFactor::kMinimum);
    EXPECT_EQ(ScaleFactor::valid(10), ScaleFactor::kMaximum);
    EXPECT_EQ(ScaleFactor::valid(1.25), 1.25);
}
