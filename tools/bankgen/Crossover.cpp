#include "tools/bankgen/Crossover.h"

#include "common/MathConstants.h"
#include "tools/bankgen/PortableMath.h"

namespace bankgen
{
namespace
{
using vevadur::kPi;
constexpr double kSqrt2 = 1.41421356237309504880;

struct Biquad
{
    double b0, b1, b2, a1, a2;
};

// 2nd-order Butterworth by the bilinear transform, its corner pre-warped to edgeHz.
Biquad butterworth(double edgeHz, double sampleRate, bool highPass)
{
    const double angle = kPi * edgeHz / sampleRate;
    const double k = portableSin(angle) / portableCos(angle);
    const double norm = 1.0 / (1.0 + kSqrt2 * k + k * k);
    const double a1 = 2.0 * (k * k - 1.0) * norm;
    const double a2 = (1.0 - kSqrt2 * k + k * k) * norm;
    if (highPass) return {norm, -2.0 * norm, norm, a1, a2};
    return {k * k * norm, 2.0 * k * k * norm, k * k * norm, a1, a2};
}

void run(std::vector<double>& x, const Biquad& f)
{
    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
    for (double& v : x)
    {
        const double out = f.b0 * v + f.b1 * x1 + f.b2 * x2 - f.a1 * y1 - f.a2 * y2;
        x2 = x1;
        x1 = v;
        y2 = y1;
        y1 = out;
        v = out;
    }
}

// Linkwitz-Riley: the same Butterworth section twice.
std::vector<double> linkwitzRiley(const std::vector<double>& x, const Biquad& f)
{
    std::vector<double> y = x;
    run(y, f);
    run(y, f);
    return y;
}

// The sum of a Linkwitz-Riley pair is the 2nd-order all-pass over the same poles. Passing the
// lower bands through the all-passes of the edges above them gives every band the same phase,
// so the bands add up to a flat response instead of dipping at the crossovers.
Biquad allPass(const Biquad& butterworthSection)
{
    const Biquad& f = butterworthSection;
    return {f.a2, f.a1, 1.0, f.a1, f.a2};
}
} // namespace

std::vector<std::vector<double>> splitIntoBands(const std::vector<double>& x, const double* edgesHz,
                                                int edgeCount, double sampleRate)
{
    std::vector<std::vector<double>> bands;
    std::vector<double> rest = x;
    for (int e = 0; e < edgeCount; ++e)
    {
        bands.push_back(linkwitzRiley(rest, butterworth(edgesHz[e], sampleRate, false)));
        rest = linkwitzRiley(rest, butterworth(edgesHz[e], sampleRate, true));
    }
    bands.push_back(rest);
    for (int b = 0; b < edgeCount; ++b)
        for (int e = b + 1; e < edgeCount; ++e)
            run(bands[b], allPass(butterworth(edgesHz[e], sampleRate, false)));
    return bands;
}
} // namespace bankgen
