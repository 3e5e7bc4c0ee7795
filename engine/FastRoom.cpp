#include "engine/FastRoom.h"

#include "engine/ResponseBank.h"
#include "engine/SampleGuard.h"

#include <algorithm>

namespace
{
constexpr int32_t kHeadBlock = 128;
constexpr int32_t kTailBlock = 2048;
constexpr int32_t kHeadSegment = 4096;
constexpr int32_t kPartitions = 32;
constexpr int32_t kChunk = 256; // frames per pass through both stages
} // namespace

FastRoom::FastRoom()
    : responses_{ComponentResponse(ResponseBank::kTableLength),
                 ComponentResponse(ResponseBank::kTableLength),
                 ComponentResponse(ResponseBank::kTableLength)},
      head_(responses_, kHeadBlock, kPartitions, 0),
      tail_(responses_, kTailBlock, kPartitions, kHeadSegment),
      tailDelay_(size_t(2) * kTailDelay, 0.0), stageOutputs_(size_t(4) * kChunk, 0.0),
      silence_(kChunk, 0.0)
{
    ResponseBank::selectPosition(0, responses_[ResponseBank::kFrontBack].table,
                                 responses_[ResponseBank::kLeftRight].table,
                                 responses_[ResponseBank::kCeilingFloor].table);
}

// A change reaches both stages at the frame it is made; one that changes nothing costs nothing.
template <typename Change> void FastRoom::change(int component, Change&& apply)
{
    if (component < 0 || component >= kComponents) return;
    head_.responseChanging(component);
    tail_.responseChanging(component);
    apply(responses_[component]);
    head_.responseChanged(component);
    tail_.responseChanged(component);
}

void FastRoom::loadPosition(int position)
{
    TableRef frontBack = responses_[ResponseBank::kFrontBack].table;
    TableRef leftRight = responses_[ResponseBank::kLeftRight].table;
    TableRef ceilingFloor = responses_[ResponseBank::kCeilingFloor].table;
    ResponseBank::selectPosition(position, frontBack, leftRight, ceilingFloor);
    const TableRef* selected[kComponents] = {};
    selected[ResponseBank::kFrontBack] = &frontBack;
    selected[ResponseBank::kLeftRight] = &leftRight;
    selected[ResponseBank::kCeilingFloor] = &ceilingFloor;
    for (int c = 0; c < kComponents; ++c)
    {
        if (selected[c]->data == responses_[c].table.data) continue;
        change(c, [&](ComponentResponse& r) { r.table = *selected[c]; });
    }
}

void FastRoom::setGain(int component, double gain)
{
    const double usable = usableComponentGain(gain);
    if (component < 0 || component >= kComponents || responses_[component].gain == usable) return;
    change(component, [usable](ComponentResponse& r) { r.gain = usable; });
}

void FastRoom::setEnvelope(int component, double absorption, int sampleRate, int curve)
{
    const DecayEnvelope envelope(absorption, sampleRate, curve);
    if (component < 0 || component >= kComponents || responses_[component].envelope == envelope)
        return;
    change(component, [&envelope](ComponentResponse& r) { r.envelope = envelope; });
}

void FastRoom::restart()
{
    head_.restart();
    tail_.restart();
    std::fill(tailDelay_.begin(), tailDelay_.end(), 0.0);
    tailDelayIndex_ = 0;
}

void FastRoom::process(const double* const* inputs, double* outLeft, double* outRight,
                       int32_t frames, bool rightEar)
{
    for (int32_t done = 0; done < frames; done += kChunk)
    {
        const int32_t count = std::min(kChunk, frames - done);
        const double* chunkInputs[kInputs];
        for (int e = 0; e < kInputs; ++e)
        {
            const bool silent = !rightEar && e >= kComponents;
            chunkInputs[e] = silent ? silence_.data() : inputs[e] + done;
        }
        processChunk(chunkInputs, outLeft + done, outRight + done, count);
    }
}

void FastRoom::processChunk(const double* const* inputs, double* outLeft, double* outRight,
                            int32_t frames)
{
    double* headLeft = &stageOutputs_[0];
    double* headRight = headLeft + kChunk;
    double* tailLeft = headRight + kChunk;
    double* tailRight = tailLeft + kChunk;
    head_.process(inputs, headLeft, headRight, frames);
    tail_.process(inputs, tailLeft, tailRight, frames);
    double* delayLeft = &tailDelay_[0];
    double* delayRight = delayLeft + kTailDelay;
    for (int32_t i = 0; i < frames; ++i)
    {
        const double delayedLeft = delayLeft[tailDelayIndex_];
        const double delayedRight = delayRight[tailDelayIndex_];
        delayLeft[tailDelayIndex_] = guardedSample(tailLeft[i]);
        delayRight[tailDelayIndex_] = guardedSample(tailRight[i]);
        tailDelayIndex_ = tailDelayIndex_ + 1 < kTailDelay ? tailDelayIndex_ + 1 : 0;
        outLeft[i] = delayedLeft + headLeft[i];
        outRight[i] = delayedRight + headRight[i];
    }
}

size_t FastRoom::memoryBytes() const
{
    return sizeof(*this) + head_.memoryBytes() + tail_.memoryBytes() +
           (tailDelay_.capacity() + stageOutputs_.capacity() + silence_.capacity()) * sizeof(double);
}
