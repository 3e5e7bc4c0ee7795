// The editor on Windows: opened in a Win32 window under Wine (on a virtual X display), its
// screenshot compared with the Linux build's offscreen render where fonts do not decide it,
// timer, mouse, wheel and keys reaching the host as parameter edits, nothing painted while idle
// and what was painted piece by piece equal to a fresh editor's picture; the VST2 editor in a
// VST2 host's window; and our own editor host, vevadur-editor.exe, seen from the X server.
#include "../editor/XvfbServer.h"
#include "WineRunner.h"

#include <gtest/gtest.h>

#include <cairo.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <future>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace
{
struct Image
{
    int width = 0;
    int height = 0;
    std::vector<uint32_t> rgb; // 0x00RRGGBB per pixel, rows top down
    uint32_t at(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};

// The probe's 32-bit top-down BMP.
bool readBmp(const std::string& path, Image& image)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    std::vector<unsigned char> data;
    unsigned char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        data.insert(data.end(), buffer, buffer + got);
    std::fclose(file);
    if (data.size() < 54 || data[0] != 'B' || data[1] != 'M') return false;
    auto le32 = [&](size_t at)
    {
        uint32_t v;
        std::memcpy(&v, &data[at], 4);
        return v;
    };
    const uint32_t offset = le32(10);
    image.width = static_cast<int32_t>(le32(18));
    image.height = -static_cast<int32_t>(le32(22));
    if (image.width <= 0 || image.height <= 0 ||
        data.size() < offset + static_cast<size_t>(image.width) * image.height * 4)
        return false;
    image.rgb.resize(static_cast<size_t>(image.width) * image.height);
    for (size_t i = 0; i < image.rgb.size(); ++i)
        image.rgb[i] = le32(offset + i * 4) & 0xffffff;
    return true;
}

bool readPng(const std::string& path, Image& image)
{
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    const bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
    if (ok)
    {
        image.width = cairo_image_surface_get_width(surface);
        image.height = cairo_image_surface_get_height(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        const unsigned char* data = cairo_image_surface_get_data(surface);
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x)
            {
                uint32_t pixel;
                std::memcpy(&pixel, data + y * stride + x * 4, 4);
                image.rgb.push_back(pixel & 0xffffff); // the editor is opaque
            }
    }
    cairo_surface_destroy(surface);
    return ok;
}

// The mean and the largest per-channel difference over a rectangle of both images.
struct Difference
{
    double mean = 0;
    int largest = 0;
};

Difference compare(const Image& a, const Image& b, int left, int top, int width, int height)
{
    Difference d;
    long total = 0;
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            for (int shift = 0; shift <= 16; shift += 8)
            {
                const int delta = std::abs(static_cast<int>((a.at(x, y) >> shift) & 0xff) -
                                           static_cast<int>((b.at(x, y) >> shift) & 0xff));
                total += delta;
                d.largest = std::max(d.largest, delta);
            }
    d.mean = static_cast<double>(total) / (3.0 * width * height);
    return d;
}

// The regions of the panel where a Windows screenshot must look like the Linux render, by name,
// that do not. Both draw the same bitmaps at the same whole-pixel places: only rounding of the
// premultiplied alpha differs (a label's text, by comparison, differs by ~10 on average).
std::vector<std::string> regionsUnlikeLinux(const Image& windows, const Image& linux)
{
    struct Region
    {
        const char* what;
        int left, top, width, height;
    } regions[] = {
        {"brushed-metal panel left of the knobs", 18, 100, 28, 340},
        {"frame of the \"Gain\" knob", 181, 422, 42, 42},
        {"frame of the \"Abs L-R\" knob", 180, 65, 42, 42},
        {"frame of the \"Vol L-R\" knob", 66, 67, 42, 42},
        {"frame of the \"Speed\" knob", 71, 332, 42, 42},
    };
    std::vector<std::string> unlike;
    for (const Region& r : regions)
    {
        const Difference d = compare(windows, linux, r.left, r.top, r.width, r.height);
        if (d.mean >= 1.0 || d.largest > 8) unlike.push_back(r.what);
    }
    return unlike;
}

// How long the editor may take to show its window on a busy machine, and to end after that.
constexpr std::chrono::milliseconds kWindowLimit{30000};
constexpr std::chrono::seconds kEndLimit{90};

// Where a failing test leaves what it saw: beside the test's output, named after the test.
std::string failureOutput(const std::string& what)
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string folder = VEVADUR_TEST_OUTPUT_DIR;
    mkdir(folder.c_str(), 0755);
    return folder + "/" + test->test_suite_name() + "." + test->name() + "-" + what;
}

