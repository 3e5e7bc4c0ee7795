#pragma once

#include "tools/analyze/DecayTimes.h"
#include "tools/analyze/EchoDensity.h"
#include "tools/analyze/OctaveBands.h"

#include <vector>

namespace analyze
{
// What a room acoustician reads off one channel of an impulse response.
struct ResponseAnalysis
{
    double energy = 0.0;     // sum of squares
    double peak = 0.0;       // largest magnitude
    int peakIndex = 0;       // sample of the largest magnitude
    int onset = 0;           // first sample within 20 dB of the peak
    DecayTimes broadband{};  // from the whole signal
    DecayTimes bands[kOctaveCount]{}; // by octave, kOctaveCentres
    std::vector<DensityPoint> density;
    double mixingTime = 0.0; // seconds from the onset until the echo density first reaches 0.9
};

ResponseAnalysis analyzeResponse(const std::vector<double>& x, double sampleRate);
} // namespace analyze
