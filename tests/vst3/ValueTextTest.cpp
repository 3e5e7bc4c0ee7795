// The non-linear parameters as a host shows and sends them, and what the effect receives.
#include "PluginTestSupport.h"

#include <cmath>

namespace vevadur::test
{
namespace
{
// Sends one host value and reads the control's plain value back from the state.
float effectValueAfter(PluginInstance& instance, ParamID id, double normalized, size_t offset)
{
    ProcessBlock block(instance);
    block.addParameterChange(id, 0, normalized);
    block.flush();
    return stateValue<float>(instance.saveState(), offset);
}

constexpr size_t kCutoffOffset = 28; // after version, Level, Steps, Switch, Fine (8 bytes)
constexpr size_t kDriveOffset = 32;
} // namespace

TEST(ValueText, LogarithmicControl)
{
    auto instance = probeInstance();
    EXPECT_EQ(instance->valueText(kDrive, 1.0), "10.00");
    EXPECT_EQ(instance->valueText(kDrive, std::pow(10.0, -1.2)), "5.00");
    EXPECT_EQ(instance->valueText(kDrive, 0.0), "0.00");
    // The default (plain 1) sits at 10^(2.4 x (0.1 - 1)).
    EXPECT_NEAR(instance->controller().getParamNormalized(kDrive), std::pow(10.0, -2.16), 1e-6);
    String128 text{};
    UString(text, 128).fromAscii("5");
    ParamValue value = 0;
    ASSERT_EQ(instance->controller().getParamValueByString(kDrive, text, value), kResultOk);
    EXPECT_NEAR(value, std::pow(10.0, -1.2), 1e-6);

    // The effect receives the linear position log10(9v + 1) of the host value.
    activate(*instance);
    EXPECT_FLOAT_EQ(effectValueAfter(*instance, kDrive, 1.0 / 9.0, kDriveOffset),
                    10.0f * std::log10(2.0f));
}

TEST(ValueText, VoltOctaveControl)
{
    auto instance = probeInstance();
    EXPECT_EQ(instance->valueText(kCutoff, 0.0), "20.0");
    const double middle = std::stod(instance->valueText(kCutoff, 0.5));
    EXPECT_NEAR(middle, 20.0 * std::sqrt(1000.0), 632.0 * 0.002);
    EXPECT_NEAR(std::stod(instance->valueText(kCutoff, 1.0)), 20000.0, 20.0);

    activate(*instance);
    EXPECT_NEAR(effectValueAfter(*instance, kCutoff, 0.5, kCutoffOffset), 632.46, 632.0 * 0.002);
    EXPECT_NEAR(effectValueAfter(*instance, kCutoff, 0.0, kCutoffOffset), 20.0, 0.05);
}

TEST(ValueText, MetersShowDecibels)
{
    auto instance = probeInstance();
    EXPECT_EQ(instance->valueText(kCalls, 1.0), "0.000");
    EXPECT_EQ(instance->valueText(kCalls, 0.1), "-20.000");
    EXPECT_EQ(instance->valueText(kCalls, 0.5), "-6.021");
    EXPECT_EQ(instance->valueText(kCalls, 0.0001), "-\u221E");
    EXPECT_DOUBLE_EQ(instance->controller().getParamNormalized(kCalls), 0.0);
    String128 text{};
    UString(text, 128).fromAscii("-6");
    ParamValue value = 0;
    EXPECT_NE(instance->controller().getParamValueByString(kCalls, text, value), kResultOk);
}

TEST(ValueText, MeterAndHiddenControlsRegistration)
{
    auto instance = probeInstance();
    const auto meterInfo = instance->findParameter("Calls");
    ASSERT_TRUE(meterInfo);
    EXPECT_EQ(meterInfo->flags, ParameterInfo::kIsReadOnly);
    EXPECT_DOUBLE_EQ(meterInfo->defaultNormalizedValue, 0.5);
    EXPECT_FALSE(instance->findParameter("Hidden")) << "control type 101 is not published";
    EXPECT_EQ(instance->valueText(kSteps, 0.75), "3");
    EXPECT_EQ(instance->valueText(kFine, 0.625), "0.250");
    EXPECT_EQ(instance->valueText(kSwitch, 0.0), "OFF");
    EXPECT_EQ(instance->valueText(kSwitch, 1.0), "ON");
    EXPECT_EQ(instance->findParameter("Cutoff")->stepCount, 0);
    EXPECT_EQ(PluginInstance::toUtf8(instance->findParameter("Cutoff")->units), "Hz");
}

} // namespace vevadur::test
