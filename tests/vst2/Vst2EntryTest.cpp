// The module's VST2 entry and the effect record a host sees first.
#include "Vst2TestHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vst2test;
using namespace Steinberg::Vst::Vst2Abi;

namespace
{
constexpr int32_t kExpectedId = ('V' << 24) | ('v' << 16) | ('R' << 8) | 'T';

class Vst2Entry : public ::testing::Test
{
  protected:
    Vst2Module module{pluginPath()};
};
} // namespace

TEST_F(Vst2Entry, ExportsBothEntryNames)
{
    ASSERT_TRUE(module.loaded());
    EXPECT_NE(module.entry("VSTPluginMain"), nullptr);
    EXPECT_NE(module.entry("main"), nullptr);
}

TEST_F(Vst2Entry, HostVersionZeroCreatesNothing)
{
    auto main = module.entry("VSTPluginMain");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main(&hostVersionZero), nullptr);
    EXPECT_EQ(main(nullptr), nullptr);
}

TEST_F(Vst2Entry, EffectRecordDescribesAStereoRoomEffect)
{
    for (const char* entry : {"VSTPluginMain", "main"})
    {
        SCOPED_TRACE(entry);
        Vst2Effect effect(module, entry);
        ASSERT_NE(effect.get(), nullptr);
        EXPECT_EQ(effect->magic_number, kMagic);
        EXPECT_EQ(effect->num_inputs, 2);
        EXPECT_EQ(effect->num_outputs, 2);
        EXPECT_EQ(effect->unique_id, kExpectedId);
        EXPECT_EQ(effect->flags & kFlagCanReplacing, kFlagCanReplacing);
        EXPECT_EQ(effect->flags & kFlagProgramChunks, kFlagProgramChunks);
        EXPECT_EQ(effect->flags & kFlagHasEditor, kFlagHasEditor);
        EXPECT_EQ(effect->flags & kFlagIsSynth, 0);
        EXPECT_NE(effect->process_float, nullptr);
        EXPECT_NE(effect->process, nullptr);
        EXPECT_EQ(effect->process_double, nullptr);
        EXPECT_EQ(effect->delay, 0);
        EXPECT_EQ(effect->version, 10); // "0.0.1.0"
        // 13 controls, joystick X/Y, three buttons, bypass, eight MIDI controllers; the
        // program change is reached through the program opcodes instead.
        EXPECT_EQ(effect->num_params, 27);
        EXPECT_EQ(effect->num_programs, 1);
    }
}

TEST_F(Vst2Entry, AnswersNamesVersionsAndCategory)
{
    Vst2Effect effect(module);
    ASSERT_NE(effect.get(), nullptr);
    EXPECT_EQ(effect.text(kGetEffectName), "VevadurROT");
    EXPECT_EQ(effect.text(kGetProductString), "VevadurROT");
    EXPECT_EQ(effect.text(kGetVendorString), "Rovazuro");
    EXPECT_EQ(effect.dispatch(kGetVendorVersion), 10);
    EXPECT_EQ(effect.dispatch(kGetVstVersion), 2400);
    EXPECT_EQ(effect.dispatch(kGetPlugCategory), kCategoryRoomFx);
    EXPECT_EQ(effect.dispatch(kIdentify), kIdentifyAnswer);
    EXPECT_EQ(effect.dispatch(kGetNumMidiInputChannels), 16);
}

TEST_F(Vst2Entry, CanDoAnswers)
{
    Vst2Effect effect(module);
    ASSERT_NE(effect.get(), nullptr);
    const auto canDo = [&](const char* what)
    { return effect.dispatch(kCanDo, 0, 0, const_cast<char*>(what)); };
    EXPECT_EQ(canDo("receiveVstEvents"), 1);
    EXPECT_EQ(canDo("receiveVstMidiEvent"), 1);
    EXPECT_EQ(canDo("receiveVstTimeInfo"), 1);
    EXPECT_EQ(canDo("bypass"), 1);
    EXPECT_EQ(canDo("sendVstMidiEvent"), -1);
    EXPECT_EQ(canDo("somethingElse"), 0);
    EXPECT_EQ(effect.dispatch(kCanDo), 0); // no text at all
}

TEST_F(Vst2Entry, TailIsHalfASecondAtTheHostRate)
{
    Vst2Effect effect(module);
    ASSERT_NE(effect.get(), nullptr);
    effect.start(48000.0f, 512);
    EXPECT_EQ(effect.dispatch(kGetTailSize), 24000);
}

TEST_F(Vst2Entry, PinsAreOneStereoPairEachWay)
{
    Vst2Effect effect(module);
    ASSERT_NE(effect.get(), nullptr);
    PinProperties pin{};
    EXPECT_EQ(effect.dispatch(kGetInputProperties, 1, 0, &pin), 1);
    EXPECT_EQ(pin.flags & kPinIsStereo, kPinIsStereo);
    EXPECT_EQ(effect.dispatch(kGetOutputProperties, 0, 0, &pin), 1);
    EXPECT_EQ(effect.dispatch(kGetOutputProperties, 2, 0, &pin), 0);
    EXPECT_EQ(effect.dispatch(kGetInputProperties, -1, 0, &pin), 0);
}

TEST_F(Vst2Entry, BadRequestsGetSafeAnswers)
{
    Vst2Effect effect(module);
    ASSERT_NE(effect.get(), nullptr);
    EXPECT_EQ(effect.dispatch(9999), 0);
    EXPECT_EQ(effect.dispatch(kGetParamName, 27, 0, nullptr), 0);
    EXPECT_EQ(effect.text(kGetParamName, -1), "");
    EXPECT_EQ(effect->get_parameter(effect.get(), 1000), 0.0f);
    effect->set_parameter(effect.get(), 1000, 0.5f); // ignored
    effect->set_parameter(effect.get(), 0, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(effect->get_parameter(effect.get(), 0), 0.0f);
    effect->set_parameter(effect.get(), 0, 7.0f);
    EXPECT_EQ(effect->get_parameter(effect.get(), 0), 1.0f);
    EXPECT_EQ(effect.dispatch(kSetChunk, 0, 0, nullptr), 0);
    EXPECT_EQ(effect.dispatch(kSetProgram, 0, 5), 0);
    EXPECT_EQ(effect.dispatch(kSetProcessPrecision, 0, 1), 0); // 64-bit: not offered

    // Processing before resume gives silence, not garbage.
    float left[64], right[64];
    std::fill(left, left + 64, 1.0f);
    std::fill(right, right + 64, 1.0f);
    const float* in[] = {left, right};
    float* out[] = {left, right};
    effect.processReplacing(in, out, 64);
    EXPECT_EQ(left[10], 0.0f);
    EXPECT_EQ(right[63], 0.0f);
}
