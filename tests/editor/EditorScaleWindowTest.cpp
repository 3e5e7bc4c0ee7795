// The editor at screen scales in real X11 windows on Xvfb: the host's content scale factor
// resizes the view through its IPlugFrame, the X server's Xft.dpi and GDK_SCALE open it at the
// desktop's scale (through VST3 and VST2), the user's drags and clicks land where the scaled
// controls are, and the zoom menu resizes the window.
#include "WindowTestSupport.h"
#include "XvfbServer.h"

#include "../vst2/Vst2TestHost.h"
#include "host/PluginInstance.h"
#include "host/PluginModule.h"
#include "host/RunLoop.h"
#include "host/editor/EditorWindow.h"
#include "vstgui/CKnob.h"
#include "vstgui/COptionMenuPopup.h"

#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"

#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <unistd.h>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace vevadur::host;
using VSTGUI::CPoint;
using VSTGUI::CRect;

namespace
{
constexpr ParamID kGain = 0;
// Long enough for several idle ticks and the refreshes after them.
constexpr int kSettleMs = 300;
// How long the loop may take to show what a test waits for, on a busy machine.
constexpr int kPatienceMs = 10000;
constexpr const char* kLargeScreen = "1600x1600x24";

// A layout point of the panel on the screen, for a window at a scale.
std::string screenPoint(const CRect& window, const CPoint& where, double scale)
{
    std::ostringstream text;
    text << static_cast<int>(window.left + where.x * scale) << ' '
         << static_cast<int>(window.top + where.y * scale);
    return text.str();
}

// Sets (or with empty text removes) the root window's RESOURCE_MANAGER on the current DISPLAY,
// as a desktop's settings daemon does.
bool setServerResources(const std::string& resources)
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
    {
        xcb_disconnect(connection);
        return false;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    if (resources.empty())
        xcb_delete_property(connection, root, XCB_ATOM_RESOURCE_MANAGER);
    else
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, root, XCB_ATOM_RESOURCE_MANAGER,
                            XCB_ATOM_STRING, 8, static_cast<uint32_t>(resources.size()),
                            resources.data());
    free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    xcb_disconnect(connection);
    return true;
}

// Sets an environment variable while it lives.
class ScopedEnvironment
{
  public:
    ScopedEnvironment(const char* name, const std::string& value) : m_name(name)
    {
        if (const char* old = std::getenv(name)) m_saved = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment()
    {
        if (m_saved)
            setenv(m_name, m_saved->c_str(), 1);
        else
            unsetenv(m_name);
    }

  private:
    const char* m_name;
    std::optional<std::string> m_saved;
};
} // namespace

class EditorScaleWindowTest : public ::testing::Test
{
  protected:
    // Room for the editor at 2 (606 x 1176) wherever the host's window is placed.
    static void SetUpTestSuite() { server = new XvfbServer(kLargeScreen); }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }

    void SetUp() override
    {
        if (XvfbServer::executable().empty()) GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_TRUE(server->isRunning()) << server->error();
        std::string error;
        module = PluginModule::load(VEVADUR_BUNDLE, error);
        ASSERT_TRUE(module) << error;
        instance = PluginInstance::create(*module, "", error);
        ASSERT_TRUE(instance) << error;
        ASSERT_TRUE(reference.isOpen());
    }

    void TearDown() override
    {
        window.reset();
        instance.reset();
        module.reset();
    }

    // Opens the editor in a window of our host; before() may talk to the view first.
    void openEditor(const std::function<void(IPlugView&)>& before = {})
    {
        IPtr<IPlugView> view = owned(instance->controller().createView(ViewType::kEditor));
        ASSERT_TRUE(view);
        if (before) before(*view);
        std::string error;
        window = EditorWindow::open(view, loop, "VevadurROT scale test", error);
        ASSERT_TRUE(window) << error;
        loop.runFor(kSettleMs);
        child = window->childWindow();
        ASSERT_NE(child, 0u);
    }

    void expectWindowSize(int width, int height)
    {
        loop.runUntil([&] { return screenRect(child).getWidth() == width; }, kPatienceMs);
        EXPECT_EQ(screenRect(child).getWidth(), width) << "the plug-in's window";
        EXPECT_EQ(screenRect(child).getHeight(), height) << "the plug-in's window";
        EXPECT_EQ(screenRect(window->window().window()).getWidth(), width) << "the host's window";
        EXPECT_EQ(screenRect(window->window().window()).getHeight(), height) << "the host's";
    }

    // The window compared with the reference editor drawn at the same scale.
    void expectLooksLikeReference(double scale, const char* name)
    {
        reference.frame().setScaleFactor(scale);
        const Image expected = reference.render();
        loop.runUntil([&] { return differingPixels(captureWindow(child), expected) == 0; },
                      kPatienceMs);
        const Image shown = captureWindow(child);
        const size_t different = differingPixels(shown, expected);
        EXPECT_EQ(different, 0u) << name;
        if (different)
        {
            const std::string base = ::testing::TempDir() + "editor-scale-" + name;
            shown.writePNG(base + "-window.png");
            expected.writePNG(base + "-offscreen.png");
            ADD_FAILURE() << "saved " << base << "-window.png and -offscreen.png";
        }
    }

    std::vector<ComponentHandler::Edit> editsOf(ParamID id) const
    {
        std::vector<ComponentHandler::Edit> found;
        for (const auto& edit : instance->handler().edits())
            if (edit.id == id) found.push_back(edit);
        return found;
    }

    static XvfbServer* server;
    std::unique_ptr<PluginModule> module;
    std::unique_ptr<PluginInstance> instance;
    RunLoop loop;
    std::unique_ptr<EditorWindow> window;
    uint32_t child = 0;
    ReferenceEditor reference;
};