bool writePng(const Image& image, const std::string& path)
{
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.width, image.height);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < image.height; ++y)
        std::memcpy(data + y * stride, &image.rgb[static_cast<size_t>(y) * image.width],
                    static_cast<size_t>(image.width) * 4);
    cairo_surface_mark_dirty(surface);
    const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return written;
}

struct FreeDeleter
{
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using XcbReply = std::unique_ptr<T, FreeDeleter>;

// The top-level X window with this title (Wine makes one for each top-level Win32 window), or 0.
uint32_t findTopLevelWindow(xcb_connection_t* x, const std::string& title)
{
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    XcbReply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(x, xcb_query_tree(x, root), nullptr));
    if (!tree) return 0;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i)
    {
        XcbReply<xcb_get_property_reply_t> name(xcb_get_property_reply(
            x,
            xcb_get_property(x, 0, children[i], XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 64),
            nullptr));
        if (name && std::string(static_cast<const char*>(xcb_get_property_value(name.get())),
                                xcb_get_property_value_length(name.get())) == title)
            return children[i];
    }
    return 0;
}

// What an X window shows, on the 24-bit true-colour screen Xvfb gives (empty when unreadable).
Image captureWindow(xcb_connection_t* x, uint32_t window)
{
    Image image;
    XcbReply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(x, xcb_get_geometry(x, window), nullptr));
    if (!geometry) return image;
    XcbReply<xcb_get_image_reply_t> pixels(
        xcb_get_image_reply(x,
                            xcb_get_image(x, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0,
                                          geometry->width, geometry->height, ~0u),
                            nullptr));
    if (!pixels ||
        xcb_get_image_data_length(pixels.get()) != geometry->width * geometry->height * 4)
        return image;
    image.width = geometry->width;
    image.height = geometry->height;
    const auto* data = reinterpret_cast<const uint32_t*>(xcb_get_image_data(pixels.get()));
    for (int i = 0; i < image.width * image.height; ++i)
        image.rgb.push_back(data[i] & 0xffffff);
    return image;
}

class WineEditor : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        if (!xvfb.isRunning()) GTEST_SKIP() << "no virtual X server: " << xvfb.error();
        char pattern[] = "/tmp/vevadur-wine-editor-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        probe = wine::run(wine::windowsBuild("tests/windows/programs/vevadur-editor-probe.exe"),
                          {wine::windowsPath(wine::windowsBuild("VevadurROT.vst3")),
                           wine::windowsPath(folder + "/windows.bmp")},
                          true);
    }
    void TearDown() override
    {
        if (!folder.empty()) wine::shell("rm -rf " + wine::quoted(folder));
    }

    XvfbServer xvfb;
    std::string folder;
    wine::Result probe;
};
} // namespace

TEST_F(WineEditor, LooksLikeTheLinuxEditorInPanelAndKnobFrames)
{
    ASSERT_EQ(probe.status, 0) << probe.output;
    ASSERT_NE(probe.output.find("screenshot 303 588"), std::string::npos) << probe.output;
    wine::Result render = wine::shell(std::string(VEVADUR_LINUX_RENDER_EDITOR) + " " +
                                      wine::quoted(folder + "/linux.png"));
    ASSERT_EQ(render.status, 0) << render.output;
    Image windows;
    Image linux;
    ASSERT_TRUE(readBmp(folder + "/windows.bmp", windows));
    ASSERT_TRUE(readPng(folder + "/linux.png", linux));
    ASSERT_EQ(windows.width, linux.width);
    ASSERT_EQ(windows.height, linux.height);
    const std::vector<std::string> unlike = regionsUnlikeLinux(windows, linux);
    EXPECT_EQ(unlike, std::vector<std::string>{});
    if (!unlike.empty())
    {
        const std::string windowsPng = failureOutput("windows.png");
        const std::string linuxPng = failureOutput("linux.png");
        if (writePng(windows, windowsPng) && writePng(linux, linuxPng))
            ADD_FAILURE() << "saved " << windowsPng << " and " << linuxPng;
    }
}

