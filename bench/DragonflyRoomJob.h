#pragma once

#include "StereoJob.h"

#include <memory>
#include <string>

// The peer users compare the room with: Dragonfly Room Reverb (the LV2 plug-in of Debian's
// dragonfly-reverb-lv2), at its default settings, hosted through liblilv as an LV2 host runs it:
// urid:map, options (block lengths and sample rate) and a worker, the ports connected to the
// host block's buffers before every run.
class DragonflyRoomJob : public StereoJob
{
  public:
    static constexpr const char* kUri = "urn:dragonfly:room";

    DragonflyRoomJob(int sampleRate, int maxBlock);
    ~DragonflyRoomJob() override;
    void process(const float* inL, const float* inR, float* outL, float* outR, int frames) override;

    // Empty when the plug-in runs; else why it does not (not installed, refused to start).
    const std::string& error() const { return m_error; }

  private:
    struct Host;
    std::unique_ptr<Host> m_host;
    std::string m_error;
};
