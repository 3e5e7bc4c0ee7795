#include "RecordingPlugIn.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
HostMessage valueBlock(std::vector<ControlValueSlot>& slots, const TimingBlock& timing)
{
    HostMessage m;
    m.slots = slots.data();
    m.timing = &timing;
    m.count = static_cast<int32_t>(slots.size());
    return m;
}
} // namespace

TEST(HostMessages, TimingIsCopied)
{
    RecordingPlugIn p;
    TimingBlock t;
    t.samplePosition = 1234;
    t.tempo = 97.5;
    HostMessage m;
    m.timing = &t;
    p.hostMessage(HostMessage::kTiming, &m);
    EXPECT_EQ(p.m_TimingBlock.samplePosition, 1234u);
    EXPECT_EQ(p.m_TimingBlock.tempo, 97.5);
    p.hostMessage(HostMessage::kTiming, nullptr); // no record: nothing
}

TEST(HostMessages, ValueBlockAppliesChangedSlotsOnly)
{
    RecordingPlugIn p;
    std::vector<ControlValueSlot> slots(p.m_uControlCount + 2);
    slots[0].changed = true;
    slots[0].value = 0.5f;
    slots[3].value = 1.0f; // not marked changed
    TimingBlock t;
    t.samplePosition = 7;
    HostMessage m = valueBlock(slots, t);
    p.hostMessage(HostMessage::kValueBlock, &m);
    EXPECT_EQ(p.intValue, 5);
    EXPECT_EQ(p.uintValue, 0u);
    EXPECT_EQ(p.m_TimingBlock.samplePosition, 7u);
    EXPECT_TRUE(p.joystick.empty()); // neither joystick slot changed
}

TEST(HostMessages, ValueBlockWithWrongCountIsIgnoredWhole)
{
    RecordingPlugIn p;
    std::vector<ControlValueSlot> slots(p.m_uControlCount + 1);
    slots[0].changed = true;
    slots[0].value = 1.0f;
    TimingBlock t;
    t.samplePosition = 7;
    HostMessage m = valueBlock(slots, t);
    p.hostMessage(HostMessage::kValueBlock, &m);
    EXPECT_EQ(p.intValue, 0);
    EXPECT_EQ(p.m_TimingBlock.samplePosition, 0u);
}

TEST(HostMessages, ValueBlockMovesTheJoystick)
{
    RecordingPlugIn p;
    std::vector<ControlValueSlot> slots(p.m_uControlCount + 2);
    ControlValueSlot& sx = slots[p.m_uControlCount];
    sx.changed = true;
    sx.joyValue = 0.5f;
    sx.rotate = true;
    slots[p.m_uControlCount + 1].joyValue = 0.5f;
    TimingBlock t;
    HostMessage m = valueBlock(slots, t);
    p.hostMessage(HostMessage::kValueBlock, &m);
    ASSERT_EQ(p.joystick.size(), 1u);
    EXPECT_TRUE(p.m_JoystickX.joyRotate);
    EXPECT_TRUE(p.m_JoystickY.joyRotate);
    EXPECT_EQ(p.m_JoystickY.joyValue, 0.5f);
    EXPECT_FLOAT_EQ(p.joystick[0][4], 0.75f); // rotated mix AC = (x + 1) / 2
}

TEST(HostMessages, MeterReadoutReportsOnlyMeters)
{
    RecordingPlugIn p;
    p.meterValue = 0.625f;
    for (uint32_t i = 0; i < p.m_uControlCount + 2; ++i)
        p.m_pValueSlots[i].changed = true;
    HostMessage m;
    m.count = static_cast<int32_t>(p.m_uControlCount) + 2;
    p.hostMessage(HostMessage::kMeterReadout, &m);
    ASSERT_EQ(m.slotsOut, p.m_pValueSlots.get());
    for (uint32_t i = 0; i < p.m_uControlCount; ++i)
    {
        const bool isMeter = p.m_ppControls[i]->type == ControlRecord::kMeter;
        EXPECT_EQ(m.slotsOut[i].changed, isMeter) << i;
        if (isMeter)
        {
            EXPECT_EQ(m.slotsOut[i].value, 0.625f);
        }
    }

    // A host whose array has another length gets nothing, and the flags stay as they were.
    HostMessage wrong;
    wrong.count = m.count + 1;
    for (uint32_t i = 0; i < p.m_uControlCount + 2; ++i)
        p.m_pValueSlots[i].changed = true;
    p.hostMessage(HostMessage::kMeterReadout, &wrong);
    EXPECT_EQ(wrong.slotsOut, nullptr);
    for (uint32_t i = 0; i < p.m_uControlCount + 2; ++i)
        EXPECT_TRUE(p.m_pValueSlots[i].changed) << i;
}

TEST(HostMessages, OtherCodesDoNothing)
{
    RecordingPlugIn p;
    HostMessage m;
    m.count = 3;
    p.hostMessage(HostMessage::kEventList, &m);
    p.hostMessage(42, &m);
    EXPECT_EQ(m.slotsOut, nullptr);
    EXPECT_TRUE(p.changes.empty());
}
