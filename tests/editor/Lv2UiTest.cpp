// The editor end to end through LV2: a small LV2 host of our own (no suil) finds the UI with
// lilv, gives it an X11 window as ui:parent and turns it with idle calls; the UI talks to the
// host through port writes only. The user's drag on "Gain" must move the "Gain" port.
#include "WindowTestSupport.h"
#include "XvfbServer.h"

#include "host/RunLoop.h"
#include "host/editor/HostWindow.h"
#include "vstgui/CKnob.h"

#include <gtest/gtest.h>
#include <lilv/lilv.h>
#include <lv2/ui/ui.h>

#include <dlfcn.h>

#include <cstdlib>
#include <sstream>
#include <vector>

using namespace Steinberg;
using namespace vevadur::host;

namespace
{
constexpr int kSettleMs = 300;
// How long the loop may take to show what the test waits for, on a busy machine.
constexpr int kPatienceMs = 10000;
constexpr uint32_t kGainPort = 4;

// What the UI told the host.
struct HostLog
{
    std::vector<std::pair<uint32_t, float>> writes;
    std::vector<std::pair<uint32_t, bool>> touches;
    std::vector<std::pair<int, int>> sizes;
};

void writePort(LV2UI_Controller controller, uint32_t port, uint32_t size, uint32_t format,
               const void* buffer)
{
    if (format == 0 && size == sizeof(float))
        static_cast<HostLog*>(controller)
            ->writes.emplace_back(port, *static_cast<const float*>(buffer));
}

// The host's idle loop: a call of the UI's idle interface every few milliseconds.
class UiIdle : public Linux::ITimerHandler
{
  public:
    UiIdle(const LV2UI_Idle_Interface* idle, LV2UI_Handle ui) : idle(idle), ui(ui) {}
    virtual ~UiIdle() = default;
    void PLUGIN_API onTimer() override { idle->idle(ui); }
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
    const LV2UI_Idle_Interface* idle;
    LV2UI_Handle ui;
};

// The UI's binary and bundle as lilv finds them from the build tree's bundle.
struct UiLocation
{
    std::string binary;
    std::string bundle;
};

UiLocation findUi()
{
    setenv("LV2_PATH", VEVADUR_LV2_PATH, 1);
    LilvWorld* world = lilv_world_new();
    lilv_world_load_all(world);
    LilvNode* uri = lilv_new_uri(world, "urn:rovazuro:vevadurrot");
    const LilvPlugin* plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world), uri);
    UiLocation location;
    if (plugin)
    {
        LilvUIs* uis = lilv_plugin_get_uis(plugin);
        LILV_FOREACH(uis, it, uis)
        {
            const LilvUI* ui = lilv_uis_get(uis, it);
            char* binary =
                lilv_file_uri_parse(lilv_node_as_uri(lilv_ui_get_binary_uri(ui)), nullptr);
            char* bundle =
                lilv_file_uri_parse(lilv_node_as_uri(lilv_ui_get_bundle_uri(ui)), nullptr);
            location = {binary, bundle};
            lilv_free(binary);
            lilv_free(bundle);
        }
        lilv_uis_free(uis);
    }
    lilv_node_free(uri);
    lilv_world_free(world);
    return location;
}
} // namespace

