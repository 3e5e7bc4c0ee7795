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
    void reset() { m_envelope = 0.f; }

    // One step with input x. With dB output the level (the root of the envelope in RMS mode)
    // maps -60..0 dB to 0..1; otherwise the envelope itself (mean square in RMS mode).
    float process(float x);

    int32_t getDetectMode() const { return m_detectMode; }
    float getAttackCoef() const { return m_attackCoef; }
    float getReleaseCoef() const { return m_releaseCoef; }
    float getAttackMs() const { return m_attackMs; }
    float getReleaseMs() const { return m_releaseMs; }
    float getRate() const { return m_rate; }
    float getEnvelope() const { return m_envelope; }
    bool hasAnalogTimeConstant() const { return m_analogTimeConstant; }
    bool hasDBOutput() const { return m_dBOutput; }

  private:
    int32_t m_detectMode = kPeak;
    float m_attackCoef = 0.f;
    float m_releaseCoef = 0.f;
    float m_attackMs = 0.f;
    float m_releaseMs = 0.f;
    float m_rate = 44100.f;
    float m_envelope = 0.f;
    bool m_analogTimeConstant = false;
    bool m_dBOutput = false;
};
} // namespace VSTGUI
