#pragma once

#include <cstdint>
#include <cstdio>

namespace vevadur::render
{
// What the Windows build knows of a WAV file: the fields that libsndfile's SF_INFO gives on
// Linux, and where the samples are.
struct WavInfo
{
    int channels = 0;
    int samplerate = 0;
    long long frames = 0;
    int bitsPerSample = 0;
    bool isFloat = false;
    long long framesLeft = 0;
};
} // namespace vevadur::render
