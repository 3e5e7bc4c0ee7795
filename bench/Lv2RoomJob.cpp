#include "Lv2RoomJob.h"

#include <lilv/lilv.h>
#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/options/options.h>
#include <lv2/urid/urid.h>

namespace
{
constexpr const char* kPluginUri = "urn:rovazuro:vevadurrot";
} // namespace

struct Lv2RoomJob::Host
{
    LilvWorld* world = lilv_world_new();
    LilvInstance* instance = nullptr;
    std::vector<float> controls;

    std::map<std::string, LV2_URID> urids;
    LV2_URID_Map map{this, [](LV2_URID_Map_Handle h, const char* uri)
                     {
                         auto& ids = static_cast<Host*>(h)->urids;
                         const auto it = ids.find(uri);
                         if (it != ids.end()) return it->second;
                         const auto id = static_cast<LV2_URID>(ids.size() + 1);
                         ids.emplace(uri, id);
                         return id;
                     }};
    int32_t maxBlock = 0;
    LV2_Options_Option options[2]{};
    LV2_Feature mapFeature{LV2_URID__map, &map};
    LV2_Feature optionsFeature{LV2_OPTIONS__options, options};
    const LV2_Feature* features[3] = {&mapFeature, &optionsFeature, nullptr};

    ~Host()
    {
        if (instance)
        {
            lilv_instance_deactivate(instance);
            lilv_instance_free(instance);
        }
        lilv_world_free(world);
    }
};

Lv2RoomJob::Lv2RoomJob(const std::string& bundle, const RoomSettings& room, int maxBlock)
    : host_(std::make_unique<Host>())
{
    Host& h = *host_;
    lilv_world_load_specifications(h.world);
    LilvNode* bundleUri = lilv_new_file_uri(h.world, nullptr, (bundle + "/").c_str());
    lilv_world_load_bundle(h.world, bundleUri);
    lilv_node_free(bundleUri);
    LilvNode* pluginUri = lilv_new_uri(h.world, kPluginUri);
    const LilvPlugin* plugin =
        lilv_plugins_get_by_uri(lilv_world_get_all_plugins(h.world), pluginUri);
    lilv_node_free(pluginUri);
    if (!plugin)
    {
        error_ = "no LV2 plug-in " + std::string(kPluginUri) + " in " + bundle;
        return;
    }
    h.maxBlock = maxBlock;
    h.options[0] = {LV2_OPTIONS_INSTANCE,
                    0,
                    h.map.map(h.map.handle, LV2_BUF_SIZE__maxBlockLength),
                    sizeof(int32_t),
                    h.map.map(h.map.handle, LV2_ATOM__Int),
                    &h.maxBlock};
    h.instance = lilv_plugin_instantiate(plugin, room.sampleRate, h.features);
    if (!h.instance)
    {
        error_ = "the LV2 plug-in does not instantiate";
        return;
    }
    const uint32_t ports = lilv_plugin_get_num_ports(plugin);
    h.controls.assign(ports, 0.0f);
    lilv_plugin_get_port_ranges_float(plugin, nullptr, nullptr, h.controls.data());
    const std::map<std::string, float> settings = {
        {"position", static_cast<float>(room.position)},
        {"vol_f_b", static_cast<float>(room.volFB)},
        {"vol_l_r", static_cast<float>(room.volLR)},
        {"vol_c_f", static_cast<float>(room.volCF)},
        {"abs_f_b", static_cast<float>(room.absFB)},
        {"abs_l_r", static_cast<float>(room.absLR)},
        {"abs_c_f", static_cast<float>(room.absCF)},
        {"speed", static_cast<float>(room.revolutionsPerSecond)}};
    LilvNode* control = lilv_new_uri(h.world, LV2_CORE__ControlPort);
    for (uint32_t p = 0; p < ports; ++p)
    {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, p);
        if (!lilv_port_is_a(plugin, port, control)) continue;
        const auto it = settings.find(lilv_node_as_string(lilv_port_get_symbol(plugin, port)));
        if (it != settings.end()) h.controls[p] = it->second;
        lilv_instance_connect_port(h.instance, p, &h.controls[p]);
    }
    lilv_node_free(control);
    lilv_instance_activate(h.instance);
}

Lv2RoomJob::~Lv2RoomJob() = default;

void Lv2RoomJob::process(const float* inL, const float* inR, float* outL, float* outR, int frames)
{
    if (!host_->instance) return;
    // The plug-in only reads its inputs.
    lilv_instance_connect_port(host_->instance, 0, const_cast<float*>(inL));
    lilv_instance_connect_port(host_->instance, 1, const_cast<float*>(inR));
    lilv_instance_connect_port(host_->instance, 2, outL);
    lilv_instance_connect_port(host_->instance, 3, outR);
    lilv_instance_run(host_->instance, static_cast<uint32_t>(frames));
}
