#include "RecordingPlugIn.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

TEST(Smoothing, CoefficientFollowsTimeAndRate)
{
    RecordingPlugIn p(true);
    p.m_nRateHz = 44100;
    p.prepare();
    const ControlRecord* r = p.control(1);
    const float b = std::exp(-6.2831855f / 4410.0f);
    EXPECT_EQ(r->coefB, b);
    EXPECT_EQ(r->coefA, 1.0f - b);
    EXPECT_EQ(r->coefBD, static_cast<double>(b));
}

TEST(Smoothing, FloatControlConvergesThenStopsNotifying)
{
    RecordingPlugIn p(true);
    p.m_nRateHz = 1000; // short time constant: 100 ms is 100 frames
    p.prepare();
    p.setPlainValue(1, 1.0f);
    p.changes.clear();
    float previous = p.floatValue;
    int frames = 0;
    for (; frames < 100000; ++frames)
    {
        const size_t before = p.changes.size();
        p.smoothControls();
        if (p.changes.size() == before) break;
        EXPECT_GE(p.floatValue, previous); // monotone approach
        previous = p.floatValue;
    }
    ASSERT_LT(frames, 100000);
    EXPECT_EQ(p.floatValue, 1.0f); // the converged step writes the target itself
    const size_t settled = p.changes.size();
    p.smoothControls();
    EXPECT_EQ(p.changes.size(), settled);
}

TEST(Smoothing, DoubleControlUsesTheDoublePath)
{
    RecordingPlugIn p(true);
    p.m_nRateHz = 1000;
    p.prepare();
    p.setPlainValue(2, 50.0f);
    for (int i = 0; i < 20000; ++i)
        p.smoothControls();
    EXPECT_EQ(p.doubleValue, 50.0);
}

TEST(Smoothing, JoystickSmoothsAndReportsEveryFrame)
{
    RecordingPlugIn p;
    p.m_JoystickX.smooth = true;
    p.m_nRateHz = 1000;
    p.prepare();
    p.setJoystickX(1.0f, false);
    EXPECT_TRUE(p.joystick.empty()); // smoothing carries on instead
    for (int i = 0; i < 5; ++i)
        p.smoothControls();
    EXPECT_EQ(p.joystick.size(), 5u);
    EXPECT_GT(p.m_JoystickX.joyValue, 0.0f);
    EXPECT_LT(p.m_JoystickX.joyValue, 1.0f);
}

TEST(Smoothing, UnsmoothedControlsAreLeftAlone)
{
    RecordingPlugIn p(false);
    p.prepare();
    p.setPlainValue(1, 0.5f);
    p.changes.clear();
    p.smoothControls();
    EXPECT_TRUE(p.changes.empty());
    EXPECT_TRUE(p.joystick.empty());
}

TEST(Smoothing, UnusableTimesOrRatesFollowTheTargetAtOnce)
{
    // A negative time or rate would put the pole outside the unit circle and the value would
    // grow without bound; such a smoother jumps to its target instead.
    for (const auto& [rate, time] : {std::pair{44100, -100.0f}, std::pair{0, 100.0f},
                                     std::pair{-48000, 100.0f}, std::pair{44100, NAN}})
    {
        RecordingPlugIn p(true);
        p.m_nRateHz = rate;
        for (uint32_t i = 0; i < p.m_uControlCount; ++i)
            p.control(i)->smoothMs = time;
        p.prepare();
        p.setPlainValue(1, 1.0f);
        for (int frame = 0; frame < 1000; ++frame)
            p.smoothControls();
        EXPECT_EQ(p.floatValue, 1.0f) << rate << " Hz, " << time << " ms";
    }
}
