#include "DragonflyRoomJob.h"

#include <lilv/lilv.h>
#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/core/lv2.h>
#include <lv2/options/options.h>
#include <lv2/parameters/parameters.h>
#include <lv2/urid/urid.h>
#include <lv2/worker/worker.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace
{
constexpr uint32_t kAtomCapacity = 8192;
constexpr uint32_t kWorkCapacity = 4096;

// Frees a lilv node when it goes out of scope.
struct Node
{
    Node(LilvWorld* world, const char* uri) : node(lilv_new_uri(world, uri)) {}
    ~Node() { lilv_node_free(node); }
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;
    LilvNode* node;
};
} // namespace

struct DragonflyRoomJob::Host
{
    LilvWorld* world = nullptr;
    LilvInstance* instance = nullptr;

    // urid:map over a list of the URIs seen; the index + 1 is the URID.
    std::vector<std::string> uris;
    LV2_URID_Map map{this, &Host::mapUri};

    int32_t minBlock = 1;
    int32_t maxBlock = 0;
    float sampleRate = 0.0f;
    std::vector<LV2_Options_Option> options;

    // worker:schedule: one request at a time, run after the block that asked for it.
    LV2_Worker_Schedule schedule{this, &Host::scheduleWork};
    const LV2_Worker_Interface* worker = nullptr;
    std::vector<uint8_t> work = std::vector<uint8_t>(kWorkCapacity);
    uint32_t workSize = 0;
    bool workPending = false;

    LV2_Feature mapFeature{LV2_URID__map, &map};
    LV2_Feature optionsFeature{LV2_OPTIONS__options, nullptr};
    LV2_Feature scheduleFeature{LV2_WORKER__schedule, &schedule};
    LV2_Feature boundedFeature{LV2_BUF_SIZE__boundedBlockLength, nullptr};
    const LV2_Feature* features[5] = {&mapFeature, &optionsFeature, &scheduleFeature,
                                      &boundedFeature, nullptr};

    std::vector<float> controls;             // every port's value; control ports are read
    std::vector<uint32_t> audioIn, audioOut; // port indices
    std::vector<std::vector<uint64_t>> atomIn, atomOut; // 8-byte aligned atom buffers
    std::vector<uint32_t> atomInPorts, atomOutPorts;
    LV2_URID sequenceType = 0, chunkType = 0;

    static LV2_URID mapUri(LV2_URID_Map_Handle handle, const char* uri)
    {
        auto* host = static_cast<Host*>(handle);
        const auto found = std::find(host->uris.begin(), host->uris.end(), uri);
        if (found != host->uris.end()) return LV2_URID(found - host->uris.begin() + 1);
        host->uris.emplace_back(uri);
        return LV2_URID(host->uris.size());
    }

    static LV2_Worker_Status scheduleWork(LV2_Worker_Schedule_Handle handle, uint32_t size,
                                          const void* data)
    {
        auto* host = static_cast<Host*>(handle);
        if (host->workPending || size > host->work.size()) return LV2_WORKER_ERR_NO_SPACE;
        std::memcpy(host->work.data(), data, size);
        host->workSize = size;
        host->workPending = true;
        return LV2_WORKER_SUCCESS;
    }

    static LV2_Worker_Status respond(LV2_Worker_Respond_Handle handle, uint32_t size,
                                     const void* data)
    {
        auto* host = static_cast<Host*>(handle);
        return host->worker->work_response(lilv_instance_get_handle(host->instance), size, data);
    }

    void runPendingWork()
    {
        if (!workPending || !worker) return;
        workPending = false;
        LV2_Handle handle = lilv_instance_get_handle(instance);
        worker->work(handle, &Host::respond, this, workSize, work.data());
        if (worker->end_run) worker->end_run(handle);
    }

    void setOptions()
    {
        sequenceType = mapUri(this, LV2_ATOM__Sequence);
        chunkType = mapUri(this, LV2_ATOM__Chunk);
        const LV2_URID atomInt = mapUri(this, LV2_ATOM__Int);
        const LV2_URID atomFloat = mapUri(this, LV2_ATOM__Float);
        auto option = [&](const char* key, uint32_t size, LV2_URID type, const void* value) {
            options.push_back({LV2_OPTIONS_INSTANCE, 0, mapUri(this, key), size, type, value});
        };
        option(LV2_BUF_SIZE__minBlockLength, sizeof minBlock, atomInt, &minBlock);
        option(LV2_BUF_SIZE__maxBlockLength, sizeof maxBlock, atomInt, &maxBlock);
        option(LV2_BUF_SIZE__nominalBlockLength, sizeof maxBlock, atomInt, &maxBlock);
        option(LV2_PARAMETERS__sampleRate, sizeof sampleRate, atomFloat, &sampleRate);
        options.push_back({LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr});
        optionsFeature.data = options.data();
    }

