#include "tools/analyze/DecayTimes.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace analyze
{
namespace
{
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Slope in dB per sample of the curve between its first fall below `from` and its first fall
// below `to`, fitted by least squares; NaN when it never reaches `to`.
double fittedSlope(const std::vector<double>& curve, double from, double to)
{
    const auto below = [&](double level) {
        return std::find_if(curve.begin(), curve.end(), [&](double v) { return v <= level; }) -
               curve.begin();
    };
    const size_t first = static_cast<size_t>(below(from));
    const size_t last = static_cast<size_t>(below(to));
    if (last >= curve.size() || last <= first) return kNaN;

    double sumT = 0.0, sumL = 0.0, sumTT = 0.0, sumTL = 0.0;
    const double count = static_cast<double>(last - first + 1);
    for (size_t i = first; i <= last; ++i)
    {
        const double t = static_cast<double>(i - first);
        sumT += t;
        sumL += curve[i];
        sumTT += t * t;
        sumTL += t * curve[i];
    }
    const double denominator = count * sumTT - sumT * sumT;
    return denominator > 0.0 ? (count * sumTL - sumT * sumL) / denominator : kNaN;
}

double sixtyDecibelTime(double slopePerSample, double sampleRate)
{
    return slopePerSample < 0.0 ? -60.0 / (slopePerSample * sampleRate) : kNaN;
}
} // namespace

int responseOnset(const std::vector<double>& x)
{
    double peak = 0.0;
    for (double v : x)
        peak = std::max(peak, std::fabs(v));
    if (!(peak > 0.0)) return 0;
    const auto first =
        std::find_if(x.begin(), x.end(), [&](double v) { return std::fabs(v) >= 0.1 * peak; });
    return static_cast<int>(first - x.begin());
}

std::vector<double> schroederCurve(const std::vector<double>& x, int onset)
{
    const size_t begin = static_cast<size_t>(std::clamp<long>(onset, 0, static_cast<long>(x.size())));
    std::vector<double> curve(x.size() - begin);
    double sum = 0.0;
    for (size_t i = x.size(); i > begin; --i)
    {
        sum += x[i - 1] * x[i - 1];
        curve[i - 1 - begin] = sum;
    }
    if (curve.empty() || !(curve[0] > 0.0) || !std::isfinite(curve[0])) return {};
    const double total = curve[0];
    for (double& v : curve)
        v = v > 0.0 ? 10.0 * std::log10(v / total) : -std::numeric_limits<double>::infinity();
    return curve;
}

DecayTimes decayTimes(const std::vector<double>& x, int onset, double sampleRate)
{
    const std::vector<double> curve = schroederCurve(x, onset);
    if (curve.empty() || !(sampleRate > 0.0)) return {kNaN, kNaN};
    return {sixtyDecibelTime(fittedSlope(curve, 0.0, -10.0), sampleRate),
            sixtyDecibelTime(fittedSlope(curve, -5.0, -35.0), sampleRate)};
}
} // namespace analyze
