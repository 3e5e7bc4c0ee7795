#pragma once

#include <cstdint>

// The decay curves that shape one component of a room response. Any non-zero curve value
// selects the hyperbolic curve.
enum DecayCurve : int
{
    kExponentialDecay = 0,
    kHyperbolicDecay = 1
};

// Fills envelope[0 .. count-1] with the curve at absolute response indices first .. first+count-1,
// so stages covering different parts of one response share one continuous envelope.
//   hyperbolic:  fs / (i (7.5 a + 0.07) + fs)
//   exponential: exp(-i a / fs)
// An absorption a that is NaN or negative counts as 0; a sample rate below 1 counts as 1.
void fillDecayEnvelope(double* envelope, int32_t first, int32_t count, double absorption,
                       int sampleRate, int curve);
