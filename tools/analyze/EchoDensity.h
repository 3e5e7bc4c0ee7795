#pragma once

#include <vector>

namespace analyze
{
struct DensityPoint
{
    double seconds; // window centre, from the start of the response
    double density; // share of samples beyond one rms, over Gaussian noise's share
};

// Normalised echo density in a sliding 20 ms rectangular window, one point per millisecond
// wherever a whole window fits. Gaussian noise gives about 1, isolated reflections far less.
std::vector<DensityPoint> echoDensityProfile(const std::vector<double>& x, double sampleRate);

// Seconds after `onsetSeconds` at which the profile first reaches `level`; NaN if it never
// does.
double timeToDensity(const std::vector<DensityPoint>& profile, double onsetSeconds, double level);
} // namespace analyze
