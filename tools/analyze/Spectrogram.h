#pragma once

#include <vector>

namespace analyze
{
// Short-time power spectra of a signal, in dB relative to the loudest cell.
struct Spectrogram
{
    int frameCount = 0;
    int binCount = 0;          // 0 Hz to Nyquist
    double frameSeconds = 0.0; // time between frame centres
    double binHz = 0.0;        // frequency between bins
    std::vector<double> levels; // frameCount x binCount, frame-major; -infinity for silence

    double level(int frame, int bin) const { return levels[frame * binCount + bin]; }
};

// Hann-windowed frames of 1024 samples, 256 apart. Empty for signals shorter than one frame.
Spectrogram spectrogram(const std::vector<double>& x, double sampleRate);
} // namespace analyze
