#include "gui/EnvelopeDetector.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI
{
namespace
{
constexpr float kAnalogTimeConstant = -1.0023935f;  // ln(0.367): 63 % of a step
constexpr float kDigitalTimeConstant = -4.6051702f; // ln(0.01): 99 % of a step
constexpr float kSmallestNormal = 1.175494351e-38f;
constexpr double kFloorDb = -60.0;

// The one-pole coefficient for a time in milliseconds. A time of no steps (zero, negative or
// not a number) follows the input at once.
float coefficient(float timeConstant, float rate, float milliseconds)
{
    const double steps = static_cast<double>(rate) * milliseconds * 0.001;
    if (!(steps > 0.0)) return 0.f;
    return static_cast<float>(std::exp(timeConstant / steps));
}
} // namespace

void EnvelopeDetector::init(float rate, float attackMs, float releaseMs, bool analogTimeConstant,
                            int32_t detectMode, bool dBOutput)
{
    m_fRate = rate;
    m_fAttackMs = attackMs;
    m_fReleaseMs = releaseMs;
    m_bAnalogTimeConstant = analogTimeConstant;
    m_nDetectMode = detectMode;
    m_bDBOutput = dBOutput;
    m_fEnvelope = 0.f;
    const float tc = analogTimeConstant ? kAnalogTimeConstant : kDigitalTimeConstant;
    m_fAttackCoef = coefficient(tc, rate, attackMs);
    m_fReleaseCoef = coefficient(tc, rate, releaseMs);
}

float EnvelopeDetector::process(float x)
{
    float v = std::fabs(x);
    if (m_nDetectMode == kMeanSquare || m_nDetectMode == kRms) v *= v;
    const float coef = v > m_fEnvelope ? m_fAttackCoef : m_fReleaseCoef;
    float e = coef * (m_fEnvelope - v) + v;
    if (std::fabs(e) < kSmallestNormal) e = 0.f;
    // Not a number (an infinite input) lands on 0.
    e = (e >= 0.f) ? std::min(e, 1.f) : 0.f;
    m_fEnvelope = e;

    const float level = m_nDetectMode == kRms ? std::sqrt(e) : e;
    if (!m_bDBOutput) return m_fEnvelope;
    if (level <= 0.f) return 0.f;
    const double db = std::max(20.0 * std::log10(static_cast<double>(level)), kFloorDb);
    return static_cast<float>((db - kFloorDb) / -kFloorDb);
}
} // namespace VSTGUI
