#include "Lv2TestHost.h"

#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/options/options.h>
#include <lv2/parameters/parameters.h>
#include <lv2/state/state.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace lv2test
{

UridMap::UridMap()
{
    m_map.handle = this;
    m_map.map = [](LV2_URID_Map_Handle h, const char* uri)
    { return static_cast<UridMap*>(h)->map(uri); };
    m_unmap.handle = this;
    m_unmap.unmap = [](LV2_URID_Unmap_Handle h, LV2_URID urid)
    { return static_cast<UridMap*>(h)->unmap(urid); };
}

LV2_URID UridMap::map(const std::string& uri)
{
    const auto it = m_ids.find(uri);
    if (it != m_ids.end()) return it->second;
    m_uris.push_back(uri);
    const auto id = static_cast<LV2_URID>(m_uris.size());
    m_ids.emplace(uri, id);
    return id;
}

const char* UridMap::unmap(LV2_URID urid) const
{
    return urid >= 1 && urid <= m_uris.size() ? m_uris[urid - 1].c_str() : nullptr;
}

struct Lv2World::Features
{
    int32_t maxBlock = 0;
    float sampleRate = 0;
    LV2_Options_Option options[3]{};
    LV2_Feature map{LV2_URID__map, nullptr};
    LV2_Feature unmap{LV2_URID__unmap, nullptr};
    LV2_Feature optionsFeature{LV2_OPTIONS__options, nullptr};
    const LV2_Feature* list[4] = {&map, &unmap, &optionsFeature, nullptr};
};

Lv2World::Lv2World() : m_features(std::make_unique<Features>())
{
    // Only the build tree's bundles: never the user's or the system's plug-ins.
    setenv("LV2_PATH", VEVADUR_LV2_PATH, 1);
    m_world = lilv_world_new();
    lilv_world_load_all(m_world);
    LilvNode* pluginUri = uri("urn:rovazuro:vevadurrot");
    m_plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(m_world), pluginUri);
}

Lv2World::~Lv2World()
{
    for (LilvNode* node : m_nodes)
        lilv_node_free(node);
    lilv_world_free(m_world);
}

LilvNode* Lv2World::uri(const char* text)
{
    m_nodes.push_back(lilv_new_uri(m_world, text));
    return m_nodes.back();
}

LilvNode* Lv2World::string(const char* text)
{
    m_nodes.push_back(lilv_new_string(m_world, text));
    return m_nodes.back();
}

const LV2_Feature* const* Lv2World::features(double sampleRate, int32_t maxBlock)
{
    Features& f = *m_features;
    f.maxBlock = maxBlock;
    f.sampleRate = static_cast<float>(sampleRate);
    f.options[0] = {LV2_OPTIONS_INSTANCE,
                    0,
                    m_urids.map(LV2_BUF_SIZE__maxBlockLength),
                    sizeof(int32_t),
                    m_urids.map(LV2_ATOM__Int),
                    &f.maxBlock};
    f.options[1] = {LV2_OPTIONS_INSTANCE,
                    0,
                    m_urids.map(LV2_PARAMETERS__sampleRate),
                    sizeof(float),
                    m_urids.map(LV2_ATOM__Float),
                    &f.sampleRate};
    f.options[2] = {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr};
    f.map.data = m_urids.mapFeature();
    f.unmap.data = m_urids.unmapFeature();
    f.optionsFeature.data = f.options;
    return f.list;
}

Lv2Room::Lv2Room(Lv2World& world, double sampleRate, int32_t maxBlock)
    : m_world(world), m_maxBlock(static_cast<uint32_t>(maxBlock))
{
    const LilvPlugin* plugin = world.plugin();
    if (!plugin) return;
    m_instance = lilv_plugin_instantiate(plugin, sampleRate, world.features(sampleRate, maxBlock));
    if (!m_instance) return;
    const uint32_t ports = lilv_plugin_get_num_ports(plugin);
    m_ports.assign(ports, 0.0f);
    m_audio.assign(4 * m_maxBlock, 0.0f);
    LilvNode* control = world.uri(LV2_CORE__ControlPort);
    LilvNode* output = world.uri(LV2_CORE__OutputPort);
    std::vector<float> defaults(ports, 0.0f);
    lilv_plugin_get_port_ranges_float(plugin, nullptr, nullptr, defaults.data());
    for (uint32_t p = 0; p < ports; ++p)
    {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, p);
        if (!lilv_port_is_a(plugin, port, control)) continue;
        m_symbols[lilv_node_as_string(lilv_port_get_symbol(plugin, port))] = p;
        m_ports[p] = defaults[p];
        if (lilv_port_is_a(plugin, port, output)) m_latencyPort = p;
        lilv_instance_connect_port(m_instance, p, &m_ports[p]);
    }
    for (uint32_t a = 0; a < 4; ++a)
        lilv_instance_connect_port(m_instance, a, m_audio.data() + a * m_maxBlock);
    lilv_instance_activate(m_instance);
}

