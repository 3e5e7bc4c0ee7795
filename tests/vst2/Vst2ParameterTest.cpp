// Parameters, programs, MIDI controllers and state chunks as a VST2 host sees them, checked
// against the same class's VST3 parameters.
#include "Vst2TestHost.h"
#include "Vst3Reference.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vst2test;
using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace Steinberg::Vst::Vst2Abi;

namespace
{
class Vst2Parameters : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(module.loaded());
        ASSERT_NE(effect.get(), nullptr);
        ASSERT_TRUE(reference.ok());
        for (const ParameterInfo& info : reference.parameters())
            if (!(info.flags & ParameterInfo::kIsProgramChange)) visible.push_back(info);
        ASSERT_EQ(static_cast<int32_t>(visible.size()), effect->num_params);
    }

    // A value on the parameter's own grid, so that stepped values survive a round trip.
    static float valueFor(const ParameterInfo& info, int k)
    {
        if (info.stepCount > 0)
            return static_cast<float>((k % (info.stepCount + 1))) / info.stepCount;
        return static_cast<float>(((k * 37) % 100) / 100.0);
    }

    int32_t hostIndexOf(ParamID id) const
    {
        for (size_t i = 0; i < visible.size(); ++i)
            if (visible[i].id == id) return static_cast<int32_t>(i);
        return -1;
    }

    Vst2Module module{pluginPath()};
    Vst2Effect effect{module};
    IPtr<IPluginFactory> factory = owned(module.factory());
    Vst3Reference reference{factory};
    std::vector<ParameterInfo> visible;
};
} // namespace

TEST_F(Vst2Parameters, NamesUnitsAndTextsAreTheVst3Ones)
{
    for (int32_t i = 0; i < effect->num_params; ++i)
    {
        const ParameterInfo& info = visible[static_cast<size_t>(i)];
        SCOPED_TRACE(utf8(info.title));
        EXPECT_EQ(effect.text(kGetParamName, i), utf8(info.title));
        EXPECT_EQ(effect.text(kGetParamLabel, i), utf8(info.units));
        EXPECT_EQ(effect.dispatch(kCanBeAutomated, i),
                  (info.flags & ParameterInfo::kCanAutomate) ? 1 : 0);

        EXPECT_FLOAT_EQ(effect->get_parameter(effect.get(), i),
                        static_cast<float>(info.defaultNormalizedValue));
        for (int k = 0; k < 3; ++k)
        {
            const float v = valueFor(info, i + k);
            effect->set_parameter(effect.get(), i, v);
            EXPECT_EQ(effect->get_parameter(effect.get(), i), v);
            EXPECT_EQ(effect.text(kGetParamDisplay, i), reference.valueText(info.id, v));
        }

        ParameterProperties properties{};
        EXPECT_EQ(effect.dispatch(kGetParameterProperties, i, 0, &properties), 1);
        EXPECT_EQ(std::string(properties.label), utf8(info.title));
        EXPECT_EQ((properties.flags & kParamIsSwitch) != 0, info.stepCount == 1);
    }
}

TEST_F(Vst2Parameters, TextsTurnIntoValues)
{
    const int32_t position = hostIndexOf(1); // "Position", a list of eleven places
    ASSERT_GE(position, 0);
    EXPECT_EQ(effect.dispatch(kStringToParameter, position, 0, const_cast<char*>("R45")), 1);
    EXPECT_EQ(effect.text(kGetParamDisplay, position), "R45");
    EXPECT_EQ(effect.dispatch(kStringToParameter, position, 0, nullptr), 0);
}

TEST_F(Vst2Parameters, ProgramsAreTheFactoryPresets)
{
    EXPECT_EQ(effect.dispatch(kGetProgram), 0);
    EXPECT_EQ(effect.text(kGetProgramName), "Factory Preset");
    EXPECT_EQ(effect.text(kGetProgramNameIndexed, 0), "Factory Preset");
    EXPECT_EQ(effect.text(kGetProgramNameIndexed, 1), "");

    // Move "Gain" away from its preset value; choosing the program brings it back.
    const int32_t gain = hostIndexOf(0);
    ASSERT_GE(gain, 0);
    const float preset = effect->get_parameter(effect.get(), gain);
    effect->set_parameter(effect.get(), gain, 0.9f);
    const int updatesBefore = effect.log().count(kHostUpdateDisplay);
    EXPECT_EQ(effect.dispatch(kSetProgram, 0, 0), 1);
    EXPECT_FLOAT_EQ(effect->get_parameter(effect.get(), gain), preset);
    EXPECT_GT(effect.log().count(kHostUpdateDisplay), updatesBefore);
}