    // Control ports at their defaults, audio ports noted for connection per block, atom ports
    // on buffers of their own.
    void connectPorts(const LilvPlugin* plugin)
    {
        Node audio(world, LV2_CORE__AudioPort), control(world, LV2_CORE__ControlPort),
            atom(world, LV2_ATOM__AtomPort), input(world, LV2_CORE__InputPort);
        const uint32_t count = lilv_plugin_get_num_ports(plugin);
        std::vector<float> defaults(count, 0.0f);
        lilv_plugin_get_port_ranges_float(plugin, nullptr, nullptr, defaults.data());
        controls.assign(count, 0.0f);
        for (uint32_t p = 0; p < count; ++p)
        {
            const LilvPort* port = lilv_plugin_get_port_by_index(plugin, p);
            const bool isInput = lilv_port_is_a(plugin, port, input.node);
            if (lilv_port_is_a(plugin, port, audio.node))
            {
                (isInput ? audioIn : audioOut).push_back(p);
            }
            else if (lilv_port_is_a(plugin, port, atom.node))
            {
                auto& buffers = isInput ? atomIn : atomOut;
                buffers.emplace_back(kAtomCapacity / sizeof(uint64_t), 0);
                (isInput ? atomInPorts : atomOutPorts).push_back(p);
            }
            else
            {
                controls[p] = defaults[p] == defaults[p] ? defaults[p] : 0.0f;
                lilv_instance_connect_port(instance, p, &controls[p]);
            }
        }
        for (size_t i = 0; i < atomIn.size(); ++i)
            lilv_instance_connect_port(instance, atomInPorts[i], atomIn[i].data());
        for (size_t i = 0; i < atomOut.size(); ++i)
            lilv_instance_connect_port(instance, atomOutPorts[i], atomOut[i].data());
    }

    // An empty input sequence and room for the plug-in's output, as a host sets them per run.
    void resetAtoms()
    {
        for (auto& buffer : atomIn)
        {
            auto* seq = reinterpret_cast<LV2_Atom_Sequence*>(buffer.data());
            seq->atom.size = sizeof(LV2_Atom_Sequence_Body);
            seq->atom.type = sequenceType;
            seq->body.unit = 0;
            seq->body.pad = 0;
        }
        for (auto& buffer : atomOut)
        {
            auto* atom = reinterpret_cast<LV2_Atom*>(buffer.data());
            atom->size = kAtomCapacity - sizeof(LV2_Atom);
            atom->type = chunkType;
        }
    }
};

DragonflyRoomJob::DragonflyRoomJob(int sampleRate, int maxBlock) : m_host(std::make_unique<Host>())
{
    Host& h = *m_host;
    h.maxBlock = maxBlock;
    h.sampleRate = float(sampleRate);
    h.world = lilv_world_new();
    lilv_world_load_all(h.world);
    Node uri(h.world, kUri);
    const LilvPlugin* plugin =
        lilv_plugins_get_by_uri(lilv_world_get_all_plugins(h.world), uri.node);
    if (!plugin)
    {
        m_error = std::string(kUri) + " is not installed (Debian: dragonfly-reverb-lv2)";
        return;
    }
    // Map everything the plug-in may ask for before the options point into the list.
    h.setOptions();
    h.instance = lilv_plugin_instantiate(plugin, double(sampleRate), h.features);
    if (!h.instance)
    {
        m_error = "Dragonfly Room Reverb did not instantiate";
        return;
    }
    h.worker = static_cast<const LV2_Worker_Interface*>(
        lilv_instance_get_extension_data(h.instance, LV2_WORKER__interface));
    h.connectPorts(plugin);
    if (h.audioIn.size() != 2 || h.audioOut.size() != 2)
    {
        m_error = "Dragonfly Room Reverb is not stereo in and out";
        return;
    }
    h.resetAtoms();
    lilv_instance_activate(h.instance);
}

DragonflyRoomJob::~DragonflyRoomJob()
{
    if (m_host->instance)
    {
        if (m_error.empty()) lilv_instance_deactivate(m_host->instance);
        lilv_instance_free(m_host->instance);
    }
    if (m_host->world) lilv_world_free(m_host->world);
}

void DragonflyRoomJob::process(const float* inL, const float* inR, float* outL, float* outR,
                               int frames)
{
    if (!m_error.empty()) return;
    Host& h = *m_host;
    // The host's buffers change from block to block: connect them before every run.
    lilv_instance_connect_port(h.instance, h.audioIn[0], const_cast<float*>(inL));
    lilv_instance_connect_port(h.instance, h.audioIn[1], const_cast<float*>(inR));
    lilv_instance_connect_port(h.instance, h.audioOut[0], outL);
    lilv_instance_connect_port(h.instance, h.audioOut[1], outR);
    h.resetAtoms();
    lilv_instance_run(h.instance, uint32_t(frames));
    h.runPendingWork();
}
