// The factory presets as the build makes them: the data file's values in the files, exactly,
// as the plug-in reads them; a sound within the loudness band of the default settings; and a
// bank whose presets differ and cover the room's range.
#include "host/PluginInstance.h"
#include "host/PluginModule.h"
#include "host/ProcessBlock.h"
#include "tools/presetgen/FactoryPresets.h"

#include "../vst2/Vst2TestHost.h"
#include "../vst3/RoomStateStream.h"

#include "pluginterfaces/vst/vstspeaker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;
using vevadur::presets::FactoryPreset;
using vevadur::test::Bytes;
using vevadur::test::RoomState;
namespace fs = std::filesystem;

namespace
{
const fs::path kPresets = VEVADUR_PRESETS_DIR;
// Laid out as in a user's preset folder, named by the factory's vendor and the class.
const fs::path kVst3Presets = kPresets / "VST3" / "Rovazuro" / "VevadurROT";

std::vector<FactoryPreset> factoryPresets()
{
    std::vector<FactoryPreset> presets;
    std::string error;
    EXPECT_TRUE(vevadur::presets::readFactoryPresets(VEVADUR_PRESETS_DATA, presets, error)) << error;
    return presets;
}

std::string valueOf(const FactoryPreset& preset, const std::string& title)
{
    for (const auto& [key, value] : preset.values)
        if (key == title) return value;
    ADD_FAILURE() << preset.name << " does not set " << title;
    return "0";
}

// Index of a listed value, from the control's list as users read it.
uint32_t itemIndex(const std::vector<std::string>& items, const std::string& value)
{
    const auto it = std::find(items.begin(), items.end(), value);
    EXPECT_NE(it, items.end()) << value;
    return static_cast<uint32_t>(it - items.begin());
}

// The state the data file's values stand for, laid out independently of the plug-in.
RoomState expectedState(const FactoryPreset& p)
{
    const auto number = [&p](const char* title) { return std::stof(valueOf(p, title)); };
    RoomState s;
    s.gain = number("Gain");
    s.position = itemIndex({"Center", "L22", "L32", "L45", "L64", "L90", "R22", "R32", "R45",
                            "R64", "R90"},
                           valueOf(p, "Position"));
    s.volLR = number("Vol L-R");
    s.absLR = number("Abs L-R");
    s.volFB = number("Vol F-B");
    s.absFB = number("Abs F-B");
    s.volCF = number("Vol C-F");
    s.absCF = number("Abs C-F");
    s.decayType = static_cast<int32_t>(number("Decay Type"));
    s.stereoMono = itemIndex({"Stereo", "Mono"}, valueOf(p, "Stereo/Mono"));
    s.leftRight = itemIndex({"Left", "Right"}, valueOf(p, "Left/Right"));
    s.speed = number("Speed");
    s.reverse = itemIndex({"OFF", "ON"}, valueOf(p, "Reverse"));
    return s;
}

Bytes readFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

template <typename T> T readLittle(const Bytes& bytes, size_t at)
{
    T value{};
    if (at + sizeof(T) <= bytes.size()) std::memcpy(&value, bytes.data() + at, sizeof(T));
    return value;
}

// A .vstpreset read by the published layout: 'VST3', version, class id in ASCII, the chunk
// list's offset; the list names each chunk by id, offset and size.
struct ParsedPreset
{
    std::string classId;
    std::map<std::string, Bytes> chunks;
};

ParsedPreset parseVstPreset(const Bytes& file)
{
    ParsedPreset parsed;
    EXPECT_GE(file.size(), 48u);
    if (file.size() < 48) return parsed;
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "VST3");
    EXPECT_EQ(readLittle<int32_t>(file, 4), 1);
    parsed.classId.assign(file.begin() + 8, file.begin() + 40);
    const auto list = static_cast<size_t>(readLittle<int64_t>(file, 40));
    EXPECT_EQ(std::string(file.begin() + std::min(list, file.size()),
                          file.begin() + std::min(list + 4, file.size())),
              "List");
    const int32_t count = readLittle<int32_t>(file, list + 4);
    EXPECT_EQ(file.size(), list + 8 + static_cast<size_t>(count) * 20) << "nothing after the list";
    for (int32_t i = 0; i < count; ++i)
    {
        const size_t entry = list + 8 + static_cast<size_t>(i) * 20;
        const std::string id(file.begin() + entry, file.begin() + entry + 4);
        const auto offset = static_cast<size_t>(readLittle<int64_t>(file, entry + 4));
        const auto size = static_cast<size_t>(readLittle<int64_t>(file, entry + 12));
        EXPECT_LE(offset + size, list) << id << " lies inside the data area";
        if (offset + size <= list)
            parsed.chunks[id] = Bytes(file.begin() + offset, file.begin() + offset + size);
    }
    return parsed;
}