TEST_F(WineEditor, TimerMouseWheelAndKeysWorkThroughTheHostsMessageLoop)
{
    ASSERT_EQ(probe.status, 0) << probe.output;
    EXPECT_NE(probe.output.find("attached 303 588"), std::string::npos) << probe.output;
    // The idle timer runs on Windows timers: it ticks, and never faster than every 50 ms
    // (with a little slack for the clock's granularity).
    int ticks = 0;
    int milliseconds = 0;
    const size_t timer = probe.output.find("timer ticks ");
    ASSERT_NE(timer, std::string::npos) << probe.output;
    ASSERT_EQ(
        std::sscanf(probe.output.c_str() + timer, "timer ticks %d in %d ms", &ticks, &milliseconds),
        2);
    EXPECT_GE(ticks, 5) << probe.output;
    EXPECT_LE(ticks, milliseconds / 40 + 2) << probe.output;
    std::vector<double> gainEdits;
    int speedEdits = 0;
    unsigned id = 99;
    double value = 0;
    for (size_t at = probe.output.find("edit "); at != std::string::npos;
         at = probe.output.find("edit ", at + 1))
    {
        if (std::sscanf(probe.output.c_str() + at, "edit %u %lf", &id, &value) != 2) continue;
        if (id == 0)
            gainEdits.push_back(value);
        else if (id == 11)
            ++speedEdits;
        else
            ADD_FAILURE() << "edit of parameter " << id << " that nobody touched";
    }
    double before = 0;
    double dragged = 0;
    double wheeled = 0;
    const size_t gain = probe.output.find("gain ");
    ASSERT_NE(gain, std::string::npos) << probe.output;
    // Wine's console ends lines with "\r\n"; whitespace in the format takes either.
    ASSERT_EQ(std::sscanf(probe.output.c_str() + gain, "gain %lf -> %lf wheel %lf", &before,
                          &dragged, &wheeled),
              3)
        << probe.output;
    // The drag up on "Gain" raises parameter 0, the wheel notch down lowers it again, and the
    // host heard every change.
    ASSERT_FALSE(gainEdits.empty()) << probe.output;
    EXPECT_GT(dragged, before + 0.05) << probe.output;
    EXPECT_LT(wheeled, dragged) << probe.output;
    EXPECT_DOUBLE_EQ(gainEdits.back(), wheeled);
    // "0.25" typed into the "Speed" field and confirmed with Return sets parameter 11 once.
    EXPECT_EQ(speedEdits, 1) << probe.output;
    char speedText[32] = {};
    const size_t speed = probe.output.find("speed ");
    ASSERT_NE(speed, std::string::npos) << probe.output;
    ASSERT_EQ(std::sscanf(probe.output.c_str() + speed, "speed %31s", speedText), 1);
    EXPECT_STREQ(speedText, "0.25");
}

TEST_F(WineEditor, PaintsNothingWhileIdleAndPaintsWhatAFreshEditorDrawsWhole)
{
    ASSERT_EQ(probe.status, 0) << probe.output;
    int paints = -1;
    int ticks = 0;
    const size_t idle = probe.output.find("idle paints ");
    ASSERT_NE(idle, std::string::npos) << probe.output;
    ASSERT_EQ(
        std::sscanf(probe.output.c_str() + idle, "idle paints %d in %d ticks", &paints, &ticks), 2);
    EXPECT_GE(ticks, 5) << probe.output;
    EXPECT_EQ(paints, 0) << probe.output;

    // After the drag, the wheel and the typing, painted only where something changed, the
    // window shows exactly what a new editor on the same values draws in one piece.
    ASSERT_NE(probe.output.find("reopened"), std::string::npos) << probe.output;
    Image used;
    Image fresh;
    ASSERT_TRUE(readBmp(folder + "/windows.bmp.used.bmp", used));
    ASSERT_TRUE(readBmp(folder + "/windows.bmp.reopened.bmp", fresh));
    ASSERT_EQ(used.width, fresh.width);
    ASSERT_EQ(used.height, fresh.height);
    size_t differing = 0;
    for (size_t i = 0; i < used.rgb.size(); ++i)
        differing += used.rgb[i] != fresh.rgb[i];
    EXPECT_EQ(differing, 0u);
}