TEST(Lv2Ui, OpensInTheHostsWindowAtItsSizeAndADragOnGainMovesTheGainPort)
{
    if (XvfbServer::executable().empty()) GTEST_SKIP() << "Xvfb is not installed";
    XvfbServer server;
    ASSERT_TRUE(server.isRunning()) << server.error();
    ASSERT_TRUE(xdotoolInstalled()) << "xdotool is not installed";

    const UiLocation location = findUi();
    ASSERT_FALSE(location.binary.empty()) << "no UI found under " VEVADUR_LV2_PATH;
    void* module = dlopen(location.binary.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    auto entry = reinterpret_cast<LV2UI_DescriptorFunction>(dlsym(module, "lv2ui_descriptor"));
    ASSERT_NE(entry, nullptr);
    const LV2UI_Descriptor* descriptor = entry(0);
    ASSERT_NE(descriptor, nullptr);
    EXPECT_STREQ(descriptor->URI, "urn:rovazuro:vevadurrot#ui");
    const auto* idle =
        static_cast<const LV2UI_Idle_Interface*>(descriptor->extension_data(LV2_UI__idleInterface));
    ASSERT_NE(idle, nullptr);

    RunLoop loop;
    std::string error;
    auto window = HostWindow::create(303, 588, "VevadurROT LV2 test", error);
    ASSERT_TRUE(window) << error;
    window->attachTo(loop);

    HostLog log;
    LV2UI_Resize resize{&log, [](LV2UI_Feature_Handle h, int w, int hgt)
                        {
                            static_cast<HostLog*>(h)->sizes.emplace_back(w, hgt);
                            return 0;
                        }};
    LV2UI_Touch touch{&log, [](LV2UI_Feature_Handle h, uint32_t port, bool grabbed)
                      { static_cast<HostLog*>(h)->touches.emplace_back(port, grabbed); }};
    LV2_Feature parentFeature{LV2_UI__parent,
                              reinterpret_cast<void*>(static_cast<uintptr_t>(window->window()))};
    LV2_Feature resizeFeature{LV2_UI__resize, &resize};
    LV2_Feature touchFeature{LV2_UI__touch, &touch};
    const LV2_Feature* features[] = {&parentFeature, &resizeFeature, &touchFeature, nullptr};

    // Without a parent window there is nothing to show the editor in.
    LV2UI_Widget widget = nullptr;
    const LV2_Feature* none[] = {nullptr};
    EXPECT_EQ(descriptor->instantiate(descriptor, "urn:rovazuro:vevadurrot",
                                      location.bundle.c_str(), writePort, &log, &widget, none),
              nullptr);

    LV2UI_Handle ui =
        descriptor->instantiate(descriptor, "urn:rovazuro:vevadurrot", location.bundle.c_str(),
                                writePort, &log, &widget, features);
    ASSERT_NE(ui, nullptr);
    UiIdle idler(idle, ui);
    loop.registerTimer(&idler, 10);
    loop.runFor(kSettleMs);

    // The widget is a window inside the host's, at the editor's size, and the host was told.
    const auto widgetWindow = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(widget));
    EXPECT_EQ(firstChildWindow(window->window()), widgetWindow);
    const VSTGUI::CRect on = screenRect(widgetWindow);
    EXPECT_EQ(on.getWidth(), 303);
    EXPECT_EQ(on.getHeight(), 588);
    ASSERT_FALSE(log.sizes.empty());
    EXPECT_EQ(log.sizes.back(), std::make_pair(303, 588));

    ReferenceEditor reference;
    ASSERT_TRUE(reference.isOpen());
    const uint32_t frame = firstChildWindow(widgetWindow);
    ASSERT_NE(frame, 0u);
    const Image expected = reference.render();
    loop.runUntil([&] { return differingPixels(captureWindow(frame), expected) == 0; },
                  kPatienceMs);
    EXPECT_EQ(differingPixels(captureWindow(frame), expected), 0u);

    // A value from the host (a port event) reaches the editor without coming back as a write.
    const float low = 0.1f;
    descriptor->port_event(ui, kGainPort, sizeof low, 0, &low);
    loop.runUntil([&] { return differingPixels(captureWindow(frame), expected) > 0; }, kPatienceMs);
    EXPECT_GT(differingPixels(captureWindow(frame), expected), 0u) << "the knob did not turn";
    EXPECT_TRUE(log.writes.empty());

    // A drag up on the "Gain" knob: the "Gain" port moves up, inside one touch.
    const VSTGUI::CPoint knob = reference.control<VSTGUI::CKnob>(0).getCenter();
    std::ostringstream drag;
    drag << "mousemove " << on.left + knob.x << ' ' << on.top + knob.y << " mousedown 1 "
         << "mousemove " << on.left + knob.x << ' ' << on.top + knob.y - 30 << " mouseup 1";
    ASSERT_TRUE(xdotool(drag.str()));
    loop.runUntil([&] { return log.touches.size() >= 2; }, kPatienceMs);
    ASSERT_FALSE(log.writes.empty()) << "the drag wrote no port";
    for (const auto& [port, value] : log.writes)
        EXPECT_EQ(port, kGainPort);
    EXPECT_GT(log.writes.back().second, low + 0.1f);
    EXPECT_LE(log.writes.back().second, 1.0f);
    ASSERT_EQ(log.touches.size(), 2u);
    EXPECT_EQ(log.touches[0], std::make_pair(kGainPort, true));
    EXPECT_EQ(log.touches[1], std::make_pair(kGainPort, false));

    // Closed, the widget goes; the host's window stays.
    loop.unregisterTimer(&idler);
    descriptor->cleanup(ui);
    loop.runUntil([&] { return firstChildWindow(window->window()) == 0; }, kPatienceMs);
    EXPECT_EQ(firstChildWindow(window->window()), 0u);
}