Lv2Room::~Lv2Room()
{
    if (!m_instance) return;
    lilv_instance_deactivate(m_instance);
    lilv_instance_free(m_instance);
}

bool Lv2Room::set(const std::string& symbol, float value)
{
    const auto it = m_symbols.find(symbol);
    if (it == m_symbols.end()) return false;
    m_ports[it->second] = value;
    return true;
}

float Lv2Room::get(const std::string& symbol) const
{
    const auto it = m_symbols.find(symbol);
    return it == m_symbols.end() ? -12345.0f : m_ports[it->second];
}

std::map<std::string, float> Lv2Room::controls() const
{
    std::map<std::string, float> values;
    for (const auto& [symbol, port] : m_symbols)
        if (port != m_latencyPort) values[symbol] = m_ports[port];
    return values;
}

float Lv2Room::latency() const
{
    return m_ports[m_latencyPort];
}

void Lv2Room::connectAudio(uint32_t port, float* data)
{
    lilv_instance_connect_port(m_instance, port, data);
}

void Lv2Room::run(uint32_t frames)
{
    lilv_instance_run(m_instance, frames);
}

void Lv2Room::render(const std::vector<float>& left, const std::vector<float>& right,
                     std::vector<float>& outLeft, std::vector<float>& outRight, uint32_t block)
{
    block = std::min(block, m_maxBlock);
    const size_t frames = left.size();
    outLeft.assign(frames, 0.0f);
    outRight.assign(frames, 0.0f);
    float* in[2] = {m_audio.data(), m_audio.data() + m_maxBlock};
    float* out[2] = {m_audio.data() + 2 * m_maxBlock, m_audio.data() + 3 * m_maxBlock};
    for (uint32_t a = 0; a < 4; ++a)
        lilv_instance_connect_port(m_instance, a, m_audio.data() + a * m_maxBlock);
    for (size_t start = 0; start < frames; start += block)
    {
        const auto n = static_cast<uint32_t>(std::min<size_t>(block, frames - start));
        std::memcpy(in[0], left.data() + start, n * sizeof(float));
        std::memcpy(in[1], right.data() + start, n * sizeof(float));
        lilv_instance_run(m_instance, n);
        std::memcpy(outLeft.data() + start, out[0], n * sizeof(float));
        std::memcpy(outRight.data() + start, out[1], n * sizeof(float));
    }
}

namespace
{
const void* portValue(const char* symbol, void* user, uint32_t* size, uint32_t* type)
{
    auto* room = static_cast<std::pair<Lv2Room*, LV2_URID>*>(user);
    static thread_local float value;
    value = room->first->get(symbol);
    *size = sizeof(float);
    *type = room->second;
    return &value;
}

void setPortValue(const char* symbol, void* user, const void* value, uint32_t size, uint32_t)
{
    if (size == sizeof(float))
        static_cast<Lv2Room*>(user)->set(symbol, *static_cast<const float*>(value));
}
} // namespace

LilvState* Lv2Room::saveState()
{
    std::pair<Lv2Room*, LV2_URID> user{this, m_world.urids().map(LV2_ATOM__Float)};
    return lilv_state_new_from_instance(m_world.plugin(), m_instance, m_world.urids().mapFeature(),
                                        nullptr, nullptr, nullptr, nullptr, portValue, &user, 0,
                                        nullptr);
}

void Lv2Room::restoreState(const LilvState* state)
{
    lilv_state_restore(state, m_instance, setPortValue, this, 0, nullptr);
}

const LV2_State_Interface* Lv2Room::stateInterface() const
{
    return static_cast<const LV2_State_Interface*>(
        lilv_instance_get_extension_data(m_instance, LV2_STATE__interface));
}

} // namespace lv2test
