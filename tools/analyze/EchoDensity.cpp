#include "tools/analyze/EchoDensity.h"

#include <cmath>
#include <limits>

namespace analyze
{
namespace
{
// Share of a Gaussian's samples that lie beyond one standard deviation.
const double kGaussianShare = std::erfc(1.0 / std::sqrt(2.0));

double densityAround(const std::vector<double>& x, size_t first, size_t count)
{
    double power = 0.0;
    for (size_t i = first; i < first + count; ++i)
        power += x[i] * x[i];
    const double rms = std::sqrt(power / count);
    if (!(rms > 0.0)) return 0.0;
    size_t beyond = 0;
    for (size_t i = first; i < first + count; ++i)
        beyond += std::fabs(x[i]) > rms;
    return static_cast<double>(beyond) / count / kGaussianShare;
}
} // namespace

std::vector<DensityPoint> echoDensityProfile(const std::vector<double>& x, double sampleRate)
{
    std::vector<DensityPoint> profile;
    if (!(sampleRate >= 1000.0) || !std::isfinite(sampleRate)) return profile;
    const size_t window = static_cast<size_t>(std::lround(0.020 * sampleRate)) | 1u;
    const size_t hop = static_cast<size_t>(std::lround(0.001 * sampleRate));
    for (size_t first = 0; first + window <= x.size(); first += hop)
    {
        const double centre = static_cast<double>(first + window / 2) / sampleRate;
        profile.push_back({centre, densityAround(x, first, window)});
    }
    return profile;
}

double timeToDensity(const std::vector<DensityPoint>& profile, double onsetSeconds, double level)
{
    for (const DensityPoint& p : profile)
        if (p.seconds >= onsetSeconds && p.density >= level) return p.seconds - onsetSeconds;
    return std::numeric_limits<double>::quiet_NaN();
}
} // namespace analyze
