#pragma once

#include "RoomSettings.h"
#include "StereoJob.h"

#include <memory>
#include <string>

class Convproc;

// The room as zita-convolver computes it: six 69632-tap convolutions (front-back, left-right
// and ceiling-floor per ear), inputs weighted by the rotation like the engine's, outputs summed
// per ear by the convolver. Non-uniform partitions from 128 samples up; the host block must be
// exactly `quantum` frames. process() waits for every partition level (sync mode), so a block's
// whole cost is paid before it returns.
class ZitaRoomJob final : public StereoJob
{
  public:
    ZitaRoomJob(const RoomSettings& room, int quantum);
    ~ZitaRoomJob() override;

    void process(const float* inL, const float* inR, float* outL, float* outR, int frames) override;

    // Empty when the convolver is set up and running; otherwise why not (process does nothing).
    const std::string& error() const { return error_; }

  private:
    std::unique_ptr<Convproc> convolver_;
    Rotation rotation_;
    int quantum_;
    bool started_ = false;
    std::string error_;
};