class FactoryPresetTest : public ::testing::Test
{
  protected:
    static void SetUpTestSuite()
    {
        std::string error;
        module = vevadur::host::PluginModule::load(VEVADUR_BUNDLE, error).release();
        ASSERT_NE(module, nullptr) << error;
    }
    static void TearDownTestSuite()
    {
        delete module;
        module = nullptr;
    }

    std::unique_ptr<vevadur::host::PluginInstance> newInstance()
    {
        std::string error;
        auto instance = vevadur::host::PluginInstance::create(*module, "", error);
        EXPECT_NE(instance, nullptr) << error;
        return instance;
    }

    static vevadur::host::PluginModule* module;
};
vevadur::host::PluginModule* FactoryPresetTest::module = nullptr;

TEST_F(FactoryPresetTest, EveryPresetFileHoldsExactlyItsValuesAndLoadsAsItIs)
{
    const std::vector<FactoryPreset> presets = factoryPresets();
    ASSERT_GE(presets.size(), 16u);
    size_t files = 0;
    for (const auto& entry : fs::directory_iterator(kVst3Presets))
        files += entry.path().extension() == ".vstpreset";
    EXPECT_EQ(files, presets.size()) << "one file per preset of the data file, no others";

    auto probe = newInstance();
    ASSERT_TRUE(probe);
    for (const FactoryPreset& preset : presets)
    {
        SCOPED_TRACE(preset.name);
        const ParsedPreset file = parseVstPreset(readFile(kVst3Presets / (preset.name + ".vstpreset")));
        EXPECT_EQ(file.classId, probe->classId());
        ASSERT_EQ(file.chunks.count("Comp"), 1u);
        const Bytes& state = file.chunks.at("Comp");
        EXPECT_EQ(state, expectedState(preset).bytes());
        ASSERT_EQ(file.chunks.count("Info"), 1u);
        const std::string info(file.chunks.at("Info").begin(), file.chunks.at("Info").end());
        EXPECT_NE(info.find("id=\"Name\" value=\"" + preset.name + "\""), std::string::npos) << info;

        auto instance = newInstance();
        ASSERT_TRUE(instance);
        EXPECT_EQ(instance->loadState(state), kResultOk);
        EXPECT_EQ(instance->saveState(), state);
        // The host's view: each control shows the data file's value.
        IEditController& controller = instance->controller();
        for (const auto& [title, value] : preset.values)
        {
            const auto info = instance->findParameter(title);
            ASSERT_TRUE(info) << title;
            const ParamValue normalized = controller.getParamNormalized(info->id);
            if (info->flags & ParameterInfo::kIsList)
                EXPECT_EQ(instance->valueText(info->id, normalized), value) << title;
            else
                EXPECT_NEAR(controller.normalizedParamToPlain(info->id, normalized),
                            std::stod(value), 1e-6) << title;
        }
    }
}

int32_t readBig(const Bytes& bytes, size_t at)
{
    uint32_t value = 0;
    for (size_t i = at; i < at + 4 && i < bytes.size(); ++i)
        value = value << 8 | bytes[i];
    return static_cast<int32_t>(value);
}

// The VST2 program files as a VST2 host reads them: a big-endian 'CcnK' header naming the
// plug-in by its VST2 id, version and parameter count, the program's name and, in the chunk
// form 'FPCh', the plug-in's own chunk, which the effect takes as a program chunk.
TEST(FactoryPresetVst2, EveryProgramFileCarriesThePresetsStateForThisPlugIn)
{
    vst2test::Vst2Module module(VEVADUR_VST2_PLUGIN);
    ASSERT_TRUE(module.loaded());
    vst2test::Vst2Effect effect(module);
    ASSERT_NE(effect.get(), nullptr);
    for (const FactoryPreset& preset : factoryPresets())
    {
        SCOPED_TRACE(preset.name);
        const Bytes file = readFile(kPresets / "VST2" / (preset.name + ".fxp"));
        ASSERT_GE(file.size(), 60u);
        EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "CcnK");
        EXPECT_EQ(readBig(file, 4), static_cast<int32_t>(file.size() - 8));
        EXPECT_EQ(std::string(file.begin() + 8, file.begin() + 12), "FPCh");
        EXPECT_EQ(readBig(file, 12), 1);
        EXPECT_EQ(readBig(file, 16), effect->unique_id);
        EXPECT_EQ(readBig(file, 20), effect->version);
        EXPECT_EQ(readBig(file, 24), effect->num_params);
        EXPECT_STREQ(reinterpret_cast<const char*>(&file[28]), preset.name.c_str());
        EXPECT_EQ(readBig(file, 56), static_cast<int32_t>(file.size() - 60));
        const Bytes chunk(file.begin() + 60, file.end());
        EXPECT_EQ(chunk, expectedState(preset).bytes());
        std::vector<char> program(chunk.begin(), chunk.end());
        EXPECT_EQ(effect.dispatch(Vst2Abi::kSetChunk, 1, static_cast<intptr_t>(program.size()),
                                  program.data()),
                  1);
        EXPECT_EQ(effect.chunk(), program);
    }
}