// The Linux tests' random session of use (host changes, drags, typed values, menu choices,
// switch clicks, exposures, ticks), painted offscreen with GDI+ only where something changed:
// after every tick the picture equals a full redraw, and at rest nothing is painted. Also at
// screen scales, where a partial paint must leave no seam at a view's edge inside a pixel.
TEST(WineDrawing, PaintsWhatAFullRedrawDrawsAfterEveryTickOfARandomSession)
{
    const std::string bundle = wine::windowsBuild("tests/windows/programs/drawing-probe");
    char pattern[] = "/tmp/vevadur-wine-drawing-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string folder = pattern;
    const std::pair<const char*, const char*> sessions[] = {
        {"1", "1"}, {"2", "1"}, {"3", "1"}, {"4", "1.5"}, {"5", "2"}};
    for (const auto& [seed, scale] : sessions)
    {
        SCOPED_TRACE(std::string("seed ") + seed + " at scale " + scale);
        const wine::Result probe =
            wine::run(bundle + "/Contents/x86_64-win/vevadur-drawing-probe.exe",
                      {wine::windowsPath(bundle + "/Contents/Resources/zada.uidesc"), seed, "400",
                       wine::windowsPath(folder + "/session-" + seed), scale},
                      false);
        ASSERT_EQ(probe.status, 0) << probe.output;
        int steps = 0;
        int ticks = 0;
        int mismatches = -1;
        int rest = -1;
        double drawnAt = 0;
        ASSERT_EQ(std::sscanf(probe.output.c_str(),
                              "steps %d ticks %d mismatches %d rest %d scale %lf", &steps, &ticks,
                              &mismatches, &rest, &drawnAt),
                  5)
            << probe.output;
        EXPECT_EQ(drawnAt, std::atof(scale));
        EXPECT_EQ(steps, 400);
        EXPECT_GT(ticks, 50);
        EXPECT_EQ(mismatches, 0) << probe.output;
        EXPECT_EQ(rest, 0);
    }
    wine::shell("rm -rf " + wine::quoted(folder));
}

TEST_F(WineEditor, ResizeRequestsGiveTheWindowsClientAreaTheRequestedSize)
{
    ASSERT_EQ(probe.status, 0) << probe.output;
    // The probe had shrunk the window to 100 x 100 before the editor asked for its own size.
    EXPECT_NE(probe.output.find("resized 303 588 accepted"), std::string::npos) << probe.output;
}

