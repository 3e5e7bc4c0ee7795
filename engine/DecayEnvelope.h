#pragma once

#include <cmath>
#include <cstdint>

namespace Engine
{
// The decay curves that shape one component of a room response. Any non-zero curve value
// selects the hyperbolic curve.
enum DecayCurve : int
{
    kExponentialDecay = 0,
    kHyperbolicDecay = 1
};

// One decay curve, evaluated at absolute response indices, so stages covering different parts of
// one response share one continuous envelope:
//   hyperbolic:  fs / (i (7.5 a + 0.07) + fs)
//   exponential: exp(-i a / fs)
// An absorption a that is NaN or negative counts as 0; a sample rate below 1 counts as 1.
// A default-constructed envelope is silent (0 everywhere): no curve has been set yet.
class DecayEnvelope
{
  public:
    DecayEnvelope() = default;
    DecayEnvelope(double absorption, int sampleRate, int curve);

    double at(int32_t i) const
    {
        if (!m_set) return 0.0;
        if (m_hyperbolic) return m_fs / (double(i) * m_slope + m_fs);
        return std::exp(-(double(i) * m_absorption / m_fs));
    }

    bool operator==(const DecayEnvelope& other) const
    {
        return m_set == other.m_set && m_hyperbolic == other.m_hyperbolic && m_fs == other.m_fs &&
               m_absorption == other.m_absorption;
    }

  private:
    bool m_set = false;
    bool m_hyperbolic = false;
    double m_fs = 1.0;
    double m_absorption = 0.0;
    double m_slope = 0.0;
};

// Fills envelope[0 .. count-1] with the curve at absolute response indices first .. first+count-1.
void fillDecayEnvelope(double* envelope, int32_t first, int32_t count, double absorption,
                       int sampleRate, int curve);
} // namespace Engine
