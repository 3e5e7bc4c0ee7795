#include "common/MathConstants.h"
#include "tools/analyze/ResponseAnalysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>
#include <vector>

using namespace analyze;

namespace
{
constexpr double kRate = 48000.0;
using vevadur::kPi;

// Amplitude factor after t seconds of a decay that falls 60 dB in t60 seconds.
double decay(double t, double t60)
{
    return std::pow(10.0, -3.0 * t / t60);
}

std::vector<double> gaussianNoise(size_t length, unsigned seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> normal(0.0, 1.0);
    std::vector<double> x(length);
    for (double& v : x)
        v = normal(random);
    return x;
}

// Noise made of many sinusoids of random frequency (within +-10 % of each octave's centre)
// and phase, each band dying away with its own 60 dB time: a reference built without filters.
std::vector<double> bandDecayingNoise(const double (&t60)[kOctaveCount], double seconds,
                                      unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<double> x(static_cast<size_t>(seconds * kRate), 0.0);
    for (int b = 0; b < kOctaveCount; ++b)
        for (int k = 0; k < 60; ++k)
        {
            const double w = 2.0 * kPi * kOctaveCentres[b] * (0.9 + 0.2 * unit(random)) / kRate;
            // A rotating phasor that shrinks by the decay each sample.
            const std::complex<double> step = std::polar(decay(1.0 / kRate, t60[b]), w);
            std::complex<double> phasor = std::polar(1.0, 2.0 * kPi * unit(random));
            for (double& v : x)
            {
                v += phasor.imag();
                phasor *= step;
            }
        }
    return x;
}
} // namespace

TEST(RoomAnalysisDecay, WhiteNoiseDecayingAtOneRateGivesThatTimeEverywhere)
{
    std::vector<double> x = gaussianNoise(static_cast<size_t>(2.0 * kRate), 1);
    for (size_t n = 0; n < x.size(); ++n)
        x[n] *= decay(n / kRate, 0.8);
    const ResponseAnalysis a = analyzeResponse(x, kRate);
    EXPECT_LT(a.onset, 100);
    EXPECT_NEAR(a.broadband.t30, 0.8, 0.04);
    EXPECT_NEAR(a.broadband.edt, 0.8, 0.08);
    for (int b = 0; b < kOctaveCount; ++b)
        EXPECT_NEAR(a.bands[b].t30, 0.8, 0.06) << kOctaveCentres[b] << " Hz";
}

TEST(RoomAnalysisDecay, EachOctaveReportsItsOwnDecayTime)
{
    // A narrow band's envelope wanders, most of all in the low octaves: average a few
    // independent draws, as a measurement would average source and microphone positions.
    const double t60[kOctaveCount] = {1.6, 1.4, 1.2, 1.0, 0.8, 0.6, 0.45};
    constexpr int kDraws = 8;
    double edt[kOctaveCount] = {}, t30[kOctaveCount] = {};
    for (unsigned draw = 0; draw < kDraws; ++draw)
    {
        const ResponseAnalysis a = analyzeResponse(bandDecayingNoise(t60, 2.5, draw), kRate);
        for (int b = 0; b < kOctaveCount; ++b)
        {
            edt[b] += a.bands[b].edt / kDraws;
            t30[b] += a.bands[b].t30 / kDraws;
        }
    }
    for (int b = 0; b < kOctaveCount; ++b)
    {
        EXPECT_NEAR(t30[b], t60[b], 0.08 * t60[b]) << kOctaveCentres[b] << " Hz";
        EXPECT_NEAR(edt[b], t60[b], 0.15 * t60[b]) << kOctaveCentres[b] << " Hz";
    }
}

TEST(RoomAnalysisDecay, UnmeasurableInputGivesNoFigures)
{
    EXPECT_TRUE(std::isnan(analyzeResponse({}, kRate).broadband.t30));
    EXPECT_TRUE(std::isnan(analyzeResponse(std::vector<double>(1000, 0.0), kRate).broadband.edt));
    const ResponseAnalysis noRate = analyzeResponse(gaussianNoise(4800, 2), 0.0);
    EXPECT_TRUE(std::isnan(noRate.broadband.t30));
    EXPECT_TRUE(noRate.density.empty());
    // An octave whose upper edge lies above Nyquist cannot be measured at 16 kHz.
    EXPECT_TRUE(std::isnan(analyzeResponse(gaussianNoise(16000, 3), 16000.0).bands[6].t30));
}

TEST(RoomAnalysisEchoDensity, GaussianNoiseHasDensityOne)
{
    const ResponseAnalysis a = analyzeResponse(gaussianNoise(static_cast<size_t>(kRate), 4), kRate);
    ASSERT_GT(a.density.size(), 900u);
    double sum = 0.0;
    for (const DensityPoint& p : a.density)
    {
        EXPECT_NEAR(p.density, 1.0, 0.12) << p.seconds << " s";
        sum += p.density;
    }
    EXPECT_NEAR(sum / a.density.size(), 1.0, 0.02);
    EXPECT_LE(a.mixingTime, 0.011);
}

TEST(RoomAnalysisEchoDensity, SparseClickTrainHasDensityFarBelowOne)
{
    // A click every 10 ms: two in each 20 ms window.
    std::vector<double> x(static_cast<size_t>(kRate), 0.0);
    for (size_t n = 240; n < x.size(); n += 480)
        x[n] = n == 240 ? 0.5 : 0.25;
    const ResponseAnalysis a = analyzeResponse(x, kRate);
    ASSERT_FALSE(a.density.empty());
    for (const DensityPoint& p : a.density)
        EXPECT_LT(p.density, 0.02) << p.seconds << " s";
    EXPECT_TRUE(std::isnan(a.mixingTime));
    EXPECT_EQ(a.peakIndex, 240);
    EXPECT_DOUBLE_EQ(a.peak, 0.5);
    EXPECT_DOUBLE_EQ(a.energy, 0.25 + 0.0625 * 99);
    EXPECT_EQ(a.onset, 240);
}
