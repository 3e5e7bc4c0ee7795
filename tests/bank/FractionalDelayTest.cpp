#include "tools/bankgen/FractionalDelay.h"

#include "common/MathConstants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

using namespace bankgen;

namespace
{
using vevadur::kPi;

// Naive DFT at `cycles` per sample, with the expected delay's phase taken out: 1 for an ideal
// delayed unit impulse.
std::complex<double> delayCompensatedResponse(const std::vector<double>& h, double cycles,
                                              double delay)
{
    std::complex<double> sum = 0.0;
    for (size_t n = 0; n < h.size(); ++n)
        sum += h[n] * std::polar(1.0, -2.0 * kPi * cycles * (static_cast<double>(n) - delay));
    return sum;
}
} // namespace

TEST(FractionalDelay, PassesTheBandWithUnitGainAtTheFractionalDelay)
{
    for (double delay : {100.0, 100.25, 100.5, 100.83})
    {
        std::vector<double> h(256, 0.0);
        addArrival(h.data(), static_cast<int>(h.size()), delay, 1.0);
        for (double cycles = 0.0; cycles <= 0.35; cycles += 0.01)
            EXPECT_LT(std::abs(delayCompensatedResponse(h, cycles, delay) - 1.0), 0.01)
                << "delay " << delay << " at " << cycles;
        EXPECT_LT(std::abs(delayCompensatedResponse(h, 0.5, delay)), 0.1) << "delay " << delay;
    }
}

TEST(FractionalDelay, WritesOnlyInsideTheTable)
{
    std::vector<double> guarded(120, 0.0);
    double* table = guarded.data() + 40;
    const int length = 40;
    addArrival(table, length, 3.4, 1.0);       // taps before the start
    addArrival(table, length, 38.6, 1.0);      // taps past the end
    addArrival(table, length, -500.0, 1.0);    // entirely before
    addArrival(table, length, 1e300, 1.0);     // entirely after
    addArrival(table, length, NAN, 1.0);       // bad input: ignored
    addArrival(table, length, 20.0, INFINITY); // bad input: ignored
    for (int i = 0; i < 40; ++i)
    {
        EXPECT_EQ(guarded[i], 0.0);
        EXPECT_EQ(guarded[80 + i], 0.0);
    }
    for (int i = 0; i < length; ++i)
        EXPECT_TRUE(std::isfinite(table[i]));
    EXPECT_NEAR(table[3], bandLimitedTap(3 - 3.4), 1e-3);
}
