// The editor end to end through VST3: our host loads the bundle, opens the editor in a real X11
// window on Xvfb with a run loop of its own, and a user's mouse and keys (xdotool) edit the
// parameters; the window shows what the offscreen editor draws.
#include "WindowTestSupport.h"
#include "XvfbServer.h"

#include "host/PluginInstance.h"
#include "host/PluginModule.h"
#include "host/RunLoop.h"
#include "host/editor/EditorWindow.h"
#include "vstgui/CKnob.h"
#include "vstgui/COptionMenu.h"
#include "vstgui/COptionMenuPopup.h"
#include "vstgui/CTextEdit.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace vevadur::host;
using VSTGUI::CRect;

namespace
{
constexpr ParamID kGain = 0;
constexpr ParamID kPosition = 1;
constexpr ParamID kSpeed = 11;
// Long enough for several idle ticks and the refreshes after them.
constexpr int kSettleMs = 300;
// How long the loop may take to show what a test waits for, on a busy machine.
constexpr int kPatienceMs = 10000;

// The IPlugFrame of a host that lends its run loop and does nothing else: no XEmbed, no resize.
class LoopOnlyFrame : public IPlugFrame
{
  public:
    explicit LoopOnlyFrame(RunLoop& loop) : loop(loop) {}
    virtual ~LoopOnlyFrame() = default;
    tresult PLUGIN_API resizeView(IPlugView*, ViewRect*) override { return kResultFalse; }
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override
    {
        QUERY_INTERFACE(iid, obj, FUnknown::iid, IPlugFrame)
        QUERY_INTERFACE(iid, obj, IPlugFrame::iid, IPlugFrame)
        if (FUnknownPrivate::iidEqual(iid, Linux::IRunLoop::iid))
            return loop.queryInterface(iid, obj);
        *obj = nullptr;
        return kNoInterface;
    }
    uint32 PLUGIN_API addRef() override { return 1; }
    uint32 PLUGIN_API release() override { return 1; }

  private:
    RunLoop& loop;
};

// Where a failing test leaves its pictures: beside the test's output.
std::string testOutput(const std::string& name)
{
    mkdir(VEVADUR_TEST_OUTPUT_DIR, 0755);
    return std::string(VEVADUR_TEST_OUTPUT_DIR) + "/" + name;
}

std::string point(const CRect& window, const VSTGUI::CPoint& where)
{
    std::ostringstream text;
    text << static_cast<int>(window.left + where.x) << ' '
         << static_cast<int>(window.top + where.y);
    return text.str();
}
} // namespace

