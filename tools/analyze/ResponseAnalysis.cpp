#include "tools/analyze/ResponseAnalysis.h"

#include <cmath>

namespace analyze
{
ResponseAnalysis analyzeResponse(const std::vector<double>& x, double sampleRate)
{
    ResponseAnalysis a;
    for (size_t i = 0; i < x.size(); ++i)
    {
        a.energy += x[i] * x[i];
        if (std::fabs(x[i]) > a.peak)
        {
            a.peak = std::fabs(x[i]);
            a.peakIndex = static_cast<int>(i);
        }
    }
    a.onset = responseOnset(x);
    a.broadband = decayTimes(x, a.onset, sampleRate);
    for (int b = 0; b < kOctaveCount; ++b)
        a.bands[b] = decayTimes(octaveBand(x, kOctaveCentres[b], sampleRate), a.onset, sampleRate);
    a.density = echoDensityProfile(x, sampleRate);
    const double onsetSeconds = sampleRate > 0.0 ? a.onset / sampleRate : 0.0;
    a.mixingTime = timeToDensity(a.density, onsetSeconds, 0.9);
    return a;
}
} // namespace analyze
