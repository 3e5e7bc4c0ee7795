#pragma once

#include <cstdint>

namespace bankgen
{
// The tail is shaped in octave bands centred on 125 Hz .. 16 kHz.
constexpr int kTailBandCount = 8;

// The late, diffuse part of a response, standing in for all the paths the image model leaves
// out: noise that starts as sparse reflections whose rate grows with the square of time, as in
// a real room, builds up from the direct sound's arrival and dies away in each octave at its
// own rate.
struct TailShape
{
    double sampleRate;
    double onset;                          // samples: the direct sound's arrival
    double buildUp;                        // samples: time constant of the rise after the onset
    double decayTimes[kTailBandCount];     // samples to fall by 60 dB, by octave
    double levels[kTailBandCount];         // relative amplitude of each octave at the onset
    double densityGrowth;                  // reflections per sample, n samples after emission,
                                           // are densityGrowth * n^2 (until one per sample)
    double endLevel;                       // rms level of the table's last 4096 samples
};

// Adds the tail to a table of `length` samples; `seed` picks the noise.
void addDiffuseTail(double* table, int length, const TailShape& shape, uint64_t seed);
} // namespace bankgen
