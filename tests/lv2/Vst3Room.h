// The same room driven through its VST3 interfaces by our own host: the reference the LV2
// plug-in is compared with. Settings go by parameter title in plain values, as LV2 ports do.
#pragma once

#include "host/PluginInstance.h"
#include "host/PluginModule.h"
#include "host/ProcessBlock.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace lv2test
{

class Vst3Room
{
  public:
    Vst3Room(double sampleRate, int32_t block);
    bool ok() const { return m_block != nullptr; }
    vevadur::host::PluginInstance& instance() { return *m_instance; }

    // Plain values by parameter title; applied with the next block.
    void set(const std::string& title, double plain);
    void render(const std::vector<float>& left, const std::vector<float>& right,
                std::vector<float>& outLeft, std::vector<float>& outRight);
    // The component's state after the settings so far have been applied.
    std::vector<uint8_t> state();

  private:
    std::unique_ptr<vevadur::host::PluginModule> m_module;
    std::unique_ptr<vevadur::host::PluginInstance> m_instance;
    std::unique_ptr<vevadur::host::ProcessBlock> m_block;
    int32_t m_blockSize;
};

} // namespace lv2test
