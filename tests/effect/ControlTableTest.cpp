#include "effect/CVevadur.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace
{
struct Row
{
    const char* name;
    const char* units;
    const char* variableName;
    int32_t valueType;
    float minValue;
    float maxValue;
    float initial;
    const char* enumList;
};

const char* const kPlaceholder = "SEL1,SEL2,SEL3";

const Row kTable[] = {
    {"Gain", "", "m_fGain", 1, 0, 1, 0.5f, kPlaceholder},
    {"Position", "", "m_uPosition", 3, 0, 10, 0, "Center,L22,L32,L45,L64,L90,R22,R32,R45,R64,R90"},
    {"Vol L-R", "", "m_fVolLR", 1, 0, 1, 1, kPlaceholder},
    {"Abs L-R", "", "m_fAbsLR", 1, 0, 14, 7, kPlaceholder},
    {"Vol F-B", "", "m_fVolFB", 1, 0, 1, 1, kPlaceholder},
    {"Abs F-B", "", "m_fAbsFB", 1, 0, 14, 7, kPlaceholder},
    {"Vol C-F", "", "m_fVolCF", 1, 0, 1, 1, kPlaceholder},
    {"Abs C-F", "", "m_fAbsCF", 1, 0, 14, 7, kPlaceholder},
    {"Decay Type", "", "m_nCurveType", 0, 0, 1, 1, kPlaceholder},
    {"Stereo/Mono", "", "m_fStereoMono", 3, 0, 1, 0, "Stereo,Mono"},
    {"Left/Right", "", "m_fLeftRight", 3, 0, 1, 0, "Left,Right"},
    {"Speed", "Hz", "m_fSpeed", 1, 0, 8, 0, kPlaceholder},
    {"Reverse", "", "m_uReverse", 3, 0, 1, 0, "OFF,ON"},
};

std::vector<std::string> split(const std::string& list)
{
    std::vector<std::string> items;
    std::stringstream stream(list);
    for (std::string item; std::getline(stream, item, ',');)
        items.push_back(item);
    return items;
}

float initSlot(const ControlRecord& r)
{
    switch (r.valueType)
    {
    case 0:
        return r.initInt;
    case 1:
        return r.initFloat;
    case 3:
        return r.initUint;
    default:
        return r.initDouble;
    }
}

// Changes seen by the effect, to check notifications without its processing.
class ObservedVevadur : public CVevadur
{
  public:
    bool controlChanged(uint32_t id) override
    {
        changes.push_back(id);
        return CVevadur::controlChanged(id);
    }
    std::vector<uint32_t> changes;
};
} // namespace

TEST(RoomControls, ThirteenRecordsExactlyAsTabled)
{
    CVevadur effect;
    ASSERT_EQ(effect.m_uControlCount, 13u);
    ASSERT_EQ(effect.m_Controls.count(), 13u);
    for (uint32_t i = 0; i < 13; ++i)
    {
        SCOPED_TRACE(kTable[i].name);
        const ControlRecord& r = *effect.m_ppControls[i];
        EXPECT_EQ(r.id, i);
        EXPECT_EQ(r.outputIndex, static_cast<int32_t>(i));
        EXPECT_EQ(r.type, 100u);
        EXPECT_STREQ(r.name, kTable[i].name);
        EXPECT_STREQ(r.units, kTable[i].units);
        EXPECT_STREQ(r.variableName, kTable[i].variableName);
        EXPECT_STREQ(r.enumList, kTable[i].enumList);
        EXPECT_STREQ(r.extraText, "");
        EXPECT_EQ(r.valueType, kTable[i].valueType);
        EXPECT_EQ(r.minValue, kTable[i].minValue);
        EXPECT_EQ(r.maxValue, kTable[i].maxValue);
        EXPECT_EQ(effect.getControlValue(i), kTable[i].initial);
        EXPECT_EQ(initSlot(r), kTable[i].initial);
        EXPECT_EQ(r.presetValue[0], kTable[i].initial);
        for (int p = 1; p < 16; ++p)
            EXPECT_EQ(r.presetValue[p], 0.0);
        EXPECT_FALSE(r.smooth);
        EXPECT_EQ(r.smoothMs, 100.0f);
        EXPECT_EQ(r.precision, 2);
        EXPECT_FALSE(r.logScale);
        EXPECT_FALSE(r.voltOctave);
        EXPECT_FALSE(r.midiEnabled);
        EXPECT_EQ(r.midiStatus, 176u);
        EXPECT_EQ(r.midiController, 3u);
        // Only the pointer of the control's own value type is set.
        const int pointers = (r.intVariable != nullptr) + (r.floatVariable != nullptr) +
                             (r.doubleVariable != nullptr) + (r.uintVariable != nullptr) +
                             (r.meterVariable != nullptr);
        EXPECT_EQ(pointers, 1);
        if (r.valueType == 3)
        {
            EXPECT_EQ(split(r.enumList).size(), static_cast<size_t>(r.maxValue - r.minValue + 1));
        }
    }
}

