#include "engine/reference/DelayLine.h"
#include "TestSignals.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Engine;

namespace
{
// Independent model of the line: w[t] = x[t] + f w[t-d] is what the ring holds, y[t] = w[t-d].
std::vector<double> model(const std::vector<double>& x, int d, double f, double wet)
{
    std::vector<double> ring(x.size()), out(x.size());
    for (size_t t = 0; t < x.size(); ++t)
    {
        const double y = d == 0 ? x[t] : (t >= size_t(d) ? ring[t - d] : 0.0);
        ring[t] = f * y + x[t];
        out[t] = (1.0 - wet) * x[t] + wet * y;
    }
    return out;
}

std::vector<double> run(DelayLine& line, const std::vector<double>& x)
{
    std::vector<double> y;
    for (double v : x)
    {
        line.push(v);
        y.push_back(line.output());
    }
    return y;
}
} // namespace

TEST(DelayLine, ReturnsItsInput256PushesLater)
{
    DelayLine line(48000, 256, 0.0, 100.0);
    const std::vector<double> x = noise(200000, 1); // wraps the 96000-entry ring twice
    const std::vector<double> y = run(line, x);
    for (size_t t = 0; t < x.size(); ++t)
        ASSERT_EQ(y[t], t >= 256 ? x[t - 256] : 0.0) << t;
}

TEST(DelayLine, FeedbackAndWetMixFollowTheModel)
{
    const std::vector<double> x = noise(3000, 2);
    for (int delay : {0, 1, 37})
        for (double feedback : {0.0, 50.0, -90.0})
            for (double wet : {100.0, 25.0})
            {
                DelayLine line(1000, delay, feedback, wet);
                const std::vector<double> y = run(line, x);
                const std::vector<double> expected = model(x, delay, feedback / 100, wet / 100);
                for (size_t t = 0; t < x.size(); ++t)
                    ASSERT_NEAR(y[t], expected[t], 1e-12) << delay << " " << feedback << " " << t;
            }
}

TEST(DelayLine, SetClearsTheRingAndChangesTheDelay)
{
    DelayLine line(100, 10, 0.0, 100.0);
    run(line, noise(150, 3));
    line.set(20, 0.0, 100.0);
    const std::vector<double> x = noise(60, 4);
    const std::vector<double> y = run(line, x);
    for (size_t t = 0; t < x.size(); ++t)
        ASSERT_EQ(y[t], t >= 20 ? x[t - 20] : 0.0) << t;
}

TEST(DelayLine, OutOfRangeSettingsStayInsideTheRing)
{
    DelayLine line(10, 1000, 500.0, 100.0); // ring of 20
    EXPECT_EQ(line.size(), 20);
    EXPECT_EQ(line.delay(), 20);
    std::vector<double> x = noise(100, 5);
    const std::vector<double> expected = model(x, 20, 1.0, 1.0); // feedback clamped to 100 %
    const std::vector<double> y = run(line, x);
    for (size_t t = 0; t < x.size(); ++t)
        ASSERT_NEAR(y[t], expected[t], 1e-12) << t;

    line.set(-3, NAN, NAN); // a delay of 0, no feedback, fully dry
    EXPECT_EQ(line.delay(), 0);
    line.push(0.5);
    EXPECT_EQ(line.output(), 0.5);
    line.push(NAN);
    EXPECT_EQ(line.output(), 0.0);

    DelayLine tiny(0, 5, 0.0, 100.0); // capacity raised to 1: a ring of 2
    EXPECT_EQ(tiny.size(), 2);
    tiny.push(1.0);
    tiny.push(2.0);
    tiny.push(3.0);
    EXPECT_EQ(tiny.output(), 1.0);
}
