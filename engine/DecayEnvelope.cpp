#include "engine/DecayEnvelope.h"

#include <algorithm>
#include <cmath>

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

void fillDecayEnvelope(double* envelope, int32_t first, int32_t count, double absorption,
                       int sampleRate, int curve)
{
    const double fs = std::max(sampleRate, 1);
    const double a = usableAbsorption(absorption);
    if (curve != kExponentialDecay)
    {
        const double slope = a * 7.5 + 0.07;
        for (int32_t n = 0; n < count; ++n)
            envelope[n] = fs / (double(first + n) * slope + fs);
    }
    else
    {
        for (int32_t n = 0; n < count; ++n)
            envelope[n] = std::exp(-(double(first + n) * a / fs));
    }
}
