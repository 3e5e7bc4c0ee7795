#include "RecordingPlugIn.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
enum Index : uint32_t
{
    kInt = 0,
    kFloat,
    kDouble,
    kUint,
    kNone,
    kMeter
};
} // namespace

TEST(NormalizedValues, IntRoundsToNearestAndAlwaysNotifies)
{
    RecordingPlugIn p;
    p.setNormalizedValue(kInt, 0.27f, false); // 2.7
    EXPECT_EQ(p.intValue, 3);
    p.setNormalizedValue(kInt, 0.27f, false);
    EXPECT_EQ(p.changes.size(), 2u);
    EXPECT_EQ(p.changes[0], RecordingPlugIn::kIntId);
}

TEST(NormalizedValues, UintRoundsAndNotifiesOnlyOnChange)
{
    RecordingPlugIn p;
    p.setNormalizedValue(kUint, 0.04f, false); // 0.4 rounds to the value already held
    EXPECT_EQ(p.uintValue, 0u);
    EXPECT_TRUE(p.changes.empty());
    p.setNormalizedValue(kUint, 1.0f, false);
    EXPECT_EQ(p.uintValue, 10u);
    p.setNormalizedValue(kUint, 0.98f, false); // 9.8 rounds to 10 again
    EXPECT_EQ(p.changes.size(), 1u);
}

TEST(NormalizedValues, FloatAndDoubleScaleToTheirRange)
{
    RecordingPlugIn p;
    p.setNormalizedValue(kFloat, 0.75f, false);
    EXPECT_FLOAT_EQ(p.floatValue, 0.5f); // -1 + 2 * 0.75
    p.setNormalizedValue(kDouble, 0.3f, false);
    EXPECT_DOUBLE_EQ(p.doubleValue, static_cast<double>(100.0f * 0.3f));
    EXPECT_EQ(p.changes.size(), 2u);
}

TEST(NormalizedValues, SmoothedControlsTakeATargetUnlessImmediate)
{
    RecordingPlugIn p(true);
    p.setNormalizedValue(kFloat, 1.0f, false);
    EXPECT_EQ(p.floatValue, 0.0f);
    EXPECT_EQ(p.control(kFloat)->smoothTarget, 1.0f);
    p.setNormalizedValue(kFloat, 1.0f, true);
    EXPECT_EQ(p.floatValue, 1.0f);
    EXPECT_EQ(p.changes.size(), 2u); // notified in both cases
}

TEST(NormalizedValues, NoneTypeAndBadInputChangeNothing)
{
    RecordingPlugIn p;
    p.setNormalizedValue(kNone, 0.5f, false);
    p.setNormalizedValue(kUint, std::numeric_limits<float>::quiet_NaN(), false);
    p.setNormalizedValue(kFloat, std::numeric_limits<float>::infinity(), false);
    p.setNormalizedValue(99, 0.5f, false);
    p.setNormalizedValue(static_cast<ControlRecord*>(nullptr), 0.5f, false);
    EXPECT_TRUE(p.changes.empty());
    EXPECT_EQ(p.uintValue, 0u);
    EXPECT_EQ(p.floatValue, 0.0f);
}

TEST(NormalizedValues, HugeValuesSaturateInsteadOfOverflowing)
{
    RecordingPlugIn p;
    p.control(kInt)->maxValue = 1e20f;
    p.setNormalizedValue(kInt, 1.0f, false);
    EXPECT_EQ(p.intValue, std::numeric_limits<int32_t>::max());
    p.control(kUint)->minValue = -50.0f;
    p.setNormalizedValue(kUint, 0.0f, false);
    EXPECT_EQ(p.uintValue, 0u);
}

TEST(PlainValues, IntTruncatesTowardZero)
{
    RecordingPlugIn p;
    p.setPlainValue(kInt, 2.7f);
    EXPECT_EQ(p.intValue, 2);
    p.setPlainValue(kInt, -2.7f);
    EXPECT_EQ(p.intValue, -2);
}

