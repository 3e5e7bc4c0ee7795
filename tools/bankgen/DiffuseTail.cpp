#include "tools/bankgen/DiffuseTail.h"

#include "tools/bankgen/PortableMath.h"
#include "tools/bankgen/SplitMix64.h"

#include <algorithm>
#include <cmath>

namespace bankgen
{
namespace
{
// ln(1000): an exponential falls by 60 dB over this many time constants.
constexpr double kSixtyDecibelsInTimeConstants = 6.907755278982137;

double envelope(const TailShape& shape, double decayConstant, double n)
{
    const double t = n - shape.onset;
    if (t <= 0.0) return 0.0;
    return (1.0 - portableExp(-t / shape.buildUp)) * portableExp(-t / decayConstant);
}

// Roughly Gaussian noise of unit variance: the sum of four uniforms, rescaled.
double noiseSample(SplitMix64& random)
{
    const double sum = random.uniform() + random.uniform() + random.uniform() + random.uniform();
    return sum * std::sqrt(0.75);
}
} // namespace

void addDiffuseTail(double* table, int length, const TailShape& shape, uint64_t seed)
{
    if (length <= 0 || !(shape.buildUp > 0.0) || !(shape.decayTime > 0.0)) return;
    const double smoothing = std::clamp(shape.smoothing, 0.0, 0.99);
    const double decayConstant = shape.decayTime / kSixtyDecibelsInTimeConstants;

    // The level is set where the last 4096 samples are centred, so their rms is the end level.
    const double reference = std::max(shape.onset + 1.0, length - 2048.0);
    const double scale = shape.endLevel / envelope(shape, decayConstant, reference);
    // The low-pass lowers white noise's variance by (1 - a) / (1 + a); restore it.
    const double filterGain = std::sqrt((1.0 + smoothing) / (1.0 - smoothing));

    SplitMix64 random(seed);
    double filtered = 0.0;
    const int first = std::max(0, static_cast<int>(std::ceil(shape.onset)));
    for (int n = first; n < length; ++n)
    {
        filtered += (1.0 - smoothing) * (noiseSample(random) - filtered);
        table[n] += scale * filterGain * envelope(shape, decayConstant, n) * filtered;
    }
}
} // namespace bankgen
