#include "tools/bankgen/FractionalDelay.h"

#include "common/MathConstants.h"
#include "tools/bankgen/PortableMath.h"

#include <algorithm>
#include <cmath>

namespace bankgen
{
namespace
{
using vevadur::kPi;
// Fraction of Nyquist kept: leaves room for the window's transition band.
constexpr double kCutoff = 0.92;

double blackman(double offset)
{
    const double phase = kPi * offset / kKernelHalfWidth;
    return 0.42 + 0.5 * portableCos(phase) + 0.08 * portableCos(2.0 * phase);
}

double sinc(double x)
{
    return x == 0.0 ? 1.0 : portableSin(x) / x;
}
} // namespace

double bandLimitedTap(double offset)
{
    if (!(std::fabs(offset) < kKernelHalfWidth)) return 0.0;
    return kCutoff * sinc(kPi * kCutoff * offset) * blackman(offset);
}

void addArrival(double* table, int length, double delay, double amplitude)
{
    if (!std::isfinite(delay) || !std::isfinite(amplitude)) return;
    const double first = std::max(0.0, std::ceil(delay - kKernelHalfWidth));
    const double last = std::min(length - 1.0, std::floor(delay + kKernelHalfWidth));
    for (double n = first; n <= last; n += 1.0)
        table[static_cast<int>(n)] += amplitude * bandLimitedTap(n - delay);
}
} // namespace bankgen
