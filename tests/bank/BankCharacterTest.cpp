#include "engine/bank/ResponseBank.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Engine;

using namespace ResponseBank;

namespace
{
constexpr int kCenter = 0, kL90 = 5, kR90 = 10;
constexpr int kDirectSample = 322;
constexpr int kTailBlock = 4096;

const double* samples(int position, Component c)
{
    return table(tableIndex(position, c));
}

int peakIndex(const double* x)
{
    int best = 0;
    for (int i = 1; i < kTableLength; ++i)
        if (std::fabs(x[i]) > std::fabs(x[best])) best = i;
    return best;
}

double peak(const double* x)
{
    return std::fabs(x[peakIndex(x)]);
}

double energy(const double* x, int begin, int end)
{
    double sum = 0.0;
    for (int i = begin; i < end; ++i)
        sum += x[i] * x[i];
    return sum;
}

// Tables whose direct sound has (almost) no weight: their peak is a reflection.
bool hasDirectSound(int position, Component c)
{
    if (c == kLeftRight) return position != kCenter;
    if (c == kFrontBack) return position != kL90 && position != kR90;
    return true;
}
} // namespace

TEST(BankCharacter, EveryTableIsFiniteAndInTheExpectedRanges)
{
    for (int t = 0; t < kTableCount; ++t)
    {
        SCOPED_TRACE(t);
        const double* x = table(t);
        for (int i = 0; i < kTableLength; ++i)
            ASSERT_TRUE(std::isfinite(x[i])) << "sample " << i;
        EXPECT_GE(peak(x), 0.06);
        EXPECT_LE(peak(x), 0.75);
        EXPECT_GE(energy(x, 0, kTableLength), 0.44);
        EXPECT_LE(energy(x, 0, kTableLength), 1.98);
        EXPECT_LE(std::fabs(x[0]), 2.4e-7);
        const double tailRms =
            std::sqrt(energy(x, kTableLength - kTailBlock, kTableLength) / kTailBlock);
        EXPECT_GE(tailRms, 1e-4);
        EXPECT_LE(tailRms, 2e-4);
        EXPECT_NE(x[kTableLength - 1], 0.0) << "the response runs to the last sample";
    }
}

TEST(BankCharacter, DirectSoundPeaksAtSample322)
{
    for (int p = 0; p < kPositionCount; ++p)
        for (Component c : {kCeilingFloor, kLeftRight, kFrontBack})
            if (hasDirectSound(p, c))
            {
                const int i = peakIndex(samples(p, c));
                EXPECT_TRUE(i == kDirectSample || i == kDirectSample + 1)
                    << "position " << p << " component " << c << " peaks at " << i;
            }
    EXPECT_NEAR(samples(kCenter, kFrontBack)[kDirectSample], 0.7071, 1e-3);
    EXPECT_EQ(peakIndex(samples(kCenter, kFrontBack)), kDirectSample);
}

TEST(BankCharacter, LeftRightDirectSoundIsPositiveOnTheLeftAndNegativeOnTheRight)
{
    EXPECT_LT(std::fabs(samples(kCenter, kLeftRight)[kDirectSample]), 0.01);
    for (int side = 1; side <= 5; ++side)
    {
        const double left = samples(side, kLeftRight)[kDirectSample];
        const double right = samples(side + 5, kLeftRight)[kDirectSample];
        EXPECT_GT(left, 0.1) << "position " << side;
        EXPECT_LT(right, -0.1) << "position " << side + 5;
        EXPECT_NEAR(left, -right, 0.01 * left) << "mirror positions " << side;
    }
    // Ceiling and floor carry no side: the same positive direct sound everywhere, and never
    // the front-back value, so the two cannot cancel.
    for (int p = 0; p < kPositionCount; ++p)
    {
        EXPECT_NEAR(samples(p, kCeilingFloor)[kDirectSample], 0.3536, 1e-3);
        EXPECT_GT(std::fabs(samples(p, kCeilingFloor)[kDirectSample] -
                            samples(p, kFrontBack)[kDirectSample]),
                  0.01);
    }
}

TEST(BankCharacter, FrontBackIsStrongestAtCenterAndWeakestAtTheSides)
{
    const double center = peak(samples(kCenter, kFrontBack));
    for (int p = 1; p < kPositionCount; ++p)
    {
        EXPECT_LT(peak(samples(p, kFrontBack)), center) << "position " << p;
        if (p == kL90 || p == kR90) continue;
        for (int side : {kL90, kR90})
            EXPECT_LT(peak(samples(side, kFrontBack)), peak(samples(p, kFrontBack)))
                << "position " << p << " against " << side;
    }
}
