#pragma once

#include <string>

namespace vevadur::render
{
// The renderer takes mono and stereo files at a positive sample rate; false with the reason.
inline bool renderableFormat(const std::string& path, int channels, int sampleRate,
                             std::string& error)
{
    if (channels < 1 || channels > 2)
    {
        error = path + " has " + std::to_string(channels) +
                " channels; only mono and stereo files can be rendered";
        return false;
    }
    if (sampleRate <= 0)
    {
        error = path + " has no usable sample rate";
        return false;
    }
    return true;
}
} // namespace vevadur::render
