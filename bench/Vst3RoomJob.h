#pragma once

#include "RoomSettings.h"
#include "StereoJob.h"

#include <memory>
#include <string>

namespace vevadur::host
{
class PluginModule;
class PluginInstance;
class ProcessBlock;
} // namespace vevadur::host

// The whole plug-in as a host runs it: the bundle loaded through its binary interface, set up
// stereo at the room's rate, and, when `automated`, every block handed over with a parameter
// queue (a point for "Gain" at its own value), so the binding's parameter path runs too.
class Vst3RoomJob : public StereoJob
{
  public:
    Vst3RoomJob(const std::string& bundle, const RoomSettings& room, int maxBlock,
                bool automated = true);
    ~Vst3RoomJob() override;
    void process(const float* inL, const float* inR, float* outL, float* outR, int frames) override;

    const std::string& error() const { return error_; }

  private:
    void setPlain(const char* title, double plain);

    std::unique_ptr<vevadur::host::PluginModule> module_;
    std::unique_ptr<vevadur::host::PluginInstance> instance_;
    std::unique_ptr<vevadur::host::ProcessBlock> block_;
    std::string error_;
    unsigned gainId_ = 0;
    double gain_ = 0.5;
    bool automated_ = true;
};
