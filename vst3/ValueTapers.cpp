#include "vst3/ValueTapers.h"

#include "vst3/FastApprox.h"

#include <cmath>

namespace Steinberg::Vst::Veru2ZOR3::ValueTapers
{
namespace
{
// 5/12: the taper's decades per unit of linear position are 1 / this.
constexpr double kLogSlope = 0.4166666666666667;

// Linear position of a plain value in the range; 0 for an empty range.
float linearPosition(double plain, double minPlain, double maxPlain)
{
    const double span = maxPlain - minPlain;
    if (span == 0.0) return 0.0f;
    return static_cast<float>((plain - minPlain) / span);
}
} // namespace

double logToNormalized(double plain, double minPlain, double maxPlain)
{
    const float lin = linearPosition(plain, minPlain, maxPlain);
    return static_cast<float>(std::pow(10.0, (static_cast<double>(lin) - 1.0) / kLogSlope));
}

double logToPlain(double normalized, double minPlain, double maxPlain)
{
    const float n = static_cast<float>(normalized);
    if (!(n > 0.0f)) return minPlain;
    const float lin = static_cast<float>(std::log10(n) * kLogSlope + 1.0);
    return minPlain + (maxPlain - minPlain) * lin;
}

float logLinearPosition(double normalized)
{
    const float v = static_cast<float>(normalized);
    return static_cast<float>(std::log10(v * 9.0 + 1.0));
}

double logHostValue(double linearPosition)
{
    return (std::pow(10.0, linearPosition) - 1.0) / 9.0;
}

bool voltOctaveUsable(double minPlain, double maxPlain)
{
    return minPlain > 0.0 && maxPlain > 0.0 && minPlain != maxPlain && std::isfinite(maxPlain);
}

double voltOctaveToNormalized(double plain, double minPlain, double maxPlain)
{
    if (!voltOctaveUsable(minPlain, maxPlain)) return linearPosition(plain, minPlain, maxPlain);
    const float minF = static_cast<float>(minPlain);
    const float maxF = static_cast<float>(maxPlain);
    return fastlog2(static_cast<float>(plain) / minF) / fastlog2(maxF / minF);
}

double voltOctaveLinearPosition(double normalized, double minPlain, double maxPlain)
{
    if (!voltOctaveUsable(minPlain, maxPlain)) return normalized;
    const float minF = static_cast<float>(minPlain);
    const float maxF = static_cast<float>(maxPlain);
    const float n = static_cast<float>(normalized);
    return (fastpow2(fastlog2(maxF / minF) * n) * minF - minF) / (maxF - minF);
}

double voltOctaveToPlain(double normalized, double minPlain, double maxPlain)
{
    return minPlain +
           (maxPlain - minPlain) * voltOctaveLinearPosition(normalized, minPlain, maxPlain);
}

} // namespace Steinberg::Vst::Veru2ZOR3::ValueTapers
