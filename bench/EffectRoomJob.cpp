#include "EffectRoomJob.h"

#include "effect/CVevadur.h"
#include "engine/FastRoom.h"
#include "engine/reference/ReferenceRoom.h"

using namespace Engine;

namespace
{
std::unique_ptr<RoomModel> makeRoom(bool reference)
{
    if (reference) return std::make_unique<ReferenceRoom>();
    return std::make_unique<FastRoom>();
}
} // namespace

EffectRoomJob::EffectRoomJob(const RoomSettings& room, bool reference)
    : effect_(std::make_unique<CVevadur>(makeRoom(reference)))
{
    CVevadur& e = *effect_;
    e.postConstruct();
    e.m_nRateHz = room.sampleRate;
    e.prepare();
    e.setPlainValue(CVevadur::kPosition, static_cast<float>(room.position));
    e.setPlainValue(CVevadur::kVolFB, static_cast<float>(room.volFB));
    e.setPlainValue(CVevadur::kVolLR, static_cast<float>(room.volLR));
    e.setPlainValue(CVevadur::kVolCF, static_cast<float>(room.volCF));
    e.setPlainValue(CVevadur::kAbsFB, static_cast<float>(room.absFB));
    e.setPlainValue(CVevadur::kAbsLR, static_cast<float>(room.absLR));
    e.setPlainValue(CVevadur::kAbsCF, static_cast<float>(room.absCF));
    e.setPlainValue(CVevadur::kSpeed, static_cast<float>(room.revolutionsPerSecond));
}

EffectRoomJob::~EffectRoomJob() = default;

void EffectRoomJob::process(const float* inL, const float* inR, float* outL, float* outR,
                            int frames)
{
    const float* in[2] = {inL, inR};
    float* out[2] = {outL, outR};
    effect_->processRun(in, out, 2, 2, static_cast<unsigned>(frames));
}