XvfbServer* EditorScaleWindowTest::server = nullptr;

TEST_F(EditorScaleWindowTest, TheHostsFactorResizesTheViewThroughItsFrameAndRedrawsIt)
{
    openEditor();
    expectWindowSize(303, 588);
    FUnknownPtr<IPlugViewContentScaleSupport> scaling(&window->view());
    ASSERT_TRUE(scaling) << "the view offers IPlugViewContentScaleSupport";

    // The view asks its frame for the scaled size; our host resizes its window and calls onSize.
    EXPECT_EQ(scaling->setContentScaleFactor(2.f), kResultTrue);
    EXPECT_EQ(window->resizeRequests(), 1);
    ViewRect size;
    ASSERT_EQ(window->view().getSize(&size), kResultTrue);
    EXPECT_EQ(size.getWidth(), 606);
    EXPECT_EQ(size.getHeight(), 1176);
    expectWindowSize(606, 1176);
    expectLooksLikeReference(2.0, "host-factor-2");

    // The same factor again is no change; back to 1 is.
    EXPECT_EQ(scaling->setContentScaleFactor(2.f), kResultTrue);
    EXPECT_EQ(window->resizeRequests(), 1);
    EXPECT_EQ(scaling->setContentScaleFactor(1.f), kResultTrue);
    EXPECT_EQ(window->resizeRequests(), 2);
    expectWindowSize(303, 588);
    expectLooksLikeReference(1.0, "host-factor-1");
}

TEST_F(EditorScaleWindowTest, AFactorGivenBeforeOpeningOpensTheWindowAtTheScaledSize)
{
    openEditor([](IPlugView& view)
               { FUnknownPtr<IPlugViewContentScaleSupport>(&view)->setContentScaleFactor(1.5f); });
    expectWindowSize(454, 882);
    EXPECT_EQ(window->resizeRequests(), 0);
    expectLooksLikeReference(1.5, "factor-before-opening");
}

TEST_F(EditorScaleWindowTest, AKnobDragCoversTheSameShareOfThePanelAtEveryScale)
{
    ASSERT_TRUE(xdotoolInstalled()) << "xdotool is not installed";
    openEditor();
    const CPoint knob = reference.control<VSTGUI::CKnob>(kGain).getCenter();
    const double start = instance->controller().getParamNormalized(kGain);

    // At 1, a drag 40 screen pixels up raises the gain by some amount...
    CRect on = screenRect(child);
    ASSERT_TRUE(xdotool("mousemove " + screenPoint(on, knob, 1) + " mousedown 1 mousemove " +
                        screenPoint(on, knob - CPoint(0, 20), 1) + " mousemove " +
                        screenPoint(on, knob - CPoint(0, 40), 1) + " mouseup 1"));
    loop.runUntil([&] { return !editsOf(kGain).empty(); }, kPatienceMs);
    loop.runFor(kSettleMs);
    ASSERT_FALSE(editsOf(kGain).empty()) << "the drag at 1 edited the gain";
    const double raised = editsOf(kGain).back().value;
    ASSERT_GT(raised, start + 0.1);

    // ...and at 2, where the knob is twice as large and twice as far from the corner, a drag
    // of 80 screen pixels down from its new centre takes exactly that back.
    FUnknownPtr<IPlugViewContentScaleSupport>(&window->view())->setContentScaleFactor(2.f);
    expectWindowSize(606, 1176);
    on = screenRect(child);
    const size_t editsBefore = editsOf(kGain).size();
    ASSERT_TRUE(xdotool("mousemove " + screenPoint(on, knob, 2) + " mousedown 1 mousemove " +
                        screenPoint(on, knob + CPoint(0, 20), 2) + " mousemove " +
                        screenPoint(on, knob + CPoint(0, 40), 2) + " mouseup 1"));
    loop.runUntil([&] { return editsOf(kGain).size() > editsBefore; }, kPatienceMs);
    loop.runFor(kSettleMs);
    ASSERT_GT(editsOf(kGain).size(), editsBefore) << "the drag at 2 edited the gain";
    EXPECT_NEAR(editsOf(kGain).back().value, start, 0.005);
}

