#include "core/SilentSamples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#if defined(__SSE2__)
#include <xmmintrin.h>
#endif

namespace
{
bool everySampleIsZero(const std::vector<float>& x, unsigned frames)
{
    for (unsigned i = 0; i < frames; ++i)
        if (!(x[i] == 0.0f)) return false;
    return true;
}
} // namespace

// Every length around the vector widths, one odd sample at every position: the check agrees with
// comparing each sample to zero, also where the processor takes denormals as zero (as in a
// process call, where a denormal block is silent).
TEST(SilentSamples, AgreesWithComparingEachSampleToZero)
{
    const float odd[] = {-0.0f,
                         1.0f,
                         -1e-30f,
                         std::numeric_limits<float>::denorm_min(),
                         -std::numeric_limits<float>::denorm_min(),
                         std::numeric_limits<float>::infinity(),
                         std::numeric_limits<float>::quiet_NaN(),
                         -std::numeric_limits<float>::quiet_NaN()};
    std::vector<bool> denormalsAreZero = {false};
#if defined(__SSE2__)
    denormalsAreZero.push_back(true);
    const unsigned mode = _mm_getcsr();
#endif
    for (bool daz : denormalsAreZero)
    {
#if defined(__SSE2__)
        _mm_setcsr(daz ? (mode | 0x0040u) : mode);
#endif
        for (unsigned frames = 0; frames <= 21; ++frames)
        {
            std::vector<float> x(frames + 1, 0.0f);
            x[frames] = 1.0f; // past the end: never read as part of the block
            EXPECT_TRUE(silentSamples(x.data(), frames)) << frames << " zeros";
            for (unsigned at = 0; at < frames; ++at)
            {
                for (float value : odd)
                {
                    x[at] = value;
                    EXPECT_EQ(silentSamples(x.data(), frames), everySampleIsZero(x, frames))
                        << frames << " frames, " << value << " at " << at << ", DAZ " << daz;
                    x[at] = 0.0f;
                }
            }
        }
    }
#if defined(__SSE2__)
    _mm_setcsr(mode);
    EXPECT_FALSE(silentSamples(odd + 3, 1)) << "a denormal sounds where it is not taken as zero";
#endif
}

// Every length around the vector width: exactly the block is cleared, the sample after it stays.
TEST(SilentSamples, ClearingWritesZerosToTheBlockOnly)
{
    for (unsigned frames = 0; frames <= 21; ++frames)
    {
        std::vector<float> x(frames + 2, -3.0f);
        clearSamples(x.data() + 1, frames);
        EXPECT_EQ(x[0], -3.0f) << frames;
        EXPECT_EQ(x[frames + 1], -3.0f) << frames;
        for (unsigned i = 1; i <= frames; ++i)
            EXPECT_TRUE(x[i] == 0.0f && !std::signbit(x[i])) << frames << " frames, at " << i;
    }
}
