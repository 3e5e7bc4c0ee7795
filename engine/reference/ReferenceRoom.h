#pragma once

#include "engine/RoomModel.h"
#include "engine/reference/DelayLine.h"
#include "engine/reference/SegmentConvolver.h"

#include <memory>

namespace Engine
{
// The reference model of the room, sample by sample: per ear and component a head
// SegmentConvolver and a tail one (RoomGeometry.h), the right ear's convolvers subtracting the
// left-right component, and a 256-sample DelayLine on each ear's summed tails. The plug-in runs
// FastRoom; this one stays as the model the tests hold the fast engine to, since its schedule is
// the definition of the output, transients included.
class ReferenceRoom : public RoomModel
{
  public:
    ReferenceRoom();

    void loadPosition(int position) override;
    void setGain(int component, double gain) override;
    void setEnvelope(int component, double absorption, int sampleRate, int curve) override;
    void restart() override;
    // Without rightEar the right ear's convolvers are not pushed at all.
    void process(const double* const* inputs, double* outLeft, double* outRight, int32_t frames,
                 bool rightEar) override;
    size_t memoryBytes() const override;

  private:
    struct Ear
    {
        // [component]: head and tail stage
        std::unique_ptr<SegmentConvolver> head[kComponents];
        std::unique_ptr<SegmentConvolver> tail[kComponents];
        std::unique_ptr<DelayLine> tailDelay;
    };

    static void createEar(Ear& ear, bool negate);
    template <typename Action> void forComponent(int component, Action&& action);
    double runEar(Ear& ear, const double* const* inputs, int32_t frame);

    Ear m_left;
    Ear m_right;
};
} // namespace Engine
