#pragma once

#include "RoomSettings.h"
#include "StereoJob.h"

#include <memory>

class CVevadur;

// The room effect itself, frame by frame as the plug-in binding drives it, set to the
// benchmark's room.
class EffectRoomJob : public StereoJob
{
  public:
    explicit EffectRoomJob(const RoomSettings& room);
    ~EffectRoomJob() override;
    void process(const float* inL, const float* inR, float* outL, float* outR, int frames) override;

  private:
    std::unique_ptr<CVevadur> effect_;
};
