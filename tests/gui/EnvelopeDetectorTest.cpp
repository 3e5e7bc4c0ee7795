// Meter ballistics against what the times mean: an attack or release time is the time to
// cover 63 % of a step with the analog time constant, 99 % without it.
#include "gui/EnvelopeDetector.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using VSTGUI::EnvelopeDetector;

namespace
{
float run(EnvelopeDetector& detector, float input, int steps)
{
    float out = 0.f;
    for (int i = 0; i < steps; ++i)
        out = detector.process(input);
    return out;
}

float dbLevel(double amplitude)
{
    return static_cast<float>((std::max(20.0 * std::log10(amplitude), -60.0) + 60.0) / 60.0);
}
} // namespace

TEST(EnvelopeDetector, TimesAreOneTimeConstantOrNinetyNinePercent)
{
    // 1000 updates per second: 50 ms attack = 50 steps, 200 ms release = 200 steps.
    for (bool analog : {true, false})
    {
        SCOPED_TRACE(analog ? "analog" : "digital");
        const double left = analog ? 0.367 : 0.01;
        EnvelopeDetector d;
        d.init(1000.f, 50.f, 200.f, analog, EnvelopeDetector::kPeak, false);
        EXPECT_NEAR(std::pow(d.getAttackCoef(), 50.0), left, 1e-5);
        EXPECT_NEAR(std::pow(d.getReleaseCoef(), 200.0), left, 1e-5);
        EXPECT_NEAR(run(d, 1.f, 50), 1.0 - left, 1e-4);
        run(d, 1.f, 2000);
        EXPECT_NEAR(run(d, 0.f, 200), left, 1e-4);
    }
}

TEST(EnvelopeDetector, StartsFollowingAtOnceAndInitClearsTheEnvelope)
{
    EnvelopeDetector d;
    EXPECT_EQ(d.process(0.25f), 0.25f); // zero coefficients
    d.init(20.f, 10.f, 500.f, true, EnvelopeDetector::kMeanSquare, true);
    EXPECT_EQ(d.getEnvelope(), 0.f);
    d.process(1.f);
    d.reset();
    EXPECT_EQ(d.getEnvelope(), 0.f);
}

TEST(EnvelopeDetector, ModesSquareAndRootTheLevel)
{
    EnvelopeDetector peak, meanSquare, rms, rmsDb, peakDb;
    peak.init(20.f, 10.f, 10.f, true, EnvelopeDetector::kPeak, false);
    meanSquare.init(20.f, 10.f, 10.f, true, EnvelopeDetector::kMeanSquare, false);
    rms.init(20.f, 10.f, 10.f, true, EnvelopeDetector::kRms, false);
    rmsDb.init(20.f, 10.f, 10.f, true, EnvelopeDetector::kRms, true);
    peakDb.init(20.f, 10.f, 10.f, true, EnvelopeDetector::kPeak, true);
    EXPECT_NEAR(run(peak, -0.5f, 100), 0.5f, 1e-6);
    EXPECT_NEAR(run(meanSquare, 0.5f, 100), 0.25f, 1e-6);
    // Without dB output RMS mode reports the mean square.
    EXPECT_NEAR(run(rms, 0.5f, 100), 0.25f, 1e-6);
    EXPECT_NEAR(run(rmsDb, 0.5f, 100), dbLevel(0.5), 1e-5);
    EXPECT_NEAR(run(peakDb, 0.1f, 100), dbLevel(0.1), 1e-5);
    // Below -60 dB the output is 0.
    EXPECT_EQ(run(peakDb, 0.0005f, 100), 0.f);
}

TEST(EnvelopeDetector, RmsDecibelsRiseTowardOneAndFallToExactlyZero)
{
    EnvelopeDetector d;
    d.init(20.f, 10.f, 500.f, true, EnvelopeDetector::kRms, true);
    float previous = 0.f;
    for (int i = 0; i < 40; ++i)
    {
        const float out = d.process(1.f);
        EXPECT_GE(out, previous);
        EXPECT_LE(out, 1.f);
        previous = out;
    }
    EXPECT_NEAR(previous, 1.f, 1e-5);

    int steps = 0;
    while (d.getEnvelope() > 0.f && steps < 10000)
    {
        const float out = d.process(0.f);
        EXPECT_LE(out, previous);
        EXPECT_NE(std::fpclassify(d.getEnvelope()), FP_SUBNORMAL);
        previous = out;
        ++steps;
    }
    EXPECT_LT(steps, 10000);
    EXPECT_EQ(d.getEnvelope(), 0.f);
    EXPECT_EQ(d.process(0.f), 0.f);
}

TEST(EnvelopeDetector, BadInputAndTimesGiveDefinedLevels)
{
    EnvelopeDetector d;
    d.init(20.f, 10.f, 500.f, true, EnvelopeDetector::kPeak, false);
    EXPECT_EQ(run(d, 5.f, 200), 1.f); // held within [0, 1]
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (float bad : {nan, inf, -inf})
    {
        const float out = d.process(bad);
        EXPECT_TRUE(out >= 0.f && out <= 1.f);
    }
    EXPECT_TRUE(d.getEnvelope() >= 0.f && d.getEnvelope() <= 1.f);

    for (float time : {0.f, -5.f, nan})
    {
        EnvelopeDetector instant;
        instant.init(20.f, time, time, false, EnvelopeDetector::kPeak, false);
        EXPECT_EQ(instant.process(0.75f), 0.75f);
        EXPECT_EQ(instant.process(0.25f), 0.25f);
    }
}
