#pragma once

#include "engine/ComponentResponse.h"
#include "engine/RoomModel.h"
#include "engine/RoomStage.h"

#include <vector>

// The room engine the plug-in runs: two RoomStages (head: response samples 0 .. 4095 in blocks of
// 128; tail: 4096 .. 69631 in blocks of 2048) and a 256-frame delay on the tail, computing what
// ReferenceRoom computes (to rounding) at a fraction of its cost. The component responses are
// kept as descriptions (table, gain, envelope) and evaluated when a stage gathers a partition, so
// a control change costs the caller a few stores. Both ears always run in step: without the right
// ear, it is fed silence.
class FastRoom : public RoomModel
{
  public:
    FastRoom();

    void loadPosition(int position) override;
    void setGain(int component, double gain) override;
    void setEnvelope(int component, double absorption, int sampleRate, int curve) override;
    void restart() override;
    void process(const double* const* inputs, double* outLeft, double* outRight, int32_t frames,
                 bool rightEar) override;
    size_t memoryBytes() const override;

    static constexpr int32_t kTailDelay = 256;

  private:
    template <typename Change> void change(int component, Change&& apply);
    void processChunk(const double* const* inputs, double* outLeft, double* outRight,
                      int32_t frames);

    ComponentResponse responses_[kComponents];
    RoomStage head_;
    RoomStage tail_;
    std::vector<double> tailDelay_; // [ear][kTailDelay]
    int32_t tailDelayIndex_ = 0;
    std::vector<double> stageOutputs_; // head L, head R, tail L, tail R; kChunk each
    std::vector<double> silence_;      // the right ear's input when it is not wanted
};
