#pragma once

#include "RoomSettings.h"
#include "StereoJob.h"

#include <memory>

class CVevadur;

// The room effect itself, a host block at a time as the plug-in binding drives it, set to the
// benchmark's room. With `reference` it runs the reference engine (the per-sample convolvers
// the effect used before the block engine) instead of the engine it ships with.
class EffectRoomJob : public StereoJob
{
  public:
    explicit EffectRoomJob(const RoomSettings& room, bool reference = false);
    ~EffectRoomJob() override;
    void process(const float* inL, const float* inR, float* outL, float* outR, int frames) override;

    CVevadur& effect() { return *effect_; }

  private:
    std::unique_ptr<CVevadur> effect_;
};
