#pragma once

#include <cstddef>
#include <cstdint>

// The room's convolution as the effect drives it: three wall-pair components (indexed by
// ResponseBank::Component), each with its bank table, gain and decay envelope, a head stage and a
// tail stage per ear, and the tail delay that puts the two stages in register. Two
// implementations give the same output: ReferenceRoom, sample by sample with the specified
// SegmentConvolver schedule, and FastRoom, the block engine the plug-in runs.
class RoomModel
{
  public:
    static constexpr int kComponents = 3;
    static constexpr int kInputs = 2 * kComponents; // input e = ear * 3 + component

    virtual ~RoomModel() = default;

    // Every change takes effect at the next frame processed.
    virtual void loadPosition(int position) = 0;
    virtual void setGain(int component, double gain) = 0;
    virtual void setEnvelope(int component, double absorption, int sampleRate, int curve) = 0;
    // Starts again from silence, as a fresh room given the same responses: every input and
    // output in flight is forgotten and every response renewal under way is complete from the
    // next frame on. Not while processing runs; allocates nothing.
    virtual void restart() = 0;

    // inputs[e][i]: the component inputs of each ear for frames i < frames (the rotation
    // weights applied). out*[i]: the wet sum of each ear, before the output gain. Without
    // rightEar the right ear's output is not wanted and need not be computed.
    virtual void process(const double* const* inputs, double* outLeft, double* outRight,
                         int32_t frames, bool rightEar) = 0;

    // Bytes this room holds, for the memory figure.
    virtual size_t memoryBytes() const = 0;
};
