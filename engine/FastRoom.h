#pragma once

#include "engine/ComponentResponse.h"
#include "engine/RoomModel.h"
#include "engine/RoomStage.h"

#include <vector>

namespace Engine
{
// The room engine the plug-in runs: two RoomStages (head and tail, RoomGeometry.h) and the delay
// on the tail, computing what the reference model ReferenceRoom computes (to rounding) at a
// fraction of its cost. The component responses are
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
    // Rests once the input has been silent for kRestAfterFrames and no response is changing.
    bool rest(int32_t frames) override;

    // True when the last run of frames rested: the input had been silent for longer than the
    // response (kRestAfterFrames), no response was changing, and the output was zero.
    bool resting() const { return m_resting; }

    // Silent input frames after which every input, spectrum, sum, output block and tail delay
    // entry of the engine is exactly zero: the head and the tail stage each clear after their
    // P + 3 blocks (the block being taken, the P blocks of input spectra, the sums built from
    // them and the overlap of their output), the tail delay 256 frames after the tail.
    static constexpr int64_t kRestAfterFrames = int64_t(kPartitions + 3) * kTailBlock + kTailDelay;

  private:
    template <typename Change> void change(int component, Change&& apply);
    void processChunk(const double* const* inputs, double* outLeft, double* outRight,
                      int32_t frames);
    bool canRest() const;
    void wake();
    bool noteQuiet(const double* const* inputs, int32_t frames);

    ComponentResponse m_responses[kComponents];
    RoomStage m_head;
    RoomStage m_tail;
    std::vector<double> m_tailDelay; // [ear][kTailDelay]
    int32_t m_tailDelayIndex = 0;
    std::vector<double> m_stageOutputs;       // head L, head R, tail L, tail R; kChunk each
    std::vector<double> m_silence;            // the right ear's input when it is not wanted
    int64_t m_quietFrames = kRestAfterFrames; // input frames since the last one that was not 0
    bool m_resting = false;
    // Frames rested and not yet counted by the stages: while the room rests it touches nothing
    // but these members; the stages catch up when anything else happens.
    int64_t m_restedFrames = 0;
};
} // namespace Engine
