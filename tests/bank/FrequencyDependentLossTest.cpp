#include "common/MathConstants.h"
#include "tools/bankgen/ArrivalFilter.h"
#include "tools/bankgen/Crossover.h"
#include "tools/bankgen/FractionalDelay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <complex>
#include <vector>

using namespace bankgen;

namespace
{
using vevadur::kPi;

// Naive DFT magnitude at `cycles` per sample.
double magnitude(const std::vector<double>& h, double cycles)
{
    std::complex<double> sum = 0.0;
    for (size_t n = 0; n < h.size(); ++n)
        sum += h[n] * std::polar(1.0, -2.0 * kPi * cycles * static_cast<double>(n));
    return std::abs(sum);
}

double decibels(double gain)
{
    return 20.0 * std::log10(gain);
}
} // namespace

TEST(ArrivalFilter, WallKernelIsTheImpulseResponseOfCascadedOnePoles)
{
    for (int bounces : {1, 4, 40})
    {
        const double a = 0.3;
        std::vector<double> x(400, 0.0);
        x[0] = 1.0;
        for (int stage = 0; stage < bounces; ++stage)
        {
            double y = 0.0;
            for (double& v : x)
                v = y = (1.0 - a) * v + a * y;
        }
        const std::vector<double> kernel = wallKernel(a, bounces);
        ASSERT_LT(kernel.size(), x.size());
        double sum = 0.0;
        for (size_t n = 0; n < kernel.size(); ++n)
        {
            EXPECT_NEAR(kernel[n], x[n], 1e-12) << bounces << " bounces, sample " << n;
            sum += kernel[n];
        }
        EXPECT_NEAR(sum, 1.0, 1e-8);
    }
    EXPECT_EQ(wallKernel(0.3, 0), std::vector<double>{1.0});
    EXPECT_EQ(wallKernel(NAN, 3), std::vector<double>{1.0});
    EXPECT_EQ(wallKernel(1.0, 3), std::vector<double>{1.0});
    EXPECT_EQ(wallKernel(0.3, INT32_MAX), std::vector<double>{0.0}) << "absorbed entirely";
}

TEST(ArrivalFilter, AirTakesAboutATenthOfADecibelPerMetreAtASixthOfTheRate)
{
    for (double metres : {0.0, 50.0, 200.0})
    {
        std::vector<double> plain(1200, 0.0), filtered(1200, 0.0);
        addArrival(plain.data(), 1200, 600.3, 1.0);
        addFilteredArrival(filtered.data(), 1200, 600.3, 1.0, {0.0, 0, metres});
        const double loss = decibels(magnitude(filtered, 1.0 / 6.0) / magnitude(plain, 1.0 / 6.0));
        EXPECT_NEAR(loss, -0.1 * metres, 0.01 + 0.03 * metres * 0.1) << metres << " m";
        // Low frequencies pass: at a 48th of the rate (1 kHz at 48 kHz) the air takes 1/64 of it.
        EXPECT_NEAR(decibels(magnitude(filtered, 1.0 / 48.0) / magnitude(plain, 1.0 / 48.0)),
                    -0.1 * metres / 64.0, 0.02 + 0.0005 * metres);
    }
}

TEST(ArrivalFilter, BouncesDullTheArrivalAndOnlyTheTableIsWritten)
{
    std::vector<double> guarded(3000, 0.0);
    double* table = guarded.data() + 1000;
    addFilteredArrival(table, 1000, 500.0, 1.0, {0.3, 10, 100.0});
    addFilteredArrival(table, 1000, 990.0, 1.0, {0.3, 10, 100.0}); // runs past the end
    addFilteredArrival(table, 1000, 5.0, 1.0, {0.0, 0, 1.0});      // starts before the start
    addFilteredArrival(table, 1000, NAN, 1.0, {0.3, 10, 100.0});   // bad input: ignored
    for (int i = 0; i < 1000; ++i)
    {
        EXPECT_EQ(guarded[i], 0.0);
        EXPECT_EQ(guarded[2000 + i], 0.0);
    }
    const std::vector<double> single(table + 400, table + 800);
    EXPECT_NEAR(magnitude(single, 0.0), 1.0, 1e-6) << "walls and air keep the DC gain";
    EXPECT_LT(magnitude(single, 1.0 / 6.0), magnitude(single, 1.0 / 12.0));
    EXPECT_LT(magnitude(single, 1.0 / 12.0), magnitude(single, 1.0 / 48.0));

    std::vector<double> other(1000, 0.0);
    addFilteredArrival(other.data(), 1000, 500.0, 1.0, {0.1, 900, 1e300}); // absurdly far
    for (double v : other)
        ASSERT_TRUE(std::isfinite(v));
}

TEST(Crossover, EachBandHoldsItsOwnOctave)
{
    const double rate = 48000.0;
    const double edges[] = {707.11, 1414.2, 2828.4};
    std::vector<double> impulse(8192, 0.0);
    impulse[0] = 1.0;
    const std::vector<std::vector<double>> bands = splitIntoBands(impulse, edges, 3, rate);
    ASSERT_EQ(bands.size(), 4u);
    // An octave between two 4th-order edges keeps about -3.9 dB at its centre; two octaves
    // away a band has lost at least 20 dB.
    const double centres[] = {250.0, 1000.0, 2000.0, 8000.0};
    for (int b = 0; b < 4; ++b)
        for (int other = 0; other < 4; ++other)
        {
            const double level = decibels(magnitude(bands[b], centres[other] / rate));
            if (other == b) { EXPECT_GT(level, -4.5) << "band " << b; }
            if (std::abs(other - b) >= 2)
            {
                EXPECT_LT(level, -20.0) << "band " << b << " at " << centres[other] << " Hz";
            }
        }
    // Together the bands pass every frequency at nearly full level.
    std::vector<double> sum(impulse.size(), 0.0);
    for (const std::vector<double>& band : bands)
        for (size_t n = 0; n < sum.size(); ++n)
            sum[n] += band[n];
    for (double hz = 50.0; hz < 20000.0; hz *= 1.1)
        EXPECT_NEAR(decibels(magnitude(sum, hz / rate)), 0.0, 1.0) << hz << " Hz";
}
