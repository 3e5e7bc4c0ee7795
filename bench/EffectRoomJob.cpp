#include "EffectRoomJob.h"

#include "effect/CVevadur.h"

EffectRoomJob::EffectRoomJob(const RoomSettings& room) : effect_(std::make_unique<CVevadur>())
{
    CVevadur& e = *effect_;
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
    float in[2];
    float out[2];
    for (int i = 0; i < frames; ++i)
    {
        in[0] = inL[i];
        in[1] = inR[i];
        effect_->processFrame(in, out, 2, 2);
        outL[i] = out[0];
        outR[i] = out[1];
    }
}
