#include "engine/DecayEnvelope.h"

#include <algorithm>

namespace Engine
{
namespace
{
// Beyond this the envelope is already zero after the first sample; the cap keeps
// 0 x (7.5 a + 0.07) finite at i = 0.
constexpr double kMaxAbsorption = 1e6;

double usableAbsorption(double a)
{
    return std::isnan(a) ? 0.0 : std::clamp(a, 0.0, kMaxAbsorption);
}
} // namespace

DecayEnvelope::DecayEnvelope(double absorption, int sampleRate, int curve)
    : m_set(true), m_hyperbolic(curve != kExponentialDecay), m_fs(std::max(sampleRate, 1)),
      m_absorption(usableAbsorption(absorption)), m_slope(m_absorption * 7.5 + 0.07)
{
}

void fillDecayEnvelope(double* envelope, int32_t first, int32_t count, double absorption,
                       int sampleRate, int curve)
{
    const DecayEnvelope curveShape(absorption, sampleRate, curve);
    for (int32_t n = 0; n < count; ++n)
        envelope[n] = curveShape.at(first + n);
}
} // namespace Engine
