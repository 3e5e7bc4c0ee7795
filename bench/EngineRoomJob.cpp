#include "EngineRoomJob.h"

#include "engine/DecayEnvelope.h"
#include "engine/ResponseBank.h"

namespace
{
constexpr int kHeadBlock = 128, kHeadSegment = 4096;
constexpr int kTailBlock = 2048, kTailSegment = ResponseBank::kTableLength - kHeadSegment;
constexpr int kTailDelay = 256;

std::unique_ptr<SegmentConvolver> makeStage(const RoomSettings& room, bool head, bool negate,
                                            double gFB, double gLR, double gCF)
{
    auto c = std::make_unique<SegmentConvolver>(
        room.position, room.sampleRate, negate, ResponseBank::kTableLength,
        head ? kHeadSegment : kTailSegment, head ? kHeadBlock : kTailBlock,
        head ? 0 : kHeadSegment);
    c->setEnvelopes(room.absFB, room.absLR, room.absCF, room.sampleRate, kHyperbolicDecay);
    c->setGains(gFB, gLR, gCF);
    return c;
}
} // namespace

EngineRoomJob::Ear::Ear(const RoomSettings& room, bool negate)
    : fbHead(makeStage(room, true, negate, room.volFB, 0, 0)),
      fbTail(makeStage(room, false, negate, room.volFB, 0, 0)),
      lrHead(makeStage(room, true, negate, 0, room.volLR, 0)),
      lrTail(makeStage(room, false, negate, 0, room.volLR, 0)),
      cfHead(makeStage(room, true, negate, 0, 0, room.volCF)),
      cfTail(makeStage(room, false, negate, 0, 0, room.volCF)),
      tailDelay(room.sampleRate, kTailDelay, 0.0, 100.0)
{
}

double EngineRoomJob::Ear::process(double fbInput, double lrInput, double x)
{
    fbHead->push(fbInput);
    fbTail->push(fbInput);
    lrHead->push(lrInput);
    lrTail->push(lrInput);
    cfHead->push(x);
    cfTail->push(x);
    tailDelay.push(fbTail->output() + lrTail->output() + cfTail->output());
    const double head = lrHead->output() + fbHead->output() + cfHead->output();
    return tailDelay.output() + head;
}

EngineRoomJob::EngineRoomJob(const RoomSettings& room)
    : rotation_(room), left_(room, false), right_(room, true)
{
}

void EngineRoomJob::process(const float* inL, const float* inR, float* outL, float* outR,
                            int frames)
{
    for (int f = 0; f < frames; ++f)
    {
        double s, k;
        rotation_.next(s, k);
        const double left = inL[f], right = inR[f];
        outL[f] = static_cast<float>(left_.process(left * k, left * s, left));
        outR[f] = static_cast<float>(right_.process(right * s, right * k, right));
    }
}
