#pragma once

namespace bankgen
{
// Taps reach this many samples either side of the arrival time.
constexpr int kKernelHalfWidth = 32;

// One tap of the band-limited impulse: a Blackman-windowed sinc whose cut-off sits a little
// below Nyquist, evaluated `offset` samples after the arrival time.
double bandLimitedTap(double offset);

// Adds an arrival of `amplitude` at a fractional delay of `delay` samples; taps that fall
// outside the table are dropped.
void addArrival(double* table, int length, double delay, double amplitude);
} // namespace bankgen
