#include "engine/bank/ResponseBank.h"
#include "tools/analyze/ResponseAnalysis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace Engine;

using namespace ResponseBank;

namespace
{
// The raw tables, read as responses at the rate the room is modelled for.
constexpr double kRate = 48000.0;
// Broadband T30 of the bank before it modelled frequency-dependent loss (2.25 to 2.44 s over
// the 33 tables): the decay users know from the absorption controls.
constexpr double kFormerBroadbandT30 = 2.34;

const std::vector<analyze::ResponseAnalysis>& analyses()
{
    static const std::vector<analyze::ResponseAnalysis> all = [] {
        std::vector<analyze::ResponseAnalysis> a;
        for (int t = 0; t < kTableCount; ++t)
            a.push_back(analyze::analyzeResponse(
                std::vector<double>(table(t), table(t) + kTableLength), kRate));
        return a;
    }();
    return all;
}

double t30(const analyze::ResponseAnalysis& a, double hz)
{
    for (int b = 0; b < analyze::kOctaveCount; ++b)
        if (analyze::kOctaveCentres[b] == hz) return a.bands[b].t30;
    return 0.0;
}

double densityAt(const std::vector<analyze::DensityPoint>& profile, double seconds)
{
    for (const analyze::DensityPoint& p : profile)
        if (p.seconds >= seconds) return p.density;
    return 0.0;
}

// The profile's means over successive 50 ms from `fromSeconds`: a lasting sparse stretch shows
// in them, a single window's sampling scatter does not.
std::vector<double> blockMeans(const std::vector<analyze::DensityPoint>& profile,
                               double fromSeconds)
{
    std::vector<double> means;
    double sum = 0.0, blockEnd = fromSeconds + 0.050;
    int count = 0;
    for (const analyze::DensityPoint& p : profile)
    {
        if (p.seconds < fromSeconds) continue;
        if (p.seconds >= blockEnd)
        {
            means.push_back(sum / count);
            sum = 0.0;
            count = 0;
            blockEnd += 0.050;
        }
        sum += p.density;
        ++count;
    }
    return means;
}
} // namespace

TEST(BankAcoustics, HighOctavesDieFasterThanTheMiddleAndTheLowestLingers)
{
    for (int t = 0; t < kTableCount; ++t)
    {
        SCOPED_TRACE(t);
        const analyze::ResponseAnalysis& a = analyses()[t];
        const double mid = t30(a, 1000.0);
        ASSERT_GT(mid, 0.0);
        EXPECT_GT(mid, t30(a, 2000.0));
        EXPECT_GT(t30(a, 2000.0), t30(a, 4000.0));
        EXPECT_GT(t30(a, 4000.0), t30(a, 8000.0));
        EXPECT_GE(t30(a, 8000.0) / mid, 0.35);
        EXPECT_LE(t30(a, 8000.0) / mid, 0.70);
        EXPECT_GE(t30(a, 4000.0) / mid, 0.60);
        EXPECT_LE(t30(a, 4000.0) / mid, 0.90);
        EXPECT_GE(t30(a, 125.0) / mid, 1.0);
        EXPECT_LE(t30(a, 125.0) / mid, 1.6);
    }
}

TEST(BankAcoustics, BroadbandDecayKeepsTheRangeUsersKnow)
{
    for (int t = 0; t < kTableCount; ++t)
    {
        EXPECT_GE(analyses()[t].broadband.t30, 0.75 * kFormerBroadbandT30) << "table " << t;
        EXPECT_LE(analyses()[t].broadband.t30, 1.25 * kFormerBroadbandT30) << "table " << t;
    }
}

TEST(BankAcoustics, EchoDensityBuildsUpWithin100msAndStaysDiffuse)
{
    for (int t = 0; t < kTableCount; ++t)
    {
        SCOPED_TRACE(t);
        const analyze::ResponseAnalysis& a = analyses()[t];
        ASSERT_LE(a.mixingTime, 0.100);
        // As in a real room, the first reflections arrive sparsely and the density grows.
        EXPECT_LT(densityAt(a.density, a.onset / kRate + 0.010), 0.7);
        const std::vector<double> means = blockMeans(a.density, a.onset / kRate + a.mixingTime);
        ASSERT_GT(means.size(), 20u);
        EXPECT_GT(*std::min_element(means.begin(), means.end()), 0.8);
    }
}
