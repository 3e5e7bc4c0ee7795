#include "engine/reference/ReferenceRoom.h"

#include "engine/bank/ResponseBank.h"

namespace Engine
{
namespace
{
constexpr int kInitialRate = 44100;

constexpr int kFB = ResponseBank::kFrontBack;
constexpr int kLR = ResponseBank::kLeftRight;
constexpr int kCF = ResponseBank::kCeilingFloor;

std::unique_ptr<SegmentConvolver> makeStage(bool head, bool negate)
{
    return std::make_unique<SegmentConvolver>(0, kInitialRate, negate, kResponseLength,
                                              head ? kHeadSegment : kTailSegment,
                                              head ? kHeadBlock : kTailBlock, head ? 0 : kSeam);
}
} // namespace

ReferenceRoom::ReferenceRoom()
{
    createEar(m_left, false);
    createEar(m_right, true);
}

void ReferenceRoom::createEar(Ear& ear, bool negate)
{
    for (int c = 0; c < kComponents; ++c)
    {
        ear.head[c] = makeStage(true, negate);
        ear.tail[c] = makeStage(false, negate);
    }
    ear.tailDelay = std::make_unique<DelayLine>(kInitialRate, kTailDelay, 0.0, 100.0);
}

template <typename Action> void ReferenceRoom::forComponent(int component, Action&& action)
{
    if (component < 0 || component >= kComponents) return;
    for (Ear* ear : {&m_left, &m_right})
    {
        action(*ear->head[component]);
        action(*ear->tail[component]);
    }
}

void ReferenceRoom::loadPosition(int position)
{
    for (int c = 0; c < kComponents; ++c)
        forComponent(c, [position](SegmentConvolver& s) { s.loadPosition(position); });
}

// Each convolver carries one component: its own gain is set, the other two are zero.
void ReferenceRoom::setGain(int component, double gain)
{
    const double fb = component == kFB ? gain : 0.0;
    const double lr = component == kLR ? gain : 0.0;
    const double cf = component == kCF ? gain : 0.0;
    forComponent(component, [=](SegmentConvolver& s) { s.setGains(fb, lr, cf); });
}

void ReferenceRoom::setEnvelope(int component, double absorption, int sampleRate, int curve)
{
    forComponent(component,
                 [=](SegmentConvolver& s)
                 {
                     if (component == kFB) s.setEnvelopeFB(absorption, sampleRate, curve);
                     if (component == kLR) s.setEnvelopeLR(absorption, sampleRate, curve);
                     if (component == kCF) s.setEnvelopeCF(absorption, sampleRate, curve);
                 });
}

void ReferenceRoom::restart()
{
    for (Ear* ear : {&m_left, &m_right})
    {
        for (int c = 0; c < kComponents; ++c)
        {
            ear->head[c]->restart();
            ear->tail[c]->restart();
        }
        ear->tailDelay->set(kTailDelay, 0.0, 100.0);
    }
}

// The sums keep the order the effect has always used, for reproducible output.
double ReferenceRoom::runEar(Ear& ear, const double* const* inputs, int32_t frame)
{
    for (int c = 0; c < kComponents; ++c)
    {
        ear.head[c]->push(inputs[c][frame]);
        ear.tail[c]->push(inputs[c][frame]);
    }
    ear.tailDelay->push(ear.tail[kFB]->output() + ear.tail[kLR]->output() +
                        ear.tail[kCF]->output());
    const double head = ear.head[kLR]->output() + ear.head[kFB]->output() + ear.head[kCF]->output();
    return ear.tailDelay->output() + head;
}

void ReferenceRoom::process(const double* const* inputs, double* outLeft, double* outRight,
                            int32_t frames, bool rightEar)
{
    for (int32_t i = 0; i < frames; ++i)
    {
        outLeft[i] = runEar(m_left, inputs, i);
        if (rightEar) outRight[i] = runEar(m_right, inputs + kComponents, i);
    }
}

size_t ReferenceRoom::memoryBytes() const
{
    // Per convolver: the combined response and three envelopes over its segment, and the two
    // spectral rings; the transforms' buffers are small beside them.
    size_t bytes = sizeof(*this);
    for (const Ear* ear : {&m_left, &m_right})
    {
        for (int c = 0; c < kComponents; ++c)
        {
            for (const SegmentConvolver* s : {ear->head[c].get(), ear->tail[c].get()})
            {
                const size_t segment = size_t(s->partitionCount()) * s->blockSize();
                bytes += 4 * segment * sizeof(double) + 2 * segment * 2 * sizeof(double);
            }
        }
        bytes += size_t(ear->tailDelay->size()) * sizeof(double);
    }
    return bytes;
}
} // namespace Engine
