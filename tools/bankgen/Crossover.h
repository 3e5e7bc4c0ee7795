#pragma once

#include <vector>

namespace bankgen
{
// Splits x into edgeCount + 1 bands with 4th-order Linkwitz-Riley crossovers at the given
// rising edges (Hz): each band takes the high-pass of all the edges below it and the low-pass
// of the one above, and the all-passes of the edges above that, so that the bands add up to a
// flat response. Built from basic operations and the portable functions only, so the bands
// are the same bits on every machine.
std::vector<std::vector<double>> splitIntoBands(const std::vector<double>& x, const double* edgesHz,
                                                int edgeCount, double sampleRate);
} // namespace bankgen
