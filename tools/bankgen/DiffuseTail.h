#pragma once

#include <cstdint>

namespace bankgen
{
// The late, diffuse part of a response: noise that builds up from the direct sound's arrival
// and then dies away exponentially, standing in for all the paths the image model leaves out.
struct TailShape
{
    double onset;     // samples: the tail starts here (the direct sound's arrival)
    double buildUp;   // samples: time constant of the rise after the onset
    double decayTime; // samples to fall by 60 dB
    double endLevel;  // rms level near the end of the table
    double smoothing; // one-pole low-pass coefficient, 0 (white) .. below 1 (dull)
};

// Adds the tail to a table of `length` samples; `seed` picks the noise.
void addDiffuseTail(double* table, int length, const TailShape& shape, uint64_t seed);
} // namespace bankgen