TEST_F(Vst2Parameters, ChunkRoundTripRestoresEveryStoredValue)
{
    // Values set while suspended must already be in the chunk. "Decay Type" holds whole
    // numbers and the bypass is on or off, so they get values the state keeps exactly.
    for (int32_t i = 0; i < effect->num_params; ++i)
    {
        const ParameterInfo& info = visible[static_cast<size_t>(i)];
        const bool wholeNumbers = info.id == 8 || info.id == 0x808;
        effect->set_parameter(effect.get(), i, wholeNumbers ? 1.0f : valueFor(info, i + 1));
    }
    const std::vector<char> saved = effect.chunk();
    ASSERT_EQ(saved.size(), 70u); // version, 13 controls, bypass, joystick X and Y
    EXPECT_EQ(saved[0], 1);

    Vst2Effect restored(module);
    ASSERT_NE(restored.get(), nullptr);
    ASSERT_TRUE(restored.setChunk(saved));
    EXPECT_EQ(restored.chunk(), saved);
    EXPECT_GT(restored.log().count(kHostUpdateDisplay), 0);

    // Every parameter the state carries reads back as set: the 13 controls, bypass and the
    // joystick position.
    for (ParamID id :
         {0u, 1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u, 9u, 10u, 11u, 12u, 0x808u, 0x8005u, 0x8006u})
    {
        const int32_t i = hostIndexOf(id);
        ASSERT_GE(i, 0) << id;
        EXPECT_NEAR(restored->get_parameter(restored.get(), i),
                    effect->get_parameter(effect.get(), i), 1e-6)
            << utf8(visible[static_cast<size_t>(i)].title);
    }

    // A chunk that is cut short is refused, and a resumed effect takes a chunk too.
    restored.start(48000.0f, 256);
    const std::vector<char> cut(saved.begin(), saved.begin() + 20);
    EXPECT_FALSE(restored.setChunk(cut));
    EXPECT_TRUE(restored.setChunk(saved));
    EXPECT_EQ(restored.chunk(), saved);
}

TEST_F(Vst2Parameters, MidiControllersReachTheirMappedParameters)
{
    effect.start(48000.0f, 64);
    MidiEvent volume{kMidiEventType, sizeof(MidiEvent), 3, 0, 0, 0, {0xB0, 7, 100, 0}, 0, 0, 0, 0};
    MidiEvent pressure{kMidiEventType, sizeof(MidiEvent), 5, 0, 0, 0, {0xD2, 64, 0, 0}, 0, 0, 0, 0};
    Vst2Abi::Events list{
        2,
        0,
        {reinterpret_cast<Vst2Abi::Event*>(&volume), reinterpret_cast<Vst2Abi::Event*>(&pressure)}};
    EXPECT_EQ(effect.dispatch(kProcessEvents, 0, 0, &list), 1);

    std::vector<float> left(64, 0.0f), right(64, 0.0f);
    const float* in[] = {left.data(), right.data()};
    float* out[] = {left.data(), right.data()};
    effect.processReplacing(in, out, 64);

    EXPECT_NEAR(effect->get_parameter(effect.get(), hostIndexOf(0x802)), 100.0 / 127.0, 1e-6);
    EXPECT_NEAR(effect->get_parameter(effect.get(), hostIndexOf(0x806)), 64.0 / 127.0, 1e-6);
}

TEST_F(Vst2Parameters, BypassOpcodeDrivesTheBypassParameter)
{
    const int32_t bypass = hostIndexOf(0x808);
    ASSERT_GE(bypass, 0);
    EXPECT_EQ(effect.dispatch(kSetBypass, 0, 1), 1);
    EXPECT_EQ(effect->get_parameter(effect.get(), bypass), 1.0f);
    EXPECT_EQ(effect.dispatch(kSetBypass, 0, 0), 1);
    EXPECT_EQ(effect->get_parameter(effect.get(), bypass), 0.0f);
}
