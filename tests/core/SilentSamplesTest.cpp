#include "core/SilentSamples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

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
// comparing each sample to zero.
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
                    << frames << " frames, " << value << " at " << at;
                x[at] = 0.0f;
            }
        }
    }
}
