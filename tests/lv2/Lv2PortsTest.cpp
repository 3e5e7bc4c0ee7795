// What a host learns from the bundle (read by lilv from the generated .ttl files) against the
// plug-in's own parameter list, read through VST3.
#include "Lv2TestHost.h"
#include "Vst3Room.h"

#include <gtest/gtest.h>

#include <lv2/port-props/port-props.h>
#include <lv2/ui/ui.h>
#include <lv2/units/units.h>

#include <cmath>
#include <string>

using namespace lv2test;
using namespace Steinberg;

namespace
{
constexpr uint32_t kFirstControlPort = 4;

std::string text(const LilvNode* node)
{
    return node ? lilv_node_as_string(node) : "";
}

bool hasProperty(Lv2World& world, const LilvPort* port, const char* property)
{
    return lilv_port_has_property(world.plugin(), port, world.uri(property));
}

// The room's controls: the parameters below the reserved ids that a user can set.
std::vector<Vst::ParameterInfo> roomControls(vevadur::host::PluginInstance& vst3)
{
    std::vector<Vst::ParameterInfo> controls;
    for (const auto& info : vst3.parameters())
        if (info.id < 0x800 && !(info.flags & Vst::ParameterInfo::kIsReadOnly))
            controls.push_back(info);
    return controls;
}
} // namespace

TEST(Lv2Discovery, FindsThePluginByItsUriInTheBuildTreeWithItsUiAndState)
{
    Lv2World world;
    ASSERT_NE(world.plugin(), nullptr)
        << "urn:rovazuro:vevadurrot not found under " VEVADUR_LV2_PATH;
    const std::string bundle = text(lilv_plugin_get_bundle_uri(world.plugin()));
    EXPECT_NE(bundle.find(VEVADUR_LV2_PATH), std::string::npos) << bundle;
    EXPECT_TRUE(lilv_plugin_has_extension_data(world.plugin(), world.uri(LV2_STATE__interface)));
    LilvNodes* required = lilv_plugin_get_required_features(world.plugin());
    EXPECT_EQ(lilv_nodes_size(required), 0u) << "every host must be able to load it";
    lilv_nodes_free(required);

    LilvUIs* uis = lilv_plugin_get_uis(world.plugin());
    ASSERT_EQ(lilv_uis_size(uis), 1u);
    const LilvUI* ui = lilv_uis_get(uis, lilv_uis_begin(uis));
    EXPECT_EQ(text(lilv_ui_get_uri(ui)), "urn:rovazuro:vevadurrot#ui");
    EXPECT_TRUE(lilv_ui_is_a(ui, world.uri(LV2_UI__X11UI)));
    EXPECT_EQ(text(lilv_ui_get_binary_uri(ui)), text(lilv_plugin_get_library_uri(world.plugin())))
        << "one binary serves the plug-in and its editor";
    lilv_uis_free(uis);
}

