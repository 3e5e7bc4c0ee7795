#include "tools/bankgen/PortableMath.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace bankgen
{
namespace
{
// ln 2 and pi / 2 split so that k * (high part) is exact for the arguments we meet.
constexpr double kLn2High = 6.93147180369123816490e-01;
constexpr double kLn2Low = 1.90821492927058770002e-10;
constexpr double kInvLn2 = 1.44269504088896338700e+00;
constexpr double kHalfPi1 = 1.57079632673412561417e+00;
constexpr double kHalfPi2 = 6.07710050630396597660e-11;
constexpr double kHalfPi3 = 2.02226624879595063154e-21;
constexpr double kTwoOverPi = 6.36619772367581382433e-01;

// Taylor series; the reduced arguments are small enough for 17 terms to reach double precision.
double expSeries(double r)
{
    double term = 1.0;
    double sum = 1.0;
    for (int k = 1; k <= 17; ++k)
    {
        term = term * r / k;
        sum += term;
    }
    return sum;
}

double sinSeries(double r)
{
    const double r2 = r * r;
    double term = r;
    double sum = r;
    for (int k = 1; k <= 10; ++k)
    {
        term = -term * r2 / ((2.0 * k) * (2.0 * k + 1.0));
        sum += term;
    }
    return sum;
}

double cosSeries(double r)
{
    const double r2 = r * r;
    double term = 1.0;
    double sum = 1.0;
    for (int k = 1; k <= 10; ++k)
    {
        term = -term * r2 / ((2.0 * k - 1.0) * (2.0 * k));
        sum += term;
    }
    return sum;
}

// x = quadrant * pi/2 + remainder, with |remainder| <= pi/4.
struct Reduced
{
    int quadrant;
    double remainder;
};

Reduced reduceHalfPi(double x)
{
    const double n = std::floor(x * kTwoOverPi + 0.5);
    const double r = ((x - n * kHalfPi1) - n * kHalfPi2) - n * kHalfPi3;
    const auto quadrant = static_cast<int>(static_cast<int64_t>(n) & 3);
    return {quadrant, r};
}

bool usable(double x)
{
    return std::isfinite(x) && std::fabs(x) < 1.0e9;
}
} // namespace

double portableExp(double x)
{
    if (std::isnan(x)) return x;
    if (x > 709.0) return std::numeric_limits<double>::infinity();
    if (x < -745.0) return 0.0;
    const double k = std::floor(x * kInvLn2 + 0.5);
    const double r = (x - k * kLn2High) - k * kLn2Low;
    return std::ldexp(expSeries(r), static_cast<int>(k));
}

double portableSin(double x)
{
    if (!usable(x)) return std::numeric_limits<double>::quiet_NaN();
    const Reduced a = reduceHalfPi(x);
    switch (a.quadrant)
    {
    case 0:
        return sinSeries(a.remainder);
    case 1:
        return cosSeries(a.remainder);
    case 2:
        return -sinSeries(a.remainder);
    default:
        return -cosSeries(a.remainder);
    }
}

double portableCos(double x)
{
    if (!usable(x)) return std::numeric_limits<double>::quiet_NaN();
    const Reduced a = reduceHalfPi(x);
    switch (a.quadrant)
    {
    case 0:
        return cosSeries(a.remainder);
    case 1:
        return -sinSeries(a.remainder);
    case 2:
        return -cosSeries(a.remainder);
    default:
        return sinSeries(a.remainder);
    }
}
} // namespace bankgen