// Pink noise (Paul Kellett's filter over a fixed white-noise sequence), about -21 dB RMS.
std::vector<float> pinkNoise(size_t frames)
{
    std::vector<float> noise(frames);
    uint64_t seed = 0x9E3779B97F4A7C15ull;
    double b[7] = {};
    for (float& sample : noise)
    {
        seed ^= seed << 13;
        seed ^= seed >> 7;
        seed ^= seed << 17;
        const double white = static_cast<double>(seed >> 11) / 9007199254740992.0 * 2.0 - 1.0;
        b[0] = 0.99886 * b[0] + white * 0.0555179;
        b[1] = 0.99332 * b[1] + white * 0.0750759;
        b[2] = 0.96900 * b[2] + white * 0.1538520;
        b[3] = 0.86650 * b[3] + white * 0.3104856;
        b[4] = 0.55000 * b[4] + white * 0.5329522;
        b[5] = -0.7616 * b[5] - white * 0.0168980;
        const double pink = b[0] + b[1] + b[2] + b[3] + b[4] + b[5] + b[6] + white * 0.5362;
        b[6] = white * 0.115926;
        sample = static_cast<float>(pink * 0.05);
    }
    return noise;
}

struct Loudness
{
    double rmsDb = -400.0;
    bool finite = true;
};

// The noise (the same on both inputs) through an instance in 512-frame blocks at 48 kHz; the
// RMS of both output channels over the whole render.
Loudness renderLoudness(vevadur::host::PluginInstance& instance, const std::vector<float>& noise)
{
    constexpr int32 kBlock = 512;
    EXPECT_TRUE(instance.setBusArrangements(SpeakerArr::kStereo, SpeakerArr::kStereo));
    EXPECT_TRUE(instance.activate(48000.0, kBlock, true));
    vevadur::host::ProcessBlock block(instance);
    std::vector<float> left(kBlock), right(kBlock);
    float* outputs[2] = {left.data(), right.data()};
    Loudness loudness;
    double sum = 0.0;
    for (size_t at = 0; at + kBlock <= noise.size(); at += kBlock)
    {
        const float* inputs[2] = {&noise[at], &noise[at]};
        EXPECT_EQ(block.process(inputs, outputs, kBlock), kResultOk);
        for (int32 i = 0; i < kBlock; ++i)
        {
            loudness.finite = loudness.finite && std::isfinite(left[i]) && std::isfinite(right[i]);
            sum += double(left[i]) * left[i] + double(right[i]) * right[i];
        }
    }
    instance.deactivate();
    const double frames = static_cast<double>(noise.size() / kBlock * kBlock);
    loudness.rmsDb = 10.0 * std::log10(sum / (2.0 * frames) + 1e-40);
    return loudness;
}

TEST_F(FactoryPresetTest, EveryPresetSoundsFiniteAudibleAndAsLoudAsTheDefault)
{
    // Three seconds: twice the room's longest response, so most of the render is steady.
    const std::vector<float> noise = pinkNoise(3 * 48000);
    auto reference = newInstance();
    ASSERT_TRUE(reference);
    const Loudness defaults = renderLoudness(*reference, noise);
    ASSERT_TRUE(defaults.finite);
    ASSERT_GT(defaults.rmsDb, -60.0);
    for (const FactoryPreset& preset : factoryPresets())
    {
        SCOPED_TRACE(preset.name);
        auto instance = newInstance();
        ASSERT_TRUE(instance);
        ASSERT_EQ(instance->loadState(expectedState(preset).bytes()), kResultOk);
        const Loudness loudness = renderLoudness(*instance, noise);
        EXPECT_TRUE(loudness.finite);
        EXPECT_GT(loudness.rmsDb, -60.0) << "silent";
        EXPECT_NEAR(loudness.rmsDb, defaults.rmsDb, 3.0) << "outside the loudness band";
    }
}

