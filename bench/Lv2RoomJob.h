#pragma once

#include "RoomSettings.h"
#include "StereoJob.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

// The whole plug-in as an LV2 host runs it: the built LV2 bundle loaded through liblilv (that
// bundle only, whatever LV2_PATH says), instantiated at the room's rate with the longest block
// announced, the room's settings on its control ports, and each block run on the host's
// buffers.
class Lv2RoomJob : public StereoJob
{
  public:
    Lv2RoomJob(const std::string& bundle, const RoomSettings& room, int maxBlock);
    ~Lv2RoomJob() override;
    void process(const float* inL, const float* inR, float* outL, float* outR, int frames) override;

    const std::string& error() const { return error_; }

  private:
    struct Host;
    std::unique_ptr<Host> host_;
    std::string error_;
};
