#include "core/VectorMix.h"
#include "RecordingPlugIn.h"

#include <gtest/gtest.h>

TEST(VectorMix, CentreGivesEqualWeights)
{
    for (bool rotate : {false, true})
    {
        const VectorMix m = computeVectorMix(0.0, 0.0, rotate);
        EXPECT_EQ(m.a, 0.25);
        EXPECT_EQ(m.b, 0.25);
        EXPECT_EQ(m.c, 0.25);
        EXPECT_EQ(m.d, 0.25);
        EXPECT_EQ(m.mixAC, 0.5);
        EXPECT_EQ(m.mixBD, 0.5);
    }
}

TEST(VectorMix, CornerUnrotated)
{
    const VectorMix m = computeVectorMix(1.0, 1.0, false);
    EXPECT_EQ(m.a, 0.0);
    EXPECT_EQ(m.b, 1.0);
    EXPECT_NEAR(m.c, 0.003938, 1e-6);
    EXPECT_NEAR(m.d, 0.0000155, 1e-6);
    EXPECT_NEAR(m.mixAC, 0.5, 1e-12);
    EXPECT_NEAR(m.mixBD, 1.0, 1e-8);
}

TEST(VectorMix, EdgeUnrotatedEqualsRotatedHalfDiagonal)
{
    const VectorMix m = computeVectorMix(1.0, 0.0, false);
    EXPECT_EQ(m.a, 0.0);
    EXPECT_NEAR(m.b, 0.500124, 1e-6);
    EXPECT_NEAR(m.c, 0.504062, 1e-6);
    EXPECT_NEAR(m.d, 0.001984, 1e-6);
    EXPECT_NEAR(m.mixAC, 0.75, 1e-8);
    EXPECT_NEAR(m.mixBD, 0.75, 1e-8);

    const VectorMix r = computeVectorMix(0.5, 0.5, true);
    EXPECT_NEAR(r.b, m.b, 1e-6);
    EXPECT_NEAR(r.c, m.c, 1e-6);
    EXPECT_NEAR(r.d, m.d, 1e-6);
    EXPECT_EQ(r.mixAC, 0.75);
    EXPECT_EQ(r.mixBD, 0.75);
}

TEST(VectorMix, CoordinatesBeyondTheSquareAreClampedAsymmetrically)
{
    // +5 clamps to grid 254 like +1; -5 clamps to -1 like -128/127, one step further.
    const VectorMix far = computeVectorMix(5.0, 0.0, false);
    const VectorMix edge = computeVectorMix(1.0, 0.0, false);
    EXPECT_EQ(far.b, edge.b);
    EXPECT_EQ(far.c, edge.c);
    const VectorMix low = computeVectorMix(-5.0, 0.0, false);
    // e = -1: B and C come out negative and are limited to 0; D = 256*128/64500.
    EXPECT_EQ(low.b, 0.0);
    EXPECT_EQ(low.c, 0.0);
    EXPECT_NEAR(low.d, 256.0 * 128.0 / 64500.0, 1e-12);
    for (double w : {far.a, far.b, far.c, far.d, low.a, low.b, low.c, low.d})
    {
        EXPECT_GE(w, 0.0);
        EXPECT_LE(w, 1.0);
    }
}

TEST(JoystickWriters, UnsmoothedWritesNotifyWithMixedWeights)
{
    RecordingPlugIn p;
    p.setJoystickX(1.0f, false);
    p.setJoystickY(0.0f, true); // mixes with X's rotate flag (false), not its own
    ASSERT_EQ(p.joystick.size(), 2u);
    const VectorMix expected = computeVectorMix(1.0, 0.0, false);
    EXPECT_FLOAT_EQ(p.joystick[1][1], static_cast<float>(expected.b));
    EXPECT_FLOAT_EQ(p.joystick[1][4], static_cast<float>(expected.mixAC));
    float x = 0, y = 0;
    p.getJoystickPosition(x, y);
    EXPECT_EQ(x, 1.0f);
    EXPECT_EQ(y, 0.0f);
    EXPECT_TRUE(p.m_JoystickY.joyRotate);
}

TEST(JoystickWriters, NonFiniteCoordinatesAreIgnored)
{
    RecordingPlugIn p;
    p.setJoystickX(0.5f, true);
    p.setJoystickX(std::numeric_limits<float>::quiet_NaN(), true);
    EXPECT_EQ(p.m_JoystickX.joyValue, 0.5f);
    EXPECT_EQ(p.joystick.size(), 1u);
}