class EditorWindowTest : public ::testing::Test
{
  protected:
    static void SetUpTestSuite() { server = new XvfbServer; }
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
        IPtr<IPlugView> view = owned(instance->controller().createView(ViewType::kEditor));
        ASSERT_TRUE(view);
        window = EditorWindow::open(view, loop, "VevadurROT test", error);
        ASSERT_TRUE(window) << error;
        loop.runFor(kSettleMs);
        child = window->childWindow();
        ASSERT_NE(child, 0u);
        ASSERT_TRUE(reference.isOpen());
    }

    void TearDown() override
    {
        window.reset();
        instance.reset();
        module.reset();
    }

    // The window compared with the reference editor, saved for a look when they differ.
    void expectLooksLikeReference(const char* name)
    {
        const Image expected = reference.render();
        loop.runUntil([&] { return differingPixels(captureWindow(child), expected) == 0; },
                      kPatienceMs);
        const Image shown = captureWindow(child);
        const size_t different = differingPixels(shown, expected);
        EXPECT_EQ(different, 0u) << "waited " << kPatienceMs << " ms for the window (" << name
                                 << ") to look like the offscreen render";
        if (different)
        {
            const std::string base = testOutput(std::string("editor-") + name);
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

XvfbServer* EditorWindowTest::server = nullptr;

TEST_F(EditorWindowTest, OpensAtItsSizeLooksLikeTheOffscreenRenderAndClosesCleanly)
{
    const CRect shown = screenRect(child);
    EXPECT_EQ(shown.getWidth(), 303);
    EXPECT_EQ(shown.getHeight(), 588);
    EXPECT_EQ(screenRect(window->window().window()).getWidth(), 303);
    expectLooksLikeReference("opened");

    // The editor's connection, its refresh and its idle timer are all in our loop; closing
    // takes every one of them out again.
    EXPECT_GE(loop.eventHandlerCount(), 2u); // the plug-in's connection and our window's
    EXPECT_GE(loop.timerCount(), 2u);
    const uint32_t parent = window->window().window();
    window->view().removed();
    EXPECT_EQ(loop.eventHandlerCount(), 1u); // our window's own
    EXPECT_EQ(loop.timerCount(), 0u);
    EXPECT_TRUE(loop.runUntil([&] { return firstChildWindow(parent) == 0; }, kPatienceMs))
        << "waited " << kPatienceMs << " ms for the editor's child window to go; it is still "
        << firstChildWindow(parent);
    // Attached again, it comes back.
    ASSERT_EQ(window->view().attached(reinterpret_cast<void*>(static_cast<uintptr_t>(parent)),
                                      kPlatformTypeX11EmbedWindowID),
              kResultTrue);
    loop.runFor(kSettleMs);
    child = window->childWindow();
    ASSERT_NE(child, 0u);
    expectLooksLikeReference("reattached");
}

TEST_F(EditorWindowTest, MouseAndKeysEditParametersThroughTheComponentHandler)
{
    ASSERT_TRUE(xdotoolInstalled()) << "xdotool is not installed";
    const CRect on = screenRect(child);

    // A drag up on the "Gain" knob (linear knob mode) raises parameter 0 in one gesture.
    const double gainBefore = instance->controller().getParamNormalized(kGain);
    const VSTGUI::CPoint knob = reference.control<VSTGUI::CKnob>(kGain).getCenter();
    ASSERT_TRUE(xdotool("mousemove " + point(on, knob) + " mousedown 1 mousemove " +
                        point(on, knob - VSTGUI::CPoint(0, 20)) + " mousemove " +
                        point(on, knob - VSTGUI::CPoint(0, 40)) + " mouseup 1"));
    EXPECT_TRUE(loop.runUntil([&] { return !editsOf(kGain).empty(); }, kPatienceMs))
        << "waited " << kPatienceMs << " ms for an edit of \"Gain\" after the drag";
    loop.runFor(kSettleMs);
    const auto gainEdits = editsOf(kGain);
    ASSERT_FALSE(gainEdits.empty());
    EXPECT_GT(gainEdits.back().value, gainBefore + 0.1);
    EXPECT_DOUBLE_EQ(instance->controller().getParamNormalized(kGain), gainEdits.back().value);

    // Choosing "L45" in the "Position" menu's popup sets parameter 1.
    const CRect menu = reference.control<VSTGUI::COptionMenu>(kPosition);
    ASSERT_FALSE(menu.isEmpty());
    VSTGUI::CPoint where = menu.getCenter();
    reference.frame().onMouseDown(where, VSTGUI::kLButton);
    auto* popup = dynamic_cast<VSTGUI::COptionMenuPopup*>(reference.frame().getModalView());
    ASSERT_NE(popup, nullptr);
    int32_t l45 = -1;
    for (int32_t i = 0; i < popup->getMenu()->getNbEntries(); ++i)
        if (popup->getMenu()->getEntry(i) == "L45") l45 = i;
    ASSERT_GE(l45, 0);
    const VSTGUI::CPoint entry = popup->entryRect(l45).getCenter();
    ASSERT_TRUE(xdotool("mousemove " + point(on, menu.getCenter()) + " click 1"));
    loop.runFor(kSettleMs);
    ASSERT_TRUE(xdotool("mousemove " + point(on, entry) + " click 1"));
    EXPECT_TRUE(loop.runUntil([&] { return !editsOf(kPosition).empty(); }, kPatienceMs))
        << "waited " << kPatienceMs << " ms for an edit of \"Position\" after the menu click";
    loop.runFor(kSettleMs);
    const auto positionEdits = editsOf(kPosition);
    ASSERT_EQ(positionEdits.size(), 1u);
    EXPECT_EQ(instance->valueText(kPosition, positionEdits[0].value), "L45");

    // Typing a value into the "Speed" field (after deleting what it shows) sets parameter 11.
    const CRect field = reference.control<VSTGUI::CTextEdit>(kSpeed);
    ASSERT_FALSE(field.isEmpty());
    ASSERT_TRUE(xdotool("mousemove " + point(on, field.getCenter()) + " click 1"));
    loop.runFor(kSettleMs);
    ASSERT_TRUE(xdotool("key BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace"));
    ASSERT_TRUE(xdotool("type 0.25"));
    ASSERT_TRUE(xdotool("key Return"));
    EXPECT_TRUE(loop.runUntil([&] { return !editsOf(kSpeed).empty(); }, kPatienceMs))
        << "waited " << kPatienceMs << " ms for an edit of \"Speed\" after typing";
    loop.runFor(kSettleMs);
    const auto speedEdits = editsOf(kSpeed);
    ASSERT_EQ(speedEdits.size(), 1u);
    EXPECT_EQ(instance->valueText(kSpeed, speedEdits[0].value), "0.25");

    // The edits happened in the reference too: the window shows the same.
    reference.processor().setParamNormalized(kGain, gainEdits.back().value);
    reference.processor().setParamNormalized(kPosition, positionEdits[0].value);
    reference.processor().setParamNormalized(kSpeed, speedEdits[0].value);
    reference.frame().setModalView(nullptr);
    expectLooksLikeReference("edited");
}

TEST_F(EditorWindowTest, AHostSideChangeRedrawsTheKnob)
{
    const CRect knob = reference.control<VSTGUI::CKnob>(kGain);
    ASSERT_FALSE(knob.isEmpty());
    const Image before = captureWindow(child).crop(knob);

    ASSERT_EQ(instance->controller().setParamNormalized(kGain, 0.95), kResultOk);
    loop.runUntil([&] { return differingPixels(before, captureWindow(child).crop(knob)) > 50; },
                  kPatienceMs);
    const Image after = captureWindow(child).crop(knob);
    EXPECT_GT(differingPixels(before, after), 50u)
        << "waited " << kPatienceMs << " ms for the \"Gain\" knob to be redrawn";

    reference.processor().setParamNormalized(kGain, 0.95);
    EXPECT_EQ(differingPixels(after, reference.render().crop(knob)), 0u);
    expectLooksLikeReference("host-change");
}

TEST_F(EditorWindowTest, TheEditorAsksItsEmbedderToMapItAndOurHostDoes)
{
    // XEmbed: version 0, the mapped flag; the host took the window in and mapped it.
    EXPECT_EQ(xembedInfo(child), (std::vector<uint32_t>{0, 1}));
    EXPECT_EQ(window->window().embeddedWindow(), child);
    EXPECT_TRUE(isMapped(child));

    // Three other parents: one nobody watches, one an XEmbed embedder watches (which says so
    // but, for the test, never maps), one a VST2 host's window watches without XEmbed.
    enum Parent
    {
        kUnwatched,
        kEmbedderThatNeverMaps,
        kWatchedWithoutXEmbed
    };
    for (const Parent kind : {kUnwatched, kEmbedderThatNeverMaps, kWatchedWithoutXEmbed})
    {
        SCOPED_TRACE(kind);
        BareWindow parent(kind != kUnwatched);
        ASSERT_NE(parent.window(), 0u);
        IPtr<IPlugView> view = owned(instance->controller().createView(ViewType::kEditor));
        LoopOnlyFrame frame(loop);
        view->setFrame(&frame);
        ASSERT_EQ(view->attached(reinterpret_cast<void*>(static_cast<uintptr_t>(parent.window())),
                                 kPlatformTypeX11EmbedWindowID),
                  kResultTrue);
        const uint32_t embedded = firstChildWindow(parent.window());
        ASSERT_NE(embedded, 0u);
        EXPECT_EQ(xembedInfo(embedded), (std::vector<uint32_t>{0, 1}));
        // Where anyone watches, the window leaves the mapping to an embedder at first.
        EXPECT_EQ(isMapped(embedded), kind == kUnwatched);
        if (kind == kEmbedderThatNeverMaps)
        {
            EXPECT_EQ(parent.embedWithoutMapping(kPatienceMs), embedded);
            loop.runFor(2 * kSettleMs); // well past the grace time
            EXPECT_FALSE(isMapped(embedded));
        }
        else
        {
            // No embedder said so: the window shows itself.
            loop.runUntil([&] { return isMapped(embedded); }, kPatienceMs);
            EXPECT_TRUE(isMapped(embedded));
        }
        view->removed();
        view->setFrame(nullptr);
    }
}

TEST_F(EditorWindowTest, AnIdleEditorSendsNothingToTheServer)
{
    expectLooksLikeReference("before-idle");
    // Twenty idle ticks: nothing to draw, so not one request leaves this process.
    const uint64_t before = bytesWrittenByThisProcess();
    loop.runFor(1000);
    EXPECT_EQ(bytesWrittenByThisProcess() - before, 0u);

    // The count is not blind: a change from the host goes out as a repaint of the knob.
    ASSERT_EQ(instance->controller().setParamNormalized(kGain, 0.1), kResultOk);
    loop.runFor(kSettleMs);
    const uint64_t written = bytesWrittenByThisProcess() - before;
    EXPECT_GT(written, 0u);
    // Only the knob went out, not the window: a 42 x 42 image is about 7 kB.
    EXPECT_LT(written, 303u * 588u * 4u / 10u);
    reference.processor().setParamNormalized(kGain, 0.1);
    expectLooksLikeReference("after-idle");
}

TEST_F(EditorWindowTest, AnEditorUncoveredShowsItsPictureAgain)
{
    expectLooksLikeReference("before-covering");
    {
        // Another program's window over ours (both sit at the screen's corner).
        BareWindow cover(false);
        ASSERT_NE(cover.window(), 0u);
        ASSERT_TRUE(screenRect(child).rectOverlap(screenRect(cover.window())));
        loop.runFor(kSettleMs);
    }
    // Gone again: the server asks the editor to paint what it uncovered.
    expectLooksLikeReference("uncovered");
}
