#include "tools/bankgen/PortableMath.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace bankgen;

TEST(PortableMath, AgreesWithTheCLibraryToNearFullPrecision)
{
    for (double x = -300.0; x <= 300.0; x += 0.0137)
    {
        EXPECT_NEAR(portableSin(x), std::sin(x), 2e-15) << x;
        EXPECT_NEAR(portableCos(x), std::cos(x), 2e-15) << x;
    }
    for (double x = -740.0; x <= 705.0; x += 0.173)
        EXPECT_NEAR(portableExp(x) / std::exp(x), 1.0, 4e-15) << x;
    EXPECT_EQ(portableSin(0.0), 0.0);
    EXPECT_EQ(portableCos(0.0), 1.0);
    EXPECT_EQ(portableExp(0.0), 1.0);
}

TEST(PortableMath, OutOfDomainArgumentsGiveDefinedResults)
{
    EXPECT_EQ(portableExp(-1000.0), 0.0);
    EXPECT_TRUE(std::isinf(portableExp(1000.0)));
    EXPECT_TRUE(std::isnan(portableExp(NAN)));
    EXPECT_TRUE(std::isnan(portableSin(INFINITY)));
    EXPECT_TRUE(std::isnan(portableCos(NAN)));
}
