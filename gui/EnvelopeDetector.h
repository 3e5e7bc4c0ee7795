#pragma once

#include <cstdint>

namespace VSTGUI
{
// Meter ballistics: a one-pole envelope follower with separate attack and release times,
// stepped once per meter update. The envelope stays within [0, 1].
class EnvelopeDetector
{
  public:
    enum Mode : int32_t
    {
        kPeak = 0,
        kMeanSquare = 1,
        kRms = 2
    };

    // rate: updates per second. With the analog time constant an attack or release time is
    // the time to reach 63 % of a step (one time constant), without it the time to reach 99 %.
    void init(float rate, float attackMs, float releaseMs, bool analogTimeConstant,
              int32_t detectMode, bool dBOutput);
    void reset() { m_fEnvelope = 0.f; }

    // One step with input x. With dB output the level (the root of the envelope in RMS mode)
    // maps -60..0 dB to 0..1; otherwise the envelope itself (mean square in RMS mode).
    float process(float x);

    int32_t getDetectMode() const { return m_nDetectMode; }
    float getAttackCoef() const { return m_fAttackCoef; }
    float getReleaseCoef() const { return m_fReleaseCoef; }
    float getAttackMs() const { return m_fAttackMs; }
    float getReleaseMs() const { return m_fReleaseMs; }
    float getRate() const { return m_fRate; }
    float getEnvelope() const { return m_fEnvelope; }
    bool hasAnalogTimeConstant() const { return m_bAnalogTimeConstant; }
    bool hasDBOutput() const { return m_bDBOutput; }

  private:
    int32_t m_nDetectMode = kPeak;
    float m_fAttackCoef = 0.f;
    float m_fReleaseCoef = 0.f;
    float m_fAttackMs = 0.f;
    float m_fReleaseMs = 0.f;
    float m_fRate = 44100.f;
    float m_fEnvelope = 0.f;
    bool m_bAnalogTimeConstant = false;
    bool m_bDBOutput = false;
};
} // namespace VSTGUI
