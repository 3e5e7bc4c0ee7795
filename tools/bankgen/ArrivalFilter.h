#pragma once

#include <vector>

namespace bankgen
{
// What a path does to the sound besides delaying and weakening it: every bounce passes it
// through the wall's low-pass, and every metre of air takes a little more of the highs.
struct PathLoss
{
    double wallLowPass; // one-pole coefficient per bounce, 0 (no loss) .. below 1
    int bounces;
    double distance;    // metres
};

// Strength per metre of path of the air's smoothing: 0.1 dB per metre at a sixth of the sample
// rate (8 kHz at 48 kHz), falling with the square of frequency below it.
constexpr double kAirSmoothingPerMetre = 0.01151;

// Impulse response of `bounces` one-pole low-passes y[n] = (1 - a) x[n] + a y[n - 1] in
// cascade (a negative binomial sequence), cut where its sum is within 1e-9 of the unit DC gain.
// A cascade too long to compute (its first sample below 1e-250) gives {0}: nothing passes.
std::vector<double> wallKernel(double a, int bounces);

// Adds a band-limited arrival of `amplitude` at the fractional `delay`, shaped by the path's
// walls and air; samples that fall outside the table are dropped.
void addFilteredArrival(double* table, int length, double delay, double amplitude,
                        const PathLoss& loss);
} // namespace bankgen