TEST_F(EditorScaleWindowTest, TheZoomMenuResizesTheWindowAndTheNextEditorOpensAtTheZoom)
{
    ASSERT_TRUE(xdotoolInstalled()) << "xdotool is not installed";
    std::string config = ::testing::TempDir() + "editor-scale-config-XXXXXX";
    ASSERT_NE(mkdtemp(config.data()), nullptr);
    ScopedEnvironment configHome("XDG_CONFIG_HOME", config);
    openEditor();
    expectWindowSize(303, 588);

    // Where the menu's "Zoom: 150 %" entry appears for a right click at a point of the panel:
    // the same click on the reference editor tells.
    CPoint where(60, 540);
    reference.frame().onMouseDown(where, VSTGUI::kRButton);
    auto* popup = dynamic_cast<VSTGUI::COptionMenuPopup*>(reference.frame().getModalView());
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(popup->getMenu()->getEntry(3), "Zoom: 150 %");
    const CPoint entry = popup->entryRect(3).getCenter();
    reference.frame().setModalView(nullptr);

    const CRect on = screenRect(child);
    ASSERT_TRUE(xdotool("mousemove " + screenPoint(on, where, 1) + " click 3"));
    loop.runFor(kSettleMs);
    ASSERT_TRUE(xdotool("mousemove " + screenPoint(on, entry, 1) + " click 1"));
    loop.runUntil([&] { return window->resizeRequests() > 0; }, kPatienceMs);
    EXPECT_EQ(window->resizeRequests(), 1) << "the zoom resized the view through its frame";
    expectWindowSize(454, 882);
    EXPECT_TRUE(instance->handler().edits().empty()) << "a zoom is no parameter edit";

    // The choice is the user's: the settings file keeps it, the next editor opens with it.
    std::ifstream file(std::filesystem::path(config) / "VevadurROT" / "editor.ini");
    std::string contents((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(contents, "zoom=1.5\n");
    window.reset();
    openEditor();
    expectWindowSize(454, 882);
    window.reset();
    std::filesystem::remove_all(config);
}

// The desktop's scale, as X11 states it, when the host gives none.
class DesktopScaleTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        if (XvfbServer::executable().empty()) GTEST_SKIP() << "Xvfb is not installed";
        server = std::make_unique<XvfbServer>(kLargeScreen);
        ASSERT_TRUE(server->isRunning()) << server->error();
    }

    ViewRect editorSize()
    {
        std::string error;
        auto module = PluginModule::load(VEVADUR_BUNDLE, error);
        EXPECT_TRUE(module) << error;
        if (!module) return {};
        auto instance = PluginInstance::create(*module, "", error);
        EXPECT_TRUE(instance) << error;
        if (!instance) return {};
        IPtr<IPlugView> view = owned(instance->controller().createView(ViewType::kEditor));
        RunLoop loop;
        auto window = EditorWindow::open(view, loop, "VevadurROT desktop scale test", error);
        EXPECT_TRUE(window) << error;
        if (!window) return {};
        loop.runFor(kSettleMs);
        const CRect shown = screenRect(window->childWindow());
        return ViewRect(0, 0, static_cast<int32>(shown.getWidth()),
                        static_cast<int32>(shown.getHeight()));
    }

    std::unique_ptr<XvfbServer> server;
};

TEST_F(DesktopScaleTest, XftDpiOf192OpensTheEditorAtTwiceItsSize)
{
    ASSERT_TRUE(setServerResources("Xft.antialias:\t1\nXft.dpi:\t192\n"));
    ViewRect shown = editorSize();
    EXPECT_EQ(shown.getWidth(), 606);
    EXPECT_EQ(shown.getHeight(), 1176);
    ASSERT_TRUE(setServerResources("Xft.dpi:\t144\n"));
    shown = editorSize();
    EXPECT_EQ(shown.getWidth(), 454);
    EXPECT_EQ(shown.getHeight(), 882);
    ASSERT_TRUE(setServerResources(""));
    EXPECT_EQ(editorSize().getWidth(), 303);
}

TEST_F(DesktopScaleTest, GdkScaleOpensTheEditorAtItsScaleThroughVst3AndVst2)
{
    ScopedEnvironment gdkScale("GDK_SCALE", "2");
    const ViewRect shown = editorSize();
    EXPECT_EQ(shown.getWidth(), 606);
    EXPECT_EQ(shown.getHeight(), 1176);

    // A VST2 host sizes its window by the editor rectangle, known before the editor opens.
    vst2test::Vst2Module module(VEVADUR_VST2_PLUGIN);
    ASSERT_TRUE(module.loaded());
    vst2test::Vst2Effect effect(module);
    ASSERT_TRUE(effect.get());
    vst_rect* rect = nullptr;
    ASSERT_EQ(effect.dispatch(Vst2Abi::kEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right - rect->left, 606);
    EXPECT_EQ(rect->bottom - rect->top, 1176);
}
