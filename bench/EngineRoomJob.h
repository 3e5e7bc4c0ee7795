#pragma once

#include "RoomSettings.h"
#include "StereoJob.h"

#include "engine/DelayLine.h"
#include "engine/SegmentConvolver.h"

#include <memory>

// The room as our engine computes it, wired the way the effect wires its convolvers: per ear
// front-back, left-right and ceiling-floor head stages (block 128, start 0) and tail stages
// (block 2048, start 4096), the tail sum through a 256-sample delay line; the right ear's
// convolvers subtract the left-right component.
class EngineRoomJob final : public StereoJob
{
  public:
    explicit EngineRoomJob(const RoomSettings& room);

    void process(const float* inL, const float* inR, float* outL, float* outR, int frames) override;

  private:
    struct Ear
    {
        Ear(const RoomSettings& room, bool negate);
        double process(double fbInput, double lrInput, double x);

        std::unique_ptr<SegmentConvolver> fbHead, fbTail, lrHead, lrTail, cfHead, cfTail;
        DelayLine tailDelay;
    };

    Rotation rotation_;
    Ear left_;
    Ear right_;
};
