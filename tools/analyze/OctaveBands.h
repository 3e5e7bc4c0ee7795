#pragma once

#include <vector>

namespace analyze
{
// Centre frequencies of the octave bands a room response is measured in.
constexpr double kOctaveCentres[] = {125.0, 250.0, 500.0, 1000.0, 2000.0, 4000.0, 8000.0};
constexpr int kOctaveCount = sizeof(kOctaveCentres) / sizeof(kOctaveCentres[0]);

// One octave of x: a 6th-order Butterworth high-pass at centre / sqrt(2) followed by a
// 6th-order Butterworth low-pass at centre * sqrt(2). Empty when the band's upper edge does
// not fit below Nyquist or the rate is unusable.
std::vector<double> octaveBand(const std::vector<double>& x, double centreHz, double sampleRate);
} // namespace analyze
