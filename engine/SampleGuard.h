#pragma once

#include <cmath>

namespace Engine
{
// Far above any audio level, far below where sums of products over a 69632-tap response could
// overflow a double.
constexpr double kSampleLimit = 1e30;

// A sample the engine can carry: NaN, infinities and absurd magnitudes become silence, so one bad
// input cannot poison the spectral history for the length of a response.
inline double guardedSample(double x)
{
    return std::fabs(x) <= kSampleLimit ? x : 0.0;
}
} // namespace Engine
