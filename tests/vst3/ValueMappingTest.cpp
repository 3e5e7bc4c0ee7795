// The parameter mappings against the plain mathematics they approximate.
#include "vst3/FastApprox.h"
#include "vst3/LogParameter.h"
#include "vst3/ValueTapers.h"
#include "vst3/VoltOctaveParameter.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace Steinberg::Vst::Veru2ZOR3;

namespace
{
template <typename P> IPtr<P> make(double minPlain, double maxPlain, double defaultPlain)
{
    return owned(new P(u"Test", 1, u"", minPlain, maxPlain, defaultPlain, 0,
                       ParameterInfo::kCanAutomate, kRootUnitId));
}
} // namespace

TEST(FastApprox, CloseToTheExactFunctions)
{
    for (float x = 0.001f; x < 1e6f; x *= 1.37f)
        EXPECT_NEAR(fastlog2(x), std::log2(x),
                    2e-4 * std::max(1.0, std::fabs(std::log2(double(x)))))
            << x;
    for (float p = -20.0f; p < 20.0f; p += 0.173f)
        EXPECT_NEAR(fastpow2(p) / std::exp2(p), 1.0, 2e-4) << p;
    EXPECT_TRUE(std::isfinite(fastpow2(1e9f)));
    EXPECT_GE(fastpow2(-1e9f), 0.0f);
}

TEST(LogParameter, TenToTheTwoPointFourTaper)
{
    auto p = make<LogParameter>(0.0, 1.0, 0.5);
    EXPECT_FLOAT_EQ(p->toPlain(1.0), 1.0);
    EXPECT_DOUBLE_EQ(p->toPlain(0.0), 0.0);
    EXPECT_LT(p->toPlain(0.001), 0.0) << "nothing clamps below 10^-2.4";
    EXPECT_NEAR(p->toNormalized(0.5), std::pow(10.0, -1.2), 1e-7);
    EXPECT_NEAR(p->getInfo().defaultNormalizedValue, std::pow(10.0, -1.2), 1e-7);
    EXPECT_NEAR(p->toNormalized(0.0), std::pow(10.0, -2.4), 1e-8);
    // A wider range maps its linear position the same way.
    auto wide = make<LogParameter>(-10.0, 30.0, 0.0);
    for (double plain : {-10.0, -3.0, 0.0, 12.5, 30.0})
        EXPECT_NEAR(wide->toPlain(wide->toNormalized(plain)), plain, 1e-4);
}

TEST(VoltOctaveParameter, ExponentialTaper)
{
    auto p = make<VoltOctaveParameter>(20.0, 20000.0, 632.0);
    EXPECT_NEAR(p->toPlain(0.0), 20.0, 20.0 * 0.002);
    EXPECT_NEAR(p->toPlain(1.0), 20000.0, 20000.0 * 0.002);
    for (double n = 0.0; n <= 1.0; n += 0.05)
    {
        const double exact = 20.0 * std::pow(1000.0, n);
        EXPECT_NEAR(p->toPlain(n), exact, exact * 0.002) << n;
        EXPECT_NEAR(p->toNormalized(exact), n, 2e-4) << n;
    }
    EXPECT_NEAR(p->getInfo().defaultNormalizedValue, 0.5, 1e-3);
}

TEST(VoltOctaveParameter, UnusableRangesFallBackToLinear)
{
    for (auto [low, high] : {std::pair{0.0, 10.0}, {-5.0, 5.0}, {3.0, 3.0}})
    {
        auto p = make<VoltOctaveParameter>(low, high, low);
        for (double n : {0.0, 0.3, 1.0})
        {
            EXPECT_TRUE(std::isfinite(p->toPlain(n)));
            EXPECT_TRUE(std::isfinite(p->toNormalized(p->toPlain(n))));
        }
    }
    auto p = make<VoltOctaveParameter>(0.0, 10.0, 0.0);
    EXPECT_DOUBLE_EQ(p->toPlain(0.3), 3.0);
}

TEST(ValueTapers, ProcessSideMappings)
{
    EXPECT_FLOAT_EQ(ValueTapers::logLinearPosition(0.0), 0.0f);
    EXPECT_FLOAT_EQ(ValueTapers::logLinearPosition(1.0), 1.0f);
    for (double lin : {0.0, 0.25, 0.5, 1.0})
        EXPECT_NEAR(ValueTapers::logLinearPosition(ValueTapers::logHostValue(lin)), lin, 1e-6);
    EXPECT_NEAR(ValueTapers::voltOctaveLinearPosition(0.5, 20.0, 20000.0),
                (20.0 * std::sqrt(1000.0) - 20.0) / 19980.0, 1e-4);
}
