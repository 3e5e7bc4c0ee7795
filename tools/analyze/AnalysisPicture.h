#pragma once

#include <string>
#include <vector>

namespace analyze
{
// Draws, one row per channel, the spectrogram (log frequency) beside the octave-band Schroeder
// curves, and writes the picture as PNG. False if it cannot be written or there is nothing to
// draw.
bool writeAnalysisPicture(const std::string& path, const std::vector<std::vector<double>>& channels,
                          double sampleRate);
} // namespace analyze
