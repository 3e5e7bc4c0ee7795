#include "engine/FastRoom.h"

#include "engine/SampleGuard.h"
#include "engine/bank/ResponseBank.h"

#include <algorithm>

namespace Engine
{
namespace
{
constexpr int32_t kChunk = 256; // frames per pass through both stages
} // namespace

FastRoom::FastRoom()
    : m_responses{ComponentResponse(ResponseBank::kTableLength),
                  ComponentResponse(ResponseBank::kTableLength),
                  ComponentResponse(ResponseBank::kTableLength)},
      m_head(m_responses, kHeadBlock, kPartitions, 0, RoomStage::Layout::kCoarseLevel),
      m_tail(m_responses, kTailBlock, kPartitions, kSeam, RoomStage::Layout::kGroupedBlocks),
      m_tailDelay(size_t(2) * kTailDelay, 0.0),
      m_stageOutputs(size_t(4) * kChunk, 0.0), m_silence(kChunk, 0.0)
{
    ResponseBank::selectPosition(0, m_responses[ResponseBank::kFrontBack].table,
                                 m_responses[ResponseBank::kLeftRight].table,
                                 m_responses[ResponseBank::kCeilingFloor].table);
}

// A change reaches both stages at the frame it is made; one that changes nothing costs nothing.
template <typename Change> void FastRoom::change(int component, Change&& apply)
{
    if (component < 0 || component >= kComponents) return;
    wake();
    m_head.responseChanging(component);
    m_tail.responseChanging(component);
    apply(m_responses[component]);
    m_head.responseChanged(component);
    m_tail.responseChanged(component);
}

void FastRoom::loadPosition(int position)
{
    TableRef frontBack = m_responses[ResponseBank::kFrontBack].table;
    TableRef leftRight = m_responses[ResponseBank::kLeftRight].table;
    TableRef ceilingFloor = m_responses[ResponseBank::kCeilingFloor].table;
    ResponseBank::selectPosition(position, frontBack, leftRight, ceilingFloor);
    const TableRef* selected[kComponents] = {};
    selected[ResponseBank::kFrontBack] = &frontBack;
    selected[ResponseBank::kLeftRight] = &leftRight;
    selected[ResponseBank::kCeilingFloor] = &ceilingFloor;
    for (int c = 0; c < kComponents; ++c)
    {
        if (selected[c]->data == m_responses[c].table.data) continue;
        change(c, [&](ComponentResponse& r) { r.table = *selected[c]; });
    }
}

void FastRoom::setGain(int component, double gain)
{
    const double usable = usableComponentGain(gain);
    if (component < 0 || component >= kComponents || m_responses[component].gain == usable) return;
    change(component, [usable](ComponentResponse& r) { r.gain = usable; });
}

void FastRoom::setEnvelope(int component, double absorption, int sampleRate, int curve)
{
    const DecayEnvelope envelope(absorption, sampleRate, curve);
    if (component < 0 || component >= kComponents || m_responses[component].envelope == envelope)
        return;
    change(component, [&envelope](ComponentResponse& r) { r.envelope = envelope; });
}

void FastRoom::restart()
{
    m_restedFrames = 0; // the phase a rest would have advanced starts again from zero
    m_head.restart();
    m_tail.restart();
    std::fill(m_tailDelay.begin(), m_tailDelay.end(), 0.0);
    m_tailDelayIndex = 0;
    m_quietFrames = kRestAfterFrames;
    m_resting = false;
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
            chunkInputs[e] = silent ? m_silence.data() : inputs[e] + done;
        }
        // A silent chunk after a silence longer than the response changes nothing but the block
        // phase, as long as no response is changing: the stages only count frames, so the first
        // frame that is not silent meets the state it would have met.
        const bool couldRest = canRest();
        const bool silent = noteQuiet(chunkInputs, count);
        m_resting = couldRest && silent;
        if (m_resting)
        {
            m_restedFrames += count;
            std::fill(outLeft + done, outLeft + done + count, 0.0);
            std::fill(outRight + done, outRight + done + count, 0.0);
        }
        else
        {
            processChunk(chunkInputs, outLeft + done, outRight + done, count);
        }
    }
}

// Counts the input frames since the last one with any non-zero input; true when all of these were
// zero.
bool FastRoom::noteQuiet(const double* const* inputs, int32_t frames)
{
    int32_t lastSound = -1;
    for (int e = 0; e < kInputs; ++e)
    {
        const double* in = inputs[e];
        for (int32_t i = frames - 1; i > lastSound; --i)
        {
            if (in[i] != 0.0)
            {
                lastSound = i;
                break;
            }
        }
    }
    if (lastSound >= 0)
    {
        m_quietFrames = frames - 1 - lastSound;
        return false;
    }
    m_quietFrames = std::min(m_quietFrames + frames, kRestAfterFrames);
    return true;
}

bool FastRoom::canRest() const
{
    return m_quietFrames >= kRestAfterFrames && m_head.steady() && m_tail.steady();
}

bool FastRoom::rest(int32_t frames)
{
    // A room already resting stays so until something else happens (every other call wakes it).
    m_resting = frames > 0 && (m_restedFrames > 0 || canRest());
    if (m_resting) m_restedFrames += frames;
    return m_resting;
}

void FastRoom::wake()
{
    if (m_restedFrames == 0) return;
    m_head.rest(m_restedFrames);
    m_tail.rest(m_restedFrames);
    m_tailDelayIndex = int32_t((m_tailDelayIndex + m_restedFrames) % kTailDelay);
    m_restedFrames = 0;
}

void FastRoom::processChunk(const double* const* inputs, double* outLeft, double* outRight,
                            int32_t frames)
{
    wake();
    double* headLeft = &m_stageOutputs[0];
    double* headRight = headLeft + kChunk;
    double* tailLeft = headRight + kChunk;
    double* tailRight = tailLeft + kChunk;
    m_head.process(inputs, headLeft, headRight, frames);
    m_tail.process(inputs, tailLeft, tailRight, frames);
    double* delayLeft = &m_tailDelay[0];
    double* delayRight = delayLeft + kTailDelay;
    for (int32_t i = 0; i < frames; ++i)
    {
        const double delayedLeft = delayLeft[m_tailDelayIndex];
        const double delayedRight = delayRight[m_tailDelayIndex];
        delayLeft[m_tailDelayIndex] = guardedSample(tailLeft[i]);
        delayRight[m_tailDelayIndex] = guardedSample(tailRight[i]);
        m_tailDelayIndex = m_tailDelayIndex + 1 < kTailDelay ? m_tailDelayIndex + 1 : 0;
        outLeft[i] = delayedLeft + headLeft[i];
        outRight[i] = delayedRight + headRight[i];
    }
}

size_t FastRoom::memoryBytes() const
{
    return sizeof(*this) + m_head.memoryBytes() + m_tail.memoryBytes() +
           (m_tailDelay.capacity() + m_stageOutputs.capacity() + m_silence.capacity()) *
               sizeof(double);
}
} // namespace Engine
