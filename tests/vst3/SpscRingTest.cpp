// The ring between the UI and the audio thread: first in, first out across many wraps of its
// indices, exactly Capacity values fit, and two threads see every value once and in order.
#include "vst3/handover/SpscRing.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <thread>

using Steinberg::Vst::Veru2ZOR3::SpscRing;

namespace
{
struct Item
{
    uint64_t serial = 0;
    uint64_t check = 0; // ~serial: a slot written in halves would not match
};

Item itemFor(uint64_t serial)
{
    return Item{serial, ~serial};
}
} // namespace

TEST(SpscRing, HoldsExactlyItsCapacityAndRefusesTheNext)
{
    SpscRing<int, 8> ring;
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(ring.push(i)) << "value " << i << " of 8";
    EXPECT_FALSE(ring.push(8)) << "a full ring must refuse";
    int value = -1;
    ASSERT_TRUE(ring.pop(value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(ring.push(8)) << "one slot freed, one value fits";
    EXPECT_FALSE(ring.push(9));
    for (int expected = 1; expected <= 8; ++expected)
    {
        ASSERT_TRUE(ring.pop(value));
        EXPECT_EQ(value, expected);
    }
    EXPECT_FALSE(ring.pop(value)) << "an emptied ring has nothing to give";
    EXPECT_EQ(value, 8) << "a failed pop leaves the target alone";
}

// Every fill level meets every slot position: an off-by-one at the wrap (a lost, repeated or
// stale slot) shows as a value out of order.
TEST(SpscRing, KeepsOrderAtEveryFillLevelAcrossWraps)
{
    SpscRing<int, 4> ring;
    int next = 0;
    int expected = 0;
    for (int round = 0; round < 50; ++round)
    {
        const int fill = round % 5; // 0 to 4 values, the last one filling the ring
        for (int k = 0; k < fill; ++k)
            ASSERT_TRUE(ring.push(next++)) << "round " << round;
        if (fill == 4)
        {
            EXPECT_FALSE(ring.push(-1)) << "round " << round;
        }
        int value = -1;
        for (int k = 0; k < fill; ++k)
        {
            ASSERT_TRUE(ring.pop(value)) << "round " << round;
            EXPECT_EQ(value, expected++) << "round " << round;
        }
        EXPECT_FALSE(ring.pop(value)) << "round " << round;
    }
    EXPECT_EQ(expected, next);
}

TEST(SpscRing, ReturnsToEmptyAfterManyWrapsWithAPartlyFullRing)
{
    SpscRing<int, 2> ring;
    ASSERT_TRUE(ring.push(0));
    int value = -1;
    for (int i = 1; i < 1000; ++i)
    {
        ASSERT_TRUE(ring.push(i));
        EXPECT_FALSE(ring.push(-1)) << "two values fill a ring of two";
        ASSERT_TRUE(ring.pop(value));
        ASSERT_EQ(value, i - 1);
    }
    ASSERT_TRUE(ring.pop(value));
    EXPECT_EQ(value, 999);
    EXPECT_FALSE(ring.pop(value));
}

// One producer and one consumer thread at full speed on a small ring, so it is full and
// empty over and over: every value arrives once, whole and in order.
TEST(SpscRing, TwoThreadsSeeEveryValueOnceInOrder)
{
    constexpr uint64_t kCount = 200000;
    SpscRing<Item, 16> ring;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    bool producerTimedOut = false;
    std::thread producer(
        [&]
        {
            for (uint64_t serial = 0; serial < kCount; ++serial)
            {
                while (!ring.push(itemFor(serial)))
                {
                    if (std::chrono::steady_clock::now() > deadline)
                    {
                        producerTimedOut = true;
                        return;
                    }
                    std::this_thread::yield();
                }
            }
        });
    uint64_t received = 0;
    uint64_t misordered = 0;
    bool timedOut = false;
    while (received < kCount)
    {
        Item item;
        if (!ring.pop(item))
        {
            if (std::chrono::steady_clock::now() > deadline)
            {
                timedOut = true;
                break;
            }
            std::this_thread::yield();
            continue;
        }
        if (item.serial != received || item.check != ~received) ++misordered;
        ++received;
    }
    producer.join();
    EXPECT_FALSE(timedOut) << "waited 120 s for " << kCount << " values, got " << received;
    EXPECT_FALSE(producerTimedOut) << "the producer waited 120 s for room";
    EXPECT_EQ(misordered, 0u);
    Item extra;
    EXPECT_FALSE(ring.pop(extra)) << "nothing beyond what was pushed";
}