TEST(RoomControls, BuildingAgainChangesNothing)
{
    CVevadur effect;
    effect.m_fGain = 0.9f;
    EXPECT_TRUE(effect.buildControls());
    EXPECT_EQ(effect.m_Controls.count(), 13u);
    EXPECT_EQ(effect.m_fGain, 0.9f);
}

TEST(RoomControls, FrameworkSettingsAndJoystickRecords)
{
    CVevadur effect;
    EXPECT_STREQ(effect.m_pEffectName, "VevadurROT");
    EXPECT_TRUE(effect.m_bEditorMessages);
    EXPECT_FALSE(effect.m_bInstrument);
    EXPECT_FALSE(effect.m_bAllMidi);
    EXPECT_FALSE(effect.m_bChannelBuffers);
    EXPECT_EQ(effect.m_nKnobMode, 2);
    EXPECT_EQ(effect.m_fTailMs, 500.0f);
    EXPECT_EQ(effect.m_fLatencySamples, 0.0f);
    EXPECT_EQ(effect.m_nSidechain, 0);
    EXPECT_EQ(effect.m_nAutomationQueues, 0);
    EXPECT_STREQ(effect.m_pPresetName[0], "Factory Preset");
    for (int p = 1; p < 16; ++p)
        EXPECT_STREQ(effect.m_pPresetName[p], "");
    EXPECT_STREQ(effect.m_pButtonLabel[0], "B1");
    EXPECT_STREQ(effect.m_pButtonLabel[2], "B3");

    const ControlRecord& x = effect.m_JoystickX;
    const ControlRecord& y = effect.m_JoystickY;
    EXPECT_STREQ(x.name, "MIDI JS X");
    EXPECT_STREQ(y.name, "MIDI JS Y");
    EXPECT_EQ(x.id, 32773u);
    EXPECT_EQ(y.id, 32774u);
    EXPECT_EQ(x.valueType, 1);
    EXPECT_EQ(y.valueType, 4);
    EXPECT_EQ(x.midiController, 16u);
    EXPECT_EQ(y.midiController, 17u);
    EXPECT_TRUE(x.joyRotate);
    EXPECT_TRUE(y.joyRotate);
    EXPECT_EQ(x.outputIndex, 13);
    EXPECT_EQ(y.outputIndex, 14);
    EXPECT_EQ(effect.m_ppControls[13], nullptr);
    EXPECT_EQ(effect.m_pValueSlots[12].controlId, 12u);
}

TEST(RoomControls, NormalizedWritesRoundEnumeratedAndIntegerControls)
{
    ObservedVevadur effect;
    effect.setNormalizedValue(CVevadur::kPosition, 0.04f, false);
    EXPECT_EQ(effect.m_uPosition, 0u);
    EXPECT_TRUE(effect.changes.empty());
    effect.setNormalizedValue(CVevadur::kPosition, 1.0f, false);
    EXPECT_EQ(effect.m_uPosition, 10u);
    effect.setNormalizedValue(CVevadur::kDecayType, 0.5f, false);
    EXPECT_EQ(effect.m_nCurveType, 1);
    EXPECT_EQ(effect.changes, (std::vector<uint32_t>{CVevadur::kPosition, CVevadur::kDecayType}));
}
