// The room effect's host parameters: order, ids, titles, units, flags, steps, defaults, texts.
#include "PluginTestSupport.h"

#include <cmath>
#include <limits>

namespace vevadur::test
{
namespace
{
struct ExpectedParameter
{
    ParamID id;
    const char* title;
    const char* units;
    int32 flags;
    int32 stepCount;
    double defaultValue;
    const char* defaultText;
    UnitID unit;
};

constexpr int32 kAutomate = ParameterInfo::kCanAutomate;
constexpr int32 kList = ParameterInfo::kCanAutomate | ParameterInfo::kIsList;

const ExpectedParameter kExpected[] = {
    {0, "Gain", "", kAutomate, 0, 0.5, "0.50", 0},
    {1, "Position", "", kList, 10, 0.0, "Center", 0},
    {2, "Vol L-R", "", kAutomate, 0, 1.0, "1.00", 0},
    {3, "Abs L-R", "", kAutomate, 0, 0.5, "7.00", 0},
    {4, "Vol F-B", "", kAutomate, 0, 1.0, "1.00", 0},
    {5, "Abs F-B", "", kAutomate, 0, 0.5, "7.00", 0},
    {6, "Vol C-F", "", kAutomate, 0, 1.0, "1.00", 0},
    {7, "Abs C-F", "", kAutomate, 0, 0.5, "7.00", 0},
    {8, "Decay Type", "", kAutomate, 0, 1.0, "1", 0},
    {9, "Stereo/Mono", "", kList, 1, 0.0, "Stereo", 0},
    {10, "Left/Right", "", kList, 1, 0.0, "Left", 0},
    {11, "Speed", "Hz", kAutomate, 0, 0.0, "0.00", 0},
    {12, "Reverse", "", kList, 1, 0.0, "OFF", 0},
    {32773, "VectorJoystick X", "", kAutomate, 0, 0.5, "0.50", 0},
    {32774, "VectorJoystick Y", "", kAutomate, 0, 0.5, "0.50", 0},
    {32768, "B1", "", kAutomate, 0, 0.0, "0", 0},
    {32769, "B2", "", kAutomate, 0, 0.0, "0", 0},
    {32770, "B3", "", kAutomate, 0, 0.0, "0", 0},
    {2056, "Bypass", "", kAutomate | ParameterInfo::kIsBypass, 0, 0.0, "0.0000", 0},
    {2048, "PitchBend", "", kAutomate, 0, 0.0, "0.0", 0},
    {2050, "MIDI Vol", "", kAutomate, 0, 0.0, "0.0", 0},
    {2051, "MIDI Pan", "", kAutomate, 0, 0.0, "0.0", 0},
    {2049, "MIDI Mod Wheel", "", kAutomate, 0, 0.0, "0.0", 0},
    {2052, "MIDI Expression", "", kAutomate, 0, 0.0, "0.0", 0},
    {2054, "MIDI Channel Pressure", "", kAutomate, 0, 0.0, "0.0", 0},
    {2053, "MIDI Sustain Pedal", "", kAutomate, 0, 0.0, "0.0", 0},
    {2055, "All Notes Off", "", kAutomate, 0, 0.0, "0.0", 0},
    // The program change sits in the presets unit (id 1) under the root.
    {kFactoryPresets, "Factory Presets", "",
     ParameterInfo::kIsProgramChange | ParameterInfo::kIsList, 0, 0.0, "Factory Preset", 1},
};
} // namespace

TEST(ParameterList, TwentyEightParametersInRegistrationOrder)
{
    auto instance = roomInstance();
    const std::vector<ParameterInfo> parameters = instance->parameters();
    ASSERT_EQ(parameters.size(), std::size(kExpected));
    for (size_t i = 0; i < parameters.size(); ++i)
    {
        const ParameterInfo& info = parameters[i];
        const ExpectedParameter& expected = kExpected[i];
        SCOPED_TRACE(expected.title);
        EXPECT_EQ(info.id, expected.id);
        EXPECT_EQ(utf8(info.title), expected.title);
        EXPECT_EQ(utf8(info.units), expected.units);
        EXPECT_EQ(info.flags, expected.flags);
        EXPECT_EQ(info.stepCount, expected.stepCount);
        EXPECT_DOUBLE_EQ(info.defaultNormalizedValue, expected.defaultValue);
        EXPECT_EQ(info.unitId, expected.unit);
        EXPECT_DOUBLE_EQ(instance->controller().getParamNormalized(info.id), expected.defaultValue);
        EXPECT_EQ(instance->valueText(info.id, info.defaultNormalizedValue), expected.defaultText);
    }
}

TEST(ParameterList, ListParametersShowTheirItems)
{
    auto instance = roomInstance();
    const char* positions[] = {"Center", "L22", "L32", "L45", "L64", "L90",
                               "R22",    "R32", "R45", "R64", "R90"};
    for (int k = 0; k < 11; ++k)
        EXPECT_EQ(instance->valueText(1, k / 10.0), positions[k]);
    EXPECT_EQ(instance->valueText(9, 1.0), "Mono");
    EXPECT_EQ(instance->valueText(10, 1.0), "Right");
    EXPECT_EQ(instance->valueText(12, 1.0), "ON");

    // A host turning a shown text back into a value.
    String128 text{};
    UString(text, 128).fromAscii("L45");
    ParamValue value = -1.0;
    ASSERT_EQ(instance->controller().getParamValueByString(1, text, value), kResultOk);
    EXPECT_DOUBLE_EQ(value, 0.3);
}

TEST(ParameterList, PlainValuesFollowEachControlsRange)
{
    auto instance = roomInstance();
    IEditController& controller = instance->controller();
    EXPECT_DOUBLE_EQ(controller.normalizedParamToPlain(3, 0.25), 3.5);
    EXPECT_DOUBLE_EQ(controller.plainParamToNormalized(11, 2.0), 0.25);
    EXPECT_DOUBLE_EQ(controller.normalizedParamToPlain(1, 0.3), 3.0);
    EXPECT_EQ(instance->valueText(11, 0.25), "2.00");
}

TEST(ParameterList, BadIndexesAndValuesAreRefusedSafely)
{
    auto instance = roomInstance();
    IEditController& controller = instance->controller();
    ParameterInfo info{};
    EXPECT_NE(controller.getParameterInfo(-1, info), kResultOk);
    EXPECT_NE(controller.getParameterInfo(28, info), kResultOk);
    // Values outside 0..1 show the nearest item instead of reading past the list.
    EXPECT_EQ(instance->valueText(1, -3.0), "Center");
    EXPECT_EQ(instance->valueText(1, 7.0), "R90");
    EXPECT_EQ(instance->valueText(1, std::numeric_limits<double>::quiet_NaN()), "Center");

    EXPECT_NE(controller.setParamNormalized(0, std::numeric_limits<double>::quiet_NaN()),
              kResultOk);
    EXPECT_DOUBLE_EQ(controller.getParamNormalized(0), 0.5);
    EXPECT_EQ(controller.setParamNormalized(0, 4.0), kResultOk);
    EXPECT_DOUBLE_EQ(controller.getParamNormalized(0), 1.0);
    EXPECT_NE(controller.setParamNormalized(12345, 0.5), kResultOk);
}

} // namespace vevadur::test
