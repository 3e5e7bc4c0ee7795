// The snapshots of the hand-over: a read is either whole or says it is not, and the stored
// values keep their places in the row (controls, bypass, joystick X, joystick Y).
#include "vst3/handover/SeqLockSnapshot.h"
#include "vst3/handover/StoredValues.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

using Steinberg::Vst::Veru2ZOR3::SeqLockSnapshot;
using Steinberg::Vst::Veru2ZOR3::StoredFields;
using Steinberg::Vst::Veru2ZOR3::StoredValues;

TEST(SeqLockSnapshot, ReadsWhatTheLastFinishedWriteLeft)
{
    SeqLockSnapshot snapshot;
    snapshot.resize(3);
    EXPECT_EQ(snapshot.size(), 3u);
    std::vector<float> values(3, -1.0f);
    uint64_t tag = 99;
    EXPECT_TRUE(snapshot.read(values.data(), tag));
    EXPECT_EQ(values, std::vector<float>({0.0f, 0.0f, 0.0f}));
    EXPECT_EQ(tag, 0u);

    snapshot.beginWrite();
    snapshot.store(0, 1.5f);
    snapshot.store(2, -2.0f);
    snapshot.store(3, 7.0f); // beyond the row: ignored
    snapshot.endWrite(41);
    EXPECT_TRUE(snapshot.read(values.data(), tag));
    EXPECT_EQ(values, std::vector<float>({1.5f, 0.0f, -2.0f}));
    EXPECT_EQ(tag, 41u);
    EXPECT_EQ(snapshot.tag(), 41u);

    // A write of one field keeps the others.
    snapshot.beginWrite();
    snapshot.store(1, 3.0f);
    snapshot.endWrite(42);
    EXPECT_TRUE(snapshot.read(values.data(), tag));
    EXPECT_EQ(values, std::vector<float>({1.5f, 3.0f, -2.0f}));
    EXPECT_EQ(tag, 42u);

    // The writer's check that a write would change nothing: every value bit for bit, and the tag.
    const float same[] = {1.5f, 3.0f, -2.0f};
    const float otherValue[] = {1.5f, 3.0f, -2.5f};
    EXPECT_TRUE(snapshot.holds(same, 42));
    EXPECT_FALSE(snapshot.holds(same, 43)) << "another tag";
    EXPECT_FALSE(snapshot.holds(otherValue, 42)) << "another value";
    snapshot.beginWrite();
    snapshot.store(1, 0.0f);
    snapshot.endWrite(42);
    const float negativeZero[] = {1.5f, -0.0f, -2.0f};
    EXPECT_FALSE(snapshot.holds(negativeZero, 42)) << "-0 is not the +0 held";
}

TEST(SeqLockSnapshot, AReadDuringAWriteSaysItIsNotWhole)
{
    SeqLockSnapshot snapshot;
    snapshot.resize(2);
    std::vector<float> values(2);
    uint64_t tag = 0;
    for (int write = 1; write <= 3; ++write)
    {
        snapshot.beginWrite();
        snapshot.store(0, static_cast<float>(write));
        EXPECT_FALSE(snapshot.read(values.data(), tag)) << "write " << write << " in progress";
        snapshot.endWrite(static_cast<uint64_t>(write));
        EXPECT_TRUE(snapshot.read(values.data(), tag)) << "write " << write << " finished";
        EXPECT_EQ(values[0], static_cast<float>(write));
        EXPECT_EQ(tag, static_cast<uint64_t>(write));
    }
}

// A writer thread fills every field and the tag with the same number, write after write; each
// read that says it is whole must hold one number throughout. A torn read mixes two.
TEST(SeqLockSnapshot, AWholeReadNeverMixesTwoWrites)
{
    constexpr int kFields = 16;
    constexpr uint32_t kWrites = 100000; // exact as float
    SeqLockSnapshot snapshot;
    snapshot.resize(kFields);
    std::atomic<bool> done{false};
    std::thread writer(
        [&]
        {
            for (uint32_t k = 1; k <= kWrites; ++k)
            {
                snapshot.beginWrite();
                for (int f = 0; f < kFields; ++f)
                    snapshot.store(static_cast<std::size_t>(f), static_cast<float>(k));
                snapshot.endWrite(k);
            }
            done.store(true, std::memory_order_release);
        });
    std::vector<float> values(kFields);
    uint64_t wholeReads = 0;
    uint64_t mixed = 0;
    uint64_t lastTag = 0;
    uint64_t backwards = 0;
    // The loop ends with the writer, which makes a fixed number of writes.
    while (!done.load(std::memory_order_acquire))
    {
        uint64_t tag = 0;
        if (!snapshot.read(values.data(), tag)) continue;
        ++wholeReads;
        for (float v : values)
            mixed += v != static_cast<float>(tag) ? 1 : 0;
        backwards += tag < lastTag ? 1 : 0;
        lastTag = tag;
    }
    writer.join();
    uint64_t tag = 0;
    ASSERT_TRUE(snapshot.read(values.data(), tag));
    EXPECT_EQ(tag, kWrites);
    EXPECT_EQ(values, std::vector<float>(kFields, static_cast<float>(kWrites)));
    EXPECT_EQ(mixed, 0u) << "of " << wholeReads << " whole reads";
    EXPECT_EQ(backwards, 0u) << "a later read showed an older write";
}

TEST(StoredFields, ControlsComeFirstThenBypassThenTheJoystick)
{
    const StoredFields fields(2);
    EXPECT_EQ(fields.count(), 5u);
    EXPECT_EQ(fields.control(0), 0u);
    EXPECT_EQ(fields.control(1), 1u);
    EXPECT_EQ(fields.bypass(), 2u);
    EXPECT_EQ(fields.joystickX(), 3u);
    EXPECT_EQ(fields.joystickY(), 4u);

    StoredValues values;
    values.controls = {0.25f, 9.0f};
    values.bypass = true;
    values.joystickX = -0.5f;
    values.joystickY = 0.75f;
    float row[5] = {};
    fields.toFields(values, row);
    EXPECT_EQ(std::vector<float>(row, row + 5),
              std::vector<float>({0.25f, 9.0f, 1.0f, -0.5f, 0.75f}));

    StoredValues back;
    back.controls.assign(2, 0.0f);
    fields.fromFields(row, back);
    EXPECT_EQ(back.controls, values.controls);
    EXPECT_TRUE(back.bypass);
    EXPECT_EQ(back.joystickX, -0.5f);
    EXPECT_EQ(back.joystickY, 0.75f);

    fields.setField(fields.bypass(), 0.0f, back);
    EXPECT_FALSE(back.bypass);
    fields.setField(fields.count(), 5.0f, back); // beyond the row: nothing
    EXPECT_EQ(back.controls, values.controls);
}
