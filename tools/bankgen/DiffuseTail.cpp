#include "tools/bankgen/DiffuseTail.h"

#include "tools/bankgen/Crossover.h"
#include "tools/bankgen/PortableMath.h"
#include "tools/bankgen/SplitMix64.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace bankgen
{
namespace
{
// ln(1000): an exponential falls by 60 dB over this many time constants.
constexpr double kSixtyDecibelsInTimeConstants = 6.907755278982137;
// Crossovers between the octaves, at their geometric midpoints. Below the lowest edge the
// tail has nothing: the slowest-decaying rumble would otherwise outlast everything and turn
// the end of the tail into a wandering baseline.
constexpr double kBandEdgesHz[kTailBandCount] = {88.388, 176.78, 353.55, 707.11,
                                                 1414.2, 2828.4, 5656.9, 11314.0};
constexpr int kEndBlock = 4096;

// Roughly Gaussian noise of unit variance: the sum of four uniforms, rescaled.
double gaussianSample(SplitMix64& random)
{
    const double sum = random.uniform() + random.uniform() + random.uniform() + random.uniform();
    return sum * std::sqrt(0.75);
}

// Unit-variance noise made of `rate` reflections per sample of random sign; Gaussian once
// they arrive at every sample.
double reflectionSample(SplitMix64& random, double rate)
{
    if (rate >= 1.0) return gaussianSample(random);
    const bool arrives = random.uniform() < 2.0 * rate - 1.0;
    const double sign = random.uniform() < 0.0 ? -1.0 : 1.0;
    return arrives ? sign / std::sqrt(rate) : 0.0;
}

double envelope(const TailShape& shape, int band, double n)
{
    const double t = n - shape.onset;
    if (t <= 0.0) return 0.0;
    const double decayConstant = shape.decayTimes[band] / kSixtyDecibelsInTimeConstants;
    return shape.levels[band] * (1.0 - portableExp(-t / shape.buildUp)) *
           portableExp(-t / decayConstant);
}

bool usable(const TailShape& shape)
{
    if (!(shape.buildUp > 0.0) || !(shape.sampleRate > 0.0) || !(shape.endLevel > 0.0))
        return false;
    for (double t : shape.decayTimes)
        if (!(t > 0.0)) return false;
    return true;
}
} // namespace

void addDiffuseTail(double* table, int length, const TailShape& shape, uint64_t seed)
{
    const int first = std::max(0, static_cast<int>(std::ceil(shape.onset)));
    if (length - first < kEndBlock || !usable(shape)) return;

    SplitMix64 random(seed);
    std::vector<double> noise(static_cast<size_t>(length - first));
    for (size_t i = 0; i < noise.size(); ++i)
    {
        const double n = static_cast<double>(first + i);
        noise[i] = reflectionSample(random, shape.densityGrowth * n * n);
    }
    const std::vector<std::vector<double>> bands =
        splitIntoBands(noise, kBandEdgesHz, kTailBandCount, shape.sampleRate);

    std::vector<double> tail(noise.size(), 0.0);
    for (int b = 0; b < kTailBandCount; ++b)
        for (size_t i = 0; i < tail.size(); ++i)
            tail[i] += envelope(shape, b, static_cast<double>(first + i)) * bands[b + 1][i];

    // Level the tail so that the table's last block has the end level.
    double endEnergy = 0.0;
    for (size_t i = tail.size() - kEndBlock; i < tail.size(); ++i)
        endEnergy += tail[i] * tail[i];
    if (!(endEnergy > 0.0)) return;
    const double scale = shape.endLevel / std::sqrt(endEnergy / kEndBlock);
    for (size_t i = 0; i < tail.size(); ++i)
        table[first + i] += scale * tail[i];
}
} // namespace bankgen
