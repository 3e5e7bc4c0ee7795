// Fast base-2 logarithm and power for the volt/octave taper. These are the single-precision
// approximations of the published fastapprox collection; their small error (about 0.1 %) is
// part of the mapping hosts have stored automation against, so they are used as they are.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace Steinberg::Vst::Veru2ZOR3
{

inline float fastlog2(float x)
{
    uint32_t i = 0;
    std::memcpy(&i, &x, sizeof i);
    const uint32_t mantissaBits = (i & 0x7FFFFFu) | 0x3F000000u;
    float m = 0.0f;
    std::memcpy(&m, &mantissaBits, sizeof m);
    const float y = static_cast<float>(i) * 1.1920928955078125e-7f;
    return y - 124.22552f - 1.4980303f * m - 1.72588f / (0.35208872f + m);
}

inline float fastpow2(float p)
{
    // Below -126 the result is denormal; from 128 on it would leave the float range. The upper
    // limit also keeps the bit pattern inside uint32 for any input.
    const float c = std::min(std::max(p, -126.0f), 127.0f);
    const int w = static_cast<int>(c);
    const float z = c - static_cast<float>(w) + (p < 0.0f ? 1.0f : 0.0f);
    const float scaled = static_cast<float>(1 << 23) *
                         (c + 121.27406f + 27.728024f / (4.8425255f - z) - 1.4901291f * z);
    const uint32_t bits = static_cast<uint32_t>(std::max(scaled, 0.0f));
    float result = 0.0f;
    std::memcpy(&result, &bits, sizeof result);
    return result;
}

} // namespace Steinberg::Vst::Veru2ZOR3
