// The automation adapter's ramps, against the host points they come from.
#include "vst3/CVSTParamUpdateQueue.h"

#include "public.sdk/source/vst/hosting/parameterchanges.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace Steinberg::Vst::Veru2ZOR3;

namespace
{
// Every new value the queue hands out over one block, by offset.
std::map<int, double> drain(CVSTParamUpdateQueue& queue, int blockSize)
{
    std::map<int, double> values;
    for (int t = 0; t < blockSize; ++t)
    {
        double value = 0;
        if (queue.getNextValue(value)) values[t] = value;
    }
    return values;
}

struct HostPoints
{
    explicit HostPoints(std::initializer_list<std::pair<int32, double>> points) : queue(7)
    {
        for (auto [offset, value] : points)
        {
            int32 index = 0;
            queue.addPoint(offset, value, index);
        }
    }
    ParameterValueQueue queue;
};
} // namespace

TEST(UpdateQueue, RampsBetweenPointsAtTheGranularity)
{
    int32 granularity = 16;
    CVSTParamUpdateQueue queue(0.0, 1.0, granularity);
    HostPoints host{{0, 0.2}, {63, 1.0}};
    queue.rearm(64, &host.queue, 2);
    const std::map<int, double> values = drain(queue, 64);
    ASSERT_EQ(values.size(), 4u);
    EXPECT_NEAR(values.at(16), 0.2 + 16 * 0.8 / 63, 1e-9);
    EXPECT_NEAR(values.at(16), 0.4032, 1e-4);
    EXPECT_NEAR(values.at(32), 0.6063, 1e-4);
    EXPECT_NEAR(values.at(48), 0.8095, 1e-4);
    EXPECT_EQ(values.at(63), 1.0);
    EXPECT_EQ(queue.getParameterId(), 7u);
}

TEST(UpdateQueue, SinglePointGivesNoRamp)
{
    int32 granularity = 1;
    CVSTParamUpdateQueue queue(0.0, 1.0, granularity);
    HostPoints host{{0, 0.6}};
    queue.rearm(32, &host.queue, 1);
    EXPECT_TRUE(drain(queue, 32).empty());
}

TEST(UpdateQueue, SeveralSegmentsAndNoGranularity)
{
    int32 granularity = 0;
    CVSTParamUpdateQueue queue(0.0, 1.0, granularity);
    HostPoints host{{0, 0.0}, {10, 0.5}, {31, 0.1}};
    queue.rearm(32, &host.queue, 3);
    const std::map<int, double> values = drain(queue, 32);
    // Without a granularity only the segment ends are handed out.
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values.at(10), 0.5);
    EXPECT_EQ(values.at(31), 0.1);
}

TEST(UpdateQueue, ValuesAtOffsetsAndCarryOver)
{
    int32 granularity = 8;
    CVSTParamUpdateQueue queue(0.0, 1.0, granularity);
    HostPoints first{{0, 0.0}, {15, 0.75}};
    queue.rearm(16, &first.queue, 2);
    double value = -1;
    EXPECT_FALSE(queue.getValueAtOffset(0, value));
    EXPECT_TRUE(queue.getValueAtOffset(8, value));
    EXPECT_NEAR(value, 0.4, 1e-9);
    EXPECT_TRUE(queue.getValueAtOffset(15, value));
    EXPECT_EQ(value, 0.75);

    // Next block: the ramp starts where the last one ended.
    HostPoints second{{7, 0.25}};
    queue.rearm(16, &second.queue, 1);
    const std::map<int, double> values = drain(queue, 16);
    ASSERT_FALSE(values.empty());
    EXPECT_EQ(values.begin()->first, 7);
    EXPECT_EQ(values.begin()->second, 0.25);
}

TEST(UpdateQueue, DamagedPointsStayFiniteAndInRange)
{
    int32 granularity = 1;
    CVSTParamUpdateQueue queue(0.0, 1.0, granularity);
    HostPoints host{{0, NAN}, {4, 0.5}, {4, 7.0}, {9, -3.0}};
    queue.rearm(12, &host.queue, 4);
    for (const auto& [offset, value] : drain(queue, 12))
        EXPECT_TRUE(value >= 0.0 && value <= 1.0) << offset << ": " << value;
    // Without a host queue there is nothing to hand out.
    queue.rearm(12, nullptr, 0);
    EXPECT_TRUE(drain(queue, 12).empty());
}
