#include "tools/analyze/OctaveBands.h"

#include "common/MathConstants.h"

#include <cmath>

namespace analyze
{
namespace
{
using vevadur::kPi;
// Quality factors of the three sections of a 6th-order Butterworth response.
constexpr double kButterworthQ[] = {0.51763809020504, 0.70710678118655, 1.93185165257814};

struct Biquad
{
    double b0, b1, b2, a1, a2;

    void run(std::vector<double>& x) const
    {
        double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
        for (double& v : x)
        {
            const double y = b0 * v + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
            x2 = x1;
            x1 = v;
            y2 = y1;
            y1 = y;
            v = y;
        }
    }
};

// Bilinear-transform low- or high-pass section with its corner at cornerHz.
Biquad section(double cornerHz, double sampleRate, double q, bool highPass)
{
    const double w = 2.0 * kPi * cornerHz / sampleRate;
    const double alpha = std::sin(w) / (2.0 * q);
    const double c = std::cos(w);
    const double a0 = 1.0 + alpha;
    const double side = highPass ? (1.0 + c) / 2.0 : (1.0 - c) / 2.0;
    const double middle = highPass ? -(1.0 + c) : 1.0 - c;
    return {side / a0, middle / a0, side / a0, -2.0 * c / a0, (1.0 - alpha) / a0};
}
} // namespace

std::vector<double> octaveBand(const std::vector<double>& x, double centreHz, double sampleRate)
{
    const double upper = centreHz * std::sqrt(2.0);
    if (!(sampleRate > 0.0) || !(centreHz > 0.0) || !(upper < 0.49 * sampleRate)) return {};
    std::vector<double> y = x;
    for (double q : kButterworthQ)
    {
        section(centreHz / std::sqrt(2.0), sampleRate, q, true).run(y);
        section(upper, sampleRate, q, false).run(y);
    }
    return y;
}
} // namespace analyze
