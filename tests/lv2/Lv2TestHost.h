// A small LV2 host on liblilv for the tests: a world that sees only the build tree's bundles,
// the features a host offers (urid:map, options with the longest block), and an instance with
// its port buffers, driven as hosts drive LV2 plug-ins.
#pragma once

#include <lilv/lilv.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace lv2test
{

// URIs to URIDs and back, as hosts keep them.
class UridMap
{
  public:
    UridMap();
    LV2_URID map(const std::string& uri);
    const char* unmap(LV2_URID urid) const;
    LV2_URID_Map* mapFeature() { return &m_map; }
    LV2_URID_Unmap* unmapFeature() { return &m_unmap; }

  private:
    std::map<std::string, LV2_URID> m_ids;
    std::vector<std::string> m_uris;
    LV2_URID_Map m_map{};
    LV2_URID_Unmap m_unmap{};
};

// The lilv world over the build tree's LV2_PATH, and the plug-in found by its URI.
class Lv2World
{
  public:
    Lv2World();
    ~Lv2World();
    LilvWorld* world() const { return m_world; }
    const LilvPlugin* plugin() const { return m_plugin; }
    LilvNode* uri(const char* text);
    LilvNode* string(const char* text);
    UridMap& urids() { return m_urids; }
    // The features given to instances: urid:map and unmap, and options (max block, rate).
    const LV2_Feature* const* features(double sampleRate, int32_t maxBlock);

  private:
    LilvWorld* m_world = nullptr;
    const LilvPlugin* m_plugin = nullptr;
    std::vector<LilvNode*> m_nodes;
    UridMap m_urids;
    struct Features;
    std::unique_ptr<Features> m_features;
};

// One instance with a buffer for every port; audio in and out are stereo.
class Lv2Room
{
  public:
    Lv2Room(Lv2World& world, double sampleRate, int32_t maxBlock = 4096);
    ~Lv2Room();
    bool ok() const { return m_instance != nullptr; }
    LilvInstance* instance() const { return m_instance; }

    // Control ports by symbol; false for an unknown symbol.
    bool set(const std::string& symbol, float value);
    float get(const std::string& symbol) const;
    // Every input control port's value, by symbol.
    std::map<std::string, float> controls() const;
    float latency() const;

    // Runs the input through in blocks of `block` frames; the output has the same length.
    void render(const std::vector<float>& left, const std::vector<float>& right,
                std::vector<float>& outLeft, std::vector<float>& outRight, uint32_t block);
    // Connects an audio port to other memory (null: unconnected) for the next run() calls.
    void connectAudio(uint32_t port, float* data);
    void run(uint32_t frames);

    // The state through lilv, as hosts save and restore it (port values included).
    LilvState* saveState();
    void restoreState(const LilvState* state);
    // The plug-in's own state interface, called directly.
    const LV2_State_Interface* stateInterface() const;

  private:
    Lv2World& m_world;
    LilvInstance* m_instance = nullptr;
    std::vector<float> m_ports; // one value per control port, by port index
    std::map<std::string, uint32_t> m_symbols;
    std::vector<float> m_audio; // 4 buffers of m_maxBlock frames
    uint32_t m_maxBlock;
    uint32_t m_latencyPort = 0;
};

} // namespace lv2test