TEST(PlainValues, UintRoundsAndSkipsRepeats)
{
    RecordingPlugIn p;
    p.setPlainValue(kUint, 2.5f);
    EXPECT_EQ(p.uintValue, 3u);
    p.setPlainValue(kUint, 3.2f);
    EXPECT_EQ(p.changes.size(), 1u);
}

TEST(PlainValues, SmoothedFloatTakesATargetAlways)
{
    RecordingPlugIn p(true);
    p.setPlainValue(kFloat, 0.25f);
    EXPECT_EQ(p.floatValue, 0.0f);
    EXPECT_EQ(p.control(kFloat)->smoothTarget, 0.25f);
    p.setPlainValue(kDouble, 40.0f);
    EXPECT_EQ(p.doubleValue, 0.0);
}

TEST(ControlValues, ReadThroughTheValueTypePointer)
{
    RecordingPlugIn p;
    p.intValue = -4;
    p.floatValue = 0.5f;
    p.doubleValue = 1.0 / 3.0;
    p.uintValue = 7;
    EXPECT_EQ(p.getControlValue(kInt), -4.0f);
    EXPECT_EQ(p.getControlValue(kFloat), 0.5f);
    EXPECT_EQ(p.getControlValue(kDouble), static_cast<float>(1.0 / 3.0));
    EXPECT_EQ(p.getControlValue(kUint), 7.0f);
    EXPECT_EQ(p.getControlValue(kNone), 0.0f);
    EXPECT_EQ(p.getControlValue(42), 0.0f);
}

TEST(ExchangeArrays, OneSlotPerControlPlusTwoJoystickSlots)
{
    RecordingPlugIn p;
    EXPECT_EQ(p.m_uControlCount, 6u);
    for (uint32_t i = 0; i < 6; ++i)
    {
        EXPECT_EQ(p.m_ppControls[i], p.m_Controls.find(i));
        EXPECT_EQ(p.m_pValueSlots[i].index, i);
        EXPECT_EQ(p.m_pValueSlots[i].controlId, p.m_Controls.find(i)->id);
    }
    EXPECT_EQ(p.m_ppControls[6], nullptr);
    EXPECT_EQ(p.m_ppControls[7], nullptr);
    EXPECT_FALSE(p.m_pValueSlots[7].changed);
}

TEST(NoteTable, StartsAtMidiNoteZeroAndDoublesPerOctave)
{
    RecordingPlugIn p;
    EXPECT_FLOAT_EQ(p.m_fNoteFrequency[0], 8.175798915636872f);
    EXPECT_NEAR(p.m_fNoteFrequency[69], 440.0f, 0.01f);
    EXPECT_NEAR(p.m_fNoteFrequency[126] / p.m_fNoteFrequency[114], 2.0f, 1e-4f);
}

TEST(Defaults, EveryOperationAnswersHarmlessly)
{
    CPlugIn p;
    EXPECT_TRUE(p.prepare()); // no arrays yet: nothing at all happens
    EXPECT_EQ(p.m_uControlCount, 0u);
    EXPECT_STREQ(p.m_pEffectName, "Name Not Set.");
    EXPECT_STREQ(p.m_JoystickX.name, "MIDI JS X");
    EXPECT_EQ(p.m_JoystickY.midiController, 17u);
    EXPECT_EQ(p.editorMessage(nullptr), 0u);
    EditorMessage m;
    for (uint32_t code : {0u, 2u, 9u, 13u, 77u})
    {
        m.code = code;
        EXPECT_EQ(p.editorMessage(&m), 0u);
    }
    LinkedUpdate* updates = nullptr;
    EXPECT_FALSE(p.collectLinkedUpdates(0, 0.0f, &updates, true));
    EXPECT_EQ(updates, nullptr);
    EXPECT_TRUE(p.freeLinkedUpdates(new LinkedUpdate{1, 0.5f, new LinkedUpdate{}}));
    EXPECT_EQ(p.getControlValue(0), 0.0f);
}
