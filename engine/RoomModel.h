#pragma once

#include "engine/RoomGeometry.h"

#include <cstddef>
#include <cstdint>

namespace Engine
{
// The room's convolution as the effect drives it: three wall-pair components (indexed by
// ResponseBank::Component), each with its bank table, gain and decay envelope, a head stage and a
// tail stage per ear, and the tail delay that puts the two stages in register (RoomGeometry.h).
// Two implementations give the same output: ReferenceRoom (engine/reference/), sample by sample
// with the SegmentConvolver schedule that defines the output, the model the tests hold the
// engine to; and FastRoom, the block engine the plug-in runs.
//
// Real-time contract, as in a convolver's configure/process split:
// - Construction allocates everything the room will ever use; it runs on the thread that sets
//   the effect up (the host's UI thread), never on the audio thread.
// - Every other call (the response changes, restart, process) allocates nothing, takes no lock,
//   waits for nothing, makes no system call and does no I/O: the audio thread may make it
//   between two runs of frames (restart only while processing is off). process never frees, resizes or reloads anything; it only moves
//   data through buffers set up at construction, and its cost is bounded by the frame count.
// - The room is not thread-safe: one thread at a time calls it. While the host processes audio
//   that is the audio thread alone (the effect's hand-over brings the UI side's changes there);
//   while processing is off, the thread that sets the effect up.
// - Non-finite or absurd inputs, gains and absorptions count as silence or are limited, so the
//   output stays finite.
class RoomModel
{
  public:
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
    // weights applied; e = ear * kComponents + component). out*[i]: the wet sum of each ear,
    // before the output gain. Without rightEar the right ear's output is not wanted and need not
    // be computed.
    virtual void process(const double* const* inputs, double* outLeft, double* outRight,
                         int32_t frames, bool rightEar) = 0;

    // Takes `frames` frames of silent input (every input 0) when the output for them is exactly
    // zero without computing it, and returns true: the caller writes the silence. Otherwise it
    // takes nothing and returns false, and the caller processes the frames. The reference model
    // always computes.
    virtual bool rest(int32_t frames)
    {
        (void)frames;
        return false;
    }

    // Bytes this room holds, for the memory figure.
    virtual size_t memoryBytes() const = 0;
};
} // namespace Engine
