#pragma once

#include <vector>

namespace analyze
{
// Decay times read from a response's Schroeder curve, in seconds; NaN where the curve does
// not span the level range a figure needs.
struct DecayTimes
{
    double edt; // early decay time: the fall from 0 to -10 dB, times 6
    double t30; // the fall from -5 to -35 dB, times 2
};

// The start of a response: the first sample within 20 dB of its peak; 0 for silence.
int responseOnset(const std::vector<double>& x);

// Backward-integrated energy from `onset` to the end, in dB relative to its start. Empty when
// there is no energy after the onset.
std::vector<double> schroederCurve(const std::vector<double>& x, int onset);

// Least-squares line fits over the Schroeder curve from `onset`.
DecayTimes decayTimes(const std::vector<double>& x, int onset, double sampleRate);
} // namespace analyze