// The screen's resolution set to 192 dpi (Wine's LogPixels) while it lives, then back to
// Wine's default.
class ScreenAt192Dpi
{
  public:
    ScreenAt192Dpi()
    {
        // On the display the probe uses: a Wine session started without one keeps none.
        m_set = wine::run("reg",
                          {"add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/t",
                           "REG_DWORD", "/d", "192", "/f"},
                          true)
                    .status == 0;
    }
    ~ScreenAt192Dpi()
    {
        wine::run("reg", {"delete", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/f"}, true);
    }
    bool isSet() const { return m_set; }

  private:
    bool m_set = false;
};

TEST(WineEditorDpi, AWindowAt192DpiOpensAtTwiceTheSize)
{
    XvfbServer xvfb;
    if (!xvfb.isRunning()) GTEST_SKIP() << "no virtual X server: " << xvfb.error();
    char pattern[] = "/tmp/vevadur-wine-dpi-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string folder = pattern;
    wine::Result probe;
    {
        ScreenAt192Dpi screen;
        ASSERT_TRUE(screen.isSet());
        // A host that scales its own windows declares itself DPI aware; the editor then takes
        // the window's DPI as its scale.
        probe = wine::run(wine::windowsBuild("tests/windows/programs/vevadur-editor-probe.exe"),
                          {wine::windowsPath(wine::windowsBuild("VevadurROT.vst3")),
                           wine::windowsPath(folder + "/windows.bmp"), "--dpi-aware"},
                          true);
    }
    wine::shell("rm -rf " + wine::quoted(folder));
    ASSERT_EQ(probe.status, 0) << probe.output;
    EXPECT_NE(probe.output.find("attached 606 1176"), std::string::npos) << probe.output;
    EXPECT_NE(probe.output.find("editor window 606 1176"), std::string::npos) << probe.output;
}

TEST(WineEditorScale, TheHostsFactorAndTheZoomMenuResizeTheEditor)
{
    XvfbServer xvfb("1600x1600x24");
    if (!xvfb.isRunning()) GTEST_SKIP() << "no virtual X server: " << xvfb.error();
    char pattern[] = "/tmp/vevadur-wine-scale-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string folder = pattern;
    const wine::Result probe = wine::run(
        wine::windowsBuild("tests/windows/programs/vevadur-editor-probe.exe"),
        {wine::windowsPath(wine::windowsBuild("VevadurROT.vst3")),
         wine::windowsPath(folder + "/windows.bmp"), "--content-scale", "1.5", "--zoom-menu"},
        true);
    wine::shell("rm -rf " + wine::quoted(folder));
    ASSERT_EQ(probe.status, 0) << probe.output;
    EXPECT_NE(probe.output.find("attached 303 588"), std::string::npos) << probe.output;
    // The host's 1.5, the user's 200 % over it, then automatic: the host's 1.5 again (which
    // also leaves the user's settings file without a zoom for the tests after this one).
    EXPECT_NE(probe.output.find("content scale 454 882"), std::string::npos) << probe.output;
    EXPECT_NE(probe.output.find("zoom 200 606 1176"), std::string::npos) << probe.output;
    EXPECT_NE(probe.output.find("zoom automatic 454 882"), std::string::npos) << probe.output;
}

TEST(WineVst2Editor, OpensInTheHostsWindowAtItsSizeAndClosesWithIt)
{
    XvfbServer xvfb;
    if (!xvfb.isRunning()) GTEST_SKIP() << "no virtual X server: " << xvfb.error();
    wine::Result probe =
        wine::run(wine::windowsBuild("tests/windows/programs/vevadur-vst2-probe.exe"),
                  {wine::windowsPath(wine::windowsBuild("VevadurROT.vst3")), "--editor"}, true);
    EXPECT_EQ(probe.status, 0) << probe.output;
    int width = 0;
    int height = 0;
    const size_t child = probe.output.find("child ");
    ASSERT_NE(child, std::string::npos) << probe.output;
    ASSERT_EQ(std::sscanf(probe.output.c_str() + child, "child %d %d", &width, &height), 2);
    EXPECT_EQ(width, 303);
    EXPECT_EQ(height, 588);
}

namespace
{
// vevadur-editor.exe run under Wine with these arguments beside the test, and its window watched
// on the X server; the Linux build's render of the editor is the reference.
class WineEditorHost : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        if (!xvfb.isRunning()) GTEST_SKIP() << "no virtual X server: " << xvfb.error();
        char pattern[] = "/tmp/vevadur-wine-editor-host-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        const std::string folder = pattern;
        wine::Result render = wine::shell(std::string(VEVADUR_LINUX_RENDER_EDITOR) + " " +
                                          wine::quoted(folder + "/linux.png"));
        const bool rendered = render.status == 0 && readPng(folder + "/linux.png", linux);
        wine::shell("rm -rf " + wine::quoted(folder));
        ASSERT_TRUE(rendered) << render.output;
        ASSERT_FALSE(xcb_connection_has_error(x.get()));
    }

    void start(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(),
                         {"--plugin", wine::windowsPath(wine::windowsBuild("VevadurROT.vst3"))});
        editor = std::async(
            std::launch::async, [arguments]
            { return wine::run(wine::windowsBuild("host/vevadur-editor.exe"), arguments, true); });
    }
    // Watches the editor's window until it shows the panel as the Linux build draws it, the
    // program ends, or the time is up. A failure says what was awaited and what was seen last,
    // and leaves the last capture beside the test's output.
    struct Watched
    {
        uint32_t window = 0;
        Image shown;
        bool panel = false;
        std::string failure;
    };
    Watched watchForThePanel(const std::string& title = "VevadurROT",
                             std::chrono::milliseconds limit = kWindowLimit)
    {
        Watched watched;
        std::string seen = "no window titled \"" + title + "\"";
        const auto deadline = std::chrono::steady_clock::now() + limit;
        bool ended = false;
        while (!(ended = editor.wait_for(std::chrono::milliseconds(100)) ==
                         std::future_status::ready) &&
               std::chrono::steady_clock::now() < deadline)
        {
            if (!(watched.window = findTopLevelWindow(x.get(), title))) continue;
            watched.shown = captureWindow(x.get(), watched.window);
            if (watched.shown.width != linux.width || watched.shown.height != linux.height)
            {
                seen = "a window of " + std::to_string(watched.shown.width) + " x " +
                       std::to_string(watched.shown.height);
                continue;
            }
            const std::vector<std::string> unlike = regionsUnlikeLinux(watched.shown, linux);
            if ((watched.panel = unlike.empty())) return watched;
            seen = "the panel unlike the Linux render in the " + unlike.front();
        }
        watched.failure = "waited " + std::to_string(limit.count() / 1000) +
                          " s for a window titled \"" + title +
                          "\" showing the panel as on Linux; " +
                          (ended ? "the program ended first; " : "") + "last saw " + seen;
        if (!watched.shown.rgb.empty())
        {
            const std::string saved = failureOutput("last-capture.png");
            if (writePng(watched.shown, saved)) watched.failure += "; last capture: " + saved;
        }
        return watched;
    }
    // The program's result, once it has ended (it is killed when it outlives its own limit).
    wine::Result editorResult()
    {
        if (editor.wait_for(kEndLimit) != std::future_status::ready)
            ADD_FAILURE() << "waited " << kEndLimit.count() << " s for vevadur-editor.exe to end";
        return editor.get();
    }
    // The window manager's close button: WM_DELETE_WINDOW, as ICCCM sends it.
    void pressCloseButton(uint32_t window)
    {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = atom("WM_PROTOCOLS");
        event.data.data32[0] = atom("WM_DELETE_WINDOW");
        event.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(x.get(), 0, window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&event));
        xcb_flush(x.get());
    }

    XvfbServer xvfb;
    Image linux;
    std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)> x{xcb_connect(nullptr, nullptr),
                                                                     xcb_disconnect};
    std::future<wine::Result> editor;

  private:
    xcb_atom_t atom(const char* name)
    {
        XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
            x.get(), xcb_intern_atom(x.get(), 0, static_cast<uint16_t>(std::strlen(name)), name),
            nullptr));
        return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    }
};
} // namespace

TEST_F(WineEditorHost, ShowsTheEditorInAWindowOfItsSizeAndClosesAfterTheGivenTime)
{
    start({"--seconds", "2"});
    const Watched watched = watchForThePanel();
    const wine::Result result = editorResult();
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_NE(result.output.find("editor window 0x"), std::string::npos) << result.output;
    EXPECT_TRUE(watched.panel) << watched.failure;
    EXPECT_EQ(watched.shown.width, 303);
    EXPECT_EQ(watched.shown.height, 588);
}

TEST_F(WineEditorHost, ClosesWithItsCloseButton)
{
    start({"--seconds", "60"}); // open until closed, and ended in any case after a minute
    const Watched watched = watchForThePanel();
    ASSERT_NE(watched.window, 0u) << watched.failure;
    EXPECT_TRUE(watched.panel) << watched.failure;
    pressCloseButton(watched.window);
    const auto pressed = std::chrono::steady_clock::now();
    const wine::Result result = editorResult();
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_LT(std::chrono::steady_clock::now() - pressed, std::chrono::seconds(30))
        << "the editor did not close within 30 s of the close button";
}