// How far two presets are apart: the controls that differ meaningfully (a tenth of the range
// for a number, any change for a listed value). Gain only evens levels out and does not count.
int meaningfulDifferences(const RoomState& a, const RoomState& b)
{
    const auto apart = [](double x, double y, double range) { return std::fabs(x - y) >= 0.1 * range; };
    return int(a.position != b.position) + apart(a.volLR, b.volLR, 1) + apart(a.absLR, b.absLR, 14) +
           apart(a.volFB, b.volFB, 1) + apart(a.absFB, b.absFB, 14) + apart(a.volCF, b.volCF, 1) +
           apart(a.absCF, b.absCF, 14) + int(a.decayType != b.decayType) +
           int(a.stereoMono != b.stereoMono) + int(a.leftRight != b.leftRight) +
           apart(a.speed, b.speed, 0.8) + int(a.reverse != b.reverse);
}

TEST(FactoryPresetBank, NoTwoPresetsAreNearDuplicates)
{
    const std::vector<FactoryPreset> presets = factoryPresets();
    for (size_t i = 0; i < presets.size(); ++i)
        for (size_t j = i + 1; j < presets.size(); ++j)
            EXPECT_GE(meaningfulDifferences(expectedState(presets[i]), expectedState(presets[j])), 2)
                << presets[i].name << " and " << presets[j].name;
}

TEST(FactoryPresetBank, CoversTheRoomsRange)
{
    bool exponential = false, hyperbolic = false, hardLeft = false, hardRight = false;
    bool still = false, slowDrift = false, fast = false, fastReversed = false;
    int surfacePairsAlone = 0; // bit per pair heard on its own
    for (const FactoryPreset& preset : factoryPresets())
    {
        const RoomState s = expectedState(preset);
        exponential |= s.decayType == 0;
        hyperbolic |= s.decayType == 1;
        hardLeft |= s.position == 5;
        hardRight |= s.position == 10;
        still |= s.speed == 0.0f;
        slowDrift |= s.speed > 0.0f && s.speed <= 0.5f;
        fast |= s.speed >= 4.0f && s.reverse == 0;
        fastReversed |= s.speed >= 4.0f && s.reverse == 1;
        const bool lr = s.volLR > 0, fb = s.volFB > 0, cf = s.volCF > 0;
        if (lr + fb + cf == 1) surfacePairsAlone |= lr * 1 | fb * 2 | cf * 4;
    }
    EXPECT_TRUE(exponential && hyperbolic) << "both decay types";
    EXPECT_TRUE(hardLeft && hardRight) << "positions from hard left to hard right";
    EXPECT_TRUE(still && slowDrift && fast && fastReversed) << "still, drifting and fast both ways";
    EXPECT_EQ(surfacePairsAlone, 7) << "each surface pair on its own";
}

// The data file's mistakes stop the build with the line and what is wrong.
TEST(FactoryPresetData, MistakesAreReportedWithTheirLine)
{
    const fs::path path = fs::temp_directory_path() /
                          ("vevadur-presets-test-" + std::to_string(::getpid()) + ".ini");
    const auto problem = [&path](const std::string& text) {
        std::ofstream(path) << text;
        std::vector<FactoryPreset> presets;
        std::string error;
        const bool read = vevadur::presets::readFactoryPresets(path.string(), presets, error);
        EXPECT_FALSE(read) << text;
        return error;
    };
    const std::string good = "# comment\n[A]\nDescription = d\nGain = 0.5\n";
    {
        std::ofstream(path) << good;
        std::vector<FactoryPreset> presets;
        std::string error;
        ASSERT_TRUE(vevadur::presets::readFactoryPresets(path.string(), presets, error)) << error;
        ASSERT_EQ(presets.size(), 1u);
        EXPECT_EQ(presets[0].values, (std::vector<std::pair<std::string, std::string>>{{"Gain", "0.5"}}));
    }
    EXPECT_NE(problem(good + "[A]\nDescription = e\n").find(":5: \"A\" appears twice"), std::string::npos);
    EXPECT_NE(problem(good + "Gain = 1\n").find(":5: \"Gain\" given twice"), std::string::npos);
    EXPECT_NE(problem(good + "[B]\nGain = 1\n").find("\"B\" has no description"), std::string::npos);
    EXPECT_NE(problem(good + "[A/B]\n").find("cannot be a file name"), std::string::npos);
    EXPECT_NE(problem(good + "[" + std::string(28, 'x') + "]\n").find("longer than 27"), std::string::npos);
    EXPECT_NE(problem("Gain = 1\n").find(":1: a value before the first [Name]"), std::string::npos);
    EXPECT_NE(problem(good + "Gain\n").find("not \"Key = value\""), std::string::npos);
    EXPECT_NE(problem("# nothing\n").find("no presets"), std::string::npos);
    fs::remove(path);
}

} // namespace