TEST(Lv2Ports, StereoAudioEveryRoomControlEnabledAndLatencyMatchTheParameterList)
{
    Lv2World world;
    ASSERT_NE(world.plugin(), nullptr);
    Vst3Room vst3(48000, 64);
    ASSERT_TRUE(vst3.ok());
    auto& controller = vst3.instance().controller();
    const auto controls = roomControls(vst3.instance());
    ASSERT_EQ(controls.size(), 13u);
    const LilvPlugin* plugin = world.plugin();
    ASSERT_EQ(lilv_plugin_get_num_ports(plugin), kFirstControlPort + controls.size() + 2);

    LilvNode* audio = world.uri(LV2_CORE__AudioPort);
    LilvNode* input = world.uri(LV2_CORE__InputPort);
    for (uint32_t p = 0; p < 4; ++p)
    {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, p);
        EXPECT_TRUE(lilv_port_is_a(plugin, port, audio)) << p;
        EXPECT_EQ(lilv_port_is_a(plugin, port, input), p < 2) << p;
    }

    for (size_t i = 0; i < controls.size(); ++i)
    {
        const Vst::ParameterInfo& info = controls[i];
        const std::string title = vevadur::host::PluginInstance::toUtf8(info.title);
        SCOPED_TRACE(title);
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, kFirstControlPort + i);
        EXPECT_TRUE(lilv_port_is_a(plugin, port, input));
        LilvNode* name = lilv_port_get_name(plugin, port);
        EXPECT_EQ(text(name), title);
        lilv_node_free(name);
        LilvNode *def = nullptr, *min = nullptr, *max = nullptr;
        lilv_port_get_range(plugin, port, &def, &min, &max);
        EXPECT_NEAR(lilv_node_as_float(min), controller.normalizedParamToPlain(info.id, 0.0), 1e-6);
        EXPECT_NEAR(lilv_node_as_float(max), controller.normalizedParamToPlain(info.id, 1.0), 1e-6);
        EXPECT_NEAR(lilv_node_as_float(def),
                    controller.normalizedParamToPlain(info.id, info.defaultNormalizedValue), 1e-6);
        lilv_node_free(def);
        lilv_node_free(min);
        lilv_node_free(max);
        // The controls are linear: none is announced as logarithmic.
        EXPECT_FALSE(hasProperty(world, port, LV2_PORT_PROPS__logarithmic));

        // A list's items are the port's scale points, at their item numbers.
        LilvScalePoints* points = lilv_port_get_scale_points(plugin, port);
        if (info.stepCount > 0)
        {
            ASSERT_EQ(lilv_scale_points_size(points), static_cast<unsigned>(info.stepCount + 1));
            LILV_FOREACH(scale_points, it, points)
            {
                const LilvScalePoint* point = lilv_scale_points_get(points, it);
                const float value = lilv_node_as_float(lilv_scale_point_get_value(point));
                EXPECT_EQ(text(lilv_scale_point_get_label(point)),
                          vst3.instance().valueText(info.id, value / info.stepCount));
            }
            EXPECT_TRUE(hasProperty(world, port, LV2_CORE__integer) ||
                        hasProperty(world, port, LV2_CORE__toggled));
        }
        if (points) lilv_scale_points_free(points);
    }

    // The names and properties a user sees in a host's generic editor.
    const auto portOf = [&](const char* symbol)
    { return lilv_plugin_get_port_by_symbol(plugin, world.string(symbol)); };
    auto labelsOf = [&](const char* symbol)
    {
        std::map<float, std::string> labels;
        LilvScalePoints* points = lilv_port_get_scale_points(plugin, portOf(symbol));
        LILV_FOREACH(scale_points, it, points)
        {
            const LilvScalePoint* point = lilv_scale_points_get(points, it);
            labels[lilv_node_as_float(lilv_scale_point_get_value(point))] =
                text(lilv_scale_point_get_label(point));
        }
        if (points) lilv_scale_points_free(points);
        return labels;
    };
    ASSERT_NE(portOf("position"), nullptr);
    EXPECT_EQ(labelsOf("position").size(), 11u);
    EXPECT_EQ(labelsOf("position")[3.0f], "L45");
    EXPECT_EQ(labelsOf("decay_type"),
              (std::map<float, std::string>{{0.0f, "Exponential"}, {1.0f, "Hyperbolic"}}));
    EXPECT_TRUE(hasProperty(world, portOf("decay_type"), LV2_CORE__integer));
    EXPECT_TRUE(hasProperty(world, portOf("position"), LV2_CORE__enumeration));
    EXPECT_TRUE(hasProperty(world, portOf("reverse"), LV2_CORE__toggled));
    EXPECT_FALSE(hasProperty(world, portOf("gain"), LV2_CORE__integer));
    LilvNodes* units = lilv_port_get_value(plugin, portOf("speed"), world.uri(LV2_UNITS__unit));
    ASSERT_EQ(lilv_nodes_size(units), 1u);
    EXPECT_EQ(text(lilv_nodes_get_first(units)), LV2_UNITS__hz);
    lilv_nodes_free(units);

    // The bypass is the host's "enabled" switch; the latency what the VST3 side reports.
    const LilvPort* enabled =
        lilv_plugin_get_port_by_designation(plugin, input, world.uri(LV2_CORE__enabled));
    ASSERT_NE(enabled, nullptr);
    EXPECT_EQ(lilv_port_get_index(plugin, enabled), kFirstControlPort + controls.size());
    EXPECT_TRUE(hasProperty(world, enabled, LV2_CORE__toggled));
    EXPECT_TRUE(lilv_plugin_has_latency(plugin));
    EXPECT_EQ(lilv_plugin_get_latency_port_index(plugin), kFirstControlPort + controls.size() + 1);
    Lv2Room room(world, 48000);
    ASSERT_TRUE(room.ok());
    room.run(64);
    EXPECT_EQ(room.latency(), static_cast<float>(vst3.instance().processor().getLatencySamples()));
}
