#include "tools/bankgen/ArrivalFilter.h"

#include "tools/bankgen/FractionalDelay.h"

#include <algorithm>
#include <cmath>

namespace bankgen
{
namespace
{
// Largest smoothing per pass: small passes keep the product close to a Gaussian.
constexpr double kSmoothingPerPass = 0.05;
constexpr int kLongestWallKernel = 8192;
constexpr double kSmallestKernelStart = 1e-250;
// Far beyond any path a table can hold; longer ones are treated as this long.
constexpr double kLongestAirPath = 10000.0;

// Each pass convolves with (b, 1 - 2b, b): a response 1 - 4b sin^2(w/2), about exp(-b w^2) at
// low frequencies, like air. The pulse grows by one sample each side per pass.
std::vector<double> airSmoothed(const std::vector<double>& pulse, double distance, int& first)
{
    const double strength = kAirSmoothingPerMetre * std::clamp(distance, 0.0, kLongestAirPath);
    const int passes = static_cast<int>(std::ceil(strength / kSmoothingPerPass));
    if (passes <= 0) return pulse;
    const double b = strength / passes;
    std::vector<double> x = pulse;
    for (int p = 0; p < passes; ++p)
    {
        std::vector<double> y(x.size() + 2, 0.0);
        for (size_t i = 0; i < x.size(); ++i)
        {
            y[i] += b * x[i];
            y[i + 1] += (1.0 - 2.0 * b) * x[i];
            y[i + 2] += b * x[i];
        }
        x.swap(y);
    }
    first -= passes;
    return x;
}

std::vector<double> convolved(const std::vector<double>& x, const std::vector<double>& h)
{
    if (h.size() == 1) return x;
    std::vector<double> y(x.size() + h.size() - 1, 0.0);
    for (size_t i = 0; i < x.size(); ++i)
        for (size_t k = 0; k < h.size(); ++k)
            y[i + k] += x[i] * h[k];
    return y;
}
} // namespace

std::vector<double> wallKernel(double a, int bounces)
{
    if (!(a > 0.0 && a < 1.0) || bounces <= 0) return {1.0};
    double h = 1.0;
    for (int i = 0; i < bounces && h >= kSmallestKernelStart; ++i)
        h *= 1.0 - a;
    // So many bounces that the sequence cannot start without underflow: nothing is left.
    if (h < kSmallestKernelStart) return {0.0};
    std::vector<double> kernel = {h};
    double sum = h;
    for (int n = 1; sum < 1.0 - 1e-9 && n < kLongestWallKernel; ++n)
    {
        h *= a * (n + bounces - 1.0) / n;
        kernel.push_back(h);
        sum += h;
    }
    return kernel;
}

void addFilteredArrival(double* table, int length, double delay, double amplitude,
                        const PathLoss& loss)
{
    if (!std::isfinite(delay) || !std::isfinite(amplitude) || !std::isfinite(loss.distance)) return;
    if (delay < -kLongestWallKernel || delay > length + kKernelHalfWidth) return;
    int first = static_cast<int>(std::ceil(delay - kKernelHalfWidth));
    std::vector<double> pulse;
    for (int n = first; n <= static_cast<int>(std::floor(delay + kKernelHalfWidth)); ++n)
        pulse.push_back(amplitude * bandLimitedTap(n - delay));
    pulse = convolved(airSmoothed(pulse, loss.distance, first), wallKernel(loss.wallLowPass,
                                                                           loss.bounces));
    for (size_t i = 0; i < pulse.size(); ++i)
    {
        const long n = first + static_cast<long>(i);
        if (n >= 0 && n < length) table[n] += pulse[i];
    }
}
} // namespace bankgen
