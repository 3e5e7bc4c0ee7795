// The editor end to end through VST2: a VST2 host loads the module's VST2 entry, gives the
// editor a bare X11 window and drives it with idle calls; the user's drag reaches the host as
// automation.
#include "WindowTestSupport.h"
#include "XvfbServer.h"

#include "../vst2/Vst2TestHost.h"
#include "host/RunLoop.h"
#include "host/editor/HostWindow.h"
#include "vstgui/CKnob.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace vevadur::host;

namespace
{
constexpr int kSettleMs = 300;
// How long the loop may take to show what the test waits for, on a busy machine.
constexpr int kPatienceMs = 10000;

// What a VST2 host's UI loop does for an open editor: an idle call every few milliseconds.
class EditorIdle : public Linux::ITimerHandler
{
  public:
    explicit EditorIdle(const vst2test::Vst2Effect& effect) : effect(effect) {}
    virtual ~EditorIdle() = default;
    void PLUGIN_API onTimer() override { effect.dispatch(Vst2Abi::kEditIdle); }
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override
    {
        QUERY_INTERFACE(iid, obj, FUnknown::iid, Linux::ITimerHandler)
        QUERY_INTERFACE(iid, obj, Linux::ITimerHandler::iid, Linux::ITimerHandler)
        *obj = nullptr;
        return kNoInterface;
    }
    uint32 PLUGIN_API addRef() override { return 1; }
    uint32 PLUGIN_API release() override { return 1; }

  private:
    const vst2test::Vst2Effect& effect;
};

int32_t hostIndexNamed(const vst2test::Vst2Effect& effect, const std::string& name)
{
    for (int32_t i = 0; i < effect->num_params; ++i)
        if (effect.text(Vst2Abi::kGetParamName, i) == name) return i;
    return -1;
}
} // namespace

TEST(Vst2Editor, OpensInTheHostsWindowDrawsAndAutomates)
{
    if (XvfbServer::executable().empty()) GTEST_SKIP() << "Xvfb is not installed";
    XvfbServer server;
    ASSERT_TRUE(server.isRunning()) << server.error();
    ASSERT_TRUE(xdotoolInstalled()) << "xdotool is not installed";

    vst2test::Vst2Module module(VEVADUR_VST2_PLUGIN);
    ASSERT_TRUE(module.loaded());
    vst2test::Vst2Effect effect(module);
    ASSERT_TRUE(effect.get());
    EXPECT_EQ(effect->flags & Vst2Abi::kFlagHasEditor, Vst2Abi::kFlagHasEditor);

    // The rectangle is known before the editor opens, and stays where the host was told.
    vst_rect* rect = nullptr;
    ASSERT_EQ(effect.dispatch(Vst2Abi::kEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->right, 303);
    EXPECT_EQ(rect->bottom, 588);
    EXPECT_EQ(effect.dispatch(Vst2Abi::kEditGetRect, 0, 0, nullptr), 0);

    RunLoop loop;
    std::string error;
    auto window = HostWindow::create(rect->right, rect->bottom, "VevadurROT VST2 test", error);
    ASSERT_TRUE(window) << error;
    window->attachTo(loop);
    EditorIdle idle(effect);
    loop.registerTimer(&idle, 10);
    const auto parent = reinterpret_cast<void*>(static_cast<uintptr_t>(window->window()));
    ASSERT_EQ(effect.dispatch(Vst2Abi::kEditOpen, 0, 0, parent), 1);
    loop.runFor(kSettleMs);
    const uint32_t child = firstChildWindow(window->window());
    ASSERT_NE(child, 0u);

    ReferenceEditor reference;
    ASSERT_TRUE(reference.isOpen());
    const Image expected = reference.render();
    loop.runUntil([&] { return differingPixels(captureWindow(child), expected) == 0; },
                  kPatienceMs);
    EXPECT_EQ(differingPixels(captureWindow(child), expected), 0u)
        << "waited " << kPatienceMs << " ms for the window to look like the offscreen render";

    // A drag up on the "Gain" knob: one gesture, automated upwards.
    const int32_t gain = hostIndexNamed(effect, "Gain");
    ASSERT_GE(gain, 0);
    const VSTGUI::CRect on = screenRect(child);
    const VSTGUI::CPoint knob = reference.control<VSTGUI::CKnob>(0).getCenter();
    std::ostringstream drag;
    drag << "mousemove " << on.left + knob.x << ' ' << on.top + knob.y << " mousedown 1 "
         << "mousemove " << on.left + knob.x << ' ' << on.top + knob.y - 30 << " mouseup 1";
    const float before = effect->get_parameter(effect.get(), static_cast<uint32_t>(gain));
    ASSERT_TRUE(xdotool(drag.str()));
    EXPECT_TRUE(
        loop.runUntil([&] { return effect.log().count(Vst2Abi::kHostEndEdit) > 0; }, kPatienceMs))
        << "waited " << kPatienceMs << " ms for the end of the drag's edit; the host heard "
        << effect.log().opcodes.size() << " requests";
    std::vector<float> automated;
    for (const auto& [index, value] : effect.log().automated)
        if (index == gain) automated.push_back(value);
    ASSERT_FALSE(automated.empty());
    EXPECT_GT(automated.back(), before + 0.1f);
    EXPECT_EQ(effect.log().count(Vst2Abi::kHostBeginEdit), 1);
    EXPECT_EQ(effect.log().count(Vst2Abi::kHostEndEdit), 1);
    EXPECT_FLOAT_EQ(effect->get_parameter(effect.get(), static_cast<uint32_t>(gain)),
                    automated.back());

    // Closed, the child window goes; the host's window stays.
    effect.dispatch(Vst2Abi::kEditClose);
    EXPECT_TRUE(
        loop.runUntil([&] { return firstChildWindow(window->window()) == 0; }, kPatienceMs))
        << "waited " << kPatienceMs << " ms for the editor's child window to go";
    loop.unregisterTimer(&idle);
}
