// Rendering files through the plug-in, and leaving nothing behind when that fails.
#include "host/render/Renderer.h"
#include "host/VstPresetFile.h"
#include "tools/presetgen/FactoryPresets.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdlib>
#include <dirent.h>
#include <string>
#include <unistd.h>
#include <vector>

using namespace vevadur::render;

namespace
{
// A fresh folder per test, removed with everything in it afterwards.
class RenderTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/vevadur-render-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
    }
    void TearDown() override
    {
        for (const std::string& name : files())
            std::remove((folder + "/" + name).c_str());
        rmdir(folder.c_str());
    }

    std::vector<std::string> files() const
    {
        std::vector<std::string> names;
        if (DIR* dir = opendir(folder.c_str()))
        {
            while (dirent* entry = readdir(dir))
            {
                const std::string name = entry->d_name;
                if (name != "." && name != "..") names.push_back(name);
            }
            closedir(dir);
        }
        return names;
    }

    std::string writeTone(const std::string& name, int channels, int rate, int frames)
    {
        const std::string path = folder + "/" + name;
        SF_INFO info{};
        info.channels = channels;
        info.samplerate = rate;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
        EXPECT_NE(file, nullptr);
        std::vector<float> samples(static_cast<size_t>(frames) * channels);
        for (int i = 0; i < frames; ++i)
            for (int c = 0; c < channels; ++c)
                samples[i * channels + c] = 0.5f * std::sin(0.05f * i * (c + 1));
        sf_writef_float(file, samples.data(), frames);
        sf_close(file);
        return path;
    }

    RenderOptions options(const std::string& in, const std::string& out)
    {
        RenderOptions o;
        o.input = in;
        o.output = folder + "/" + out;
        o.plugin = VEVADUR_BUNDLE;
        o.tailSeconds = 0.01;
        o.blockSize = 128;
        return o;
    }

    std::string folder;
    volatile std::sig_atomic_t noStop = 0;
    std::string error;
};

SF_INFO infoOf(const std::string& path, std::vector<float>* samples = nullptr)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    EXPECT_NE(file, nullptr) << path;
    if (file && samples)
    {
        samples->resize(static_cast<size_t>(info.frames * info.channels));
        sf_readf_float(file, samples->data(), info.frames);
    }
    if (file) sf_close(file);
    return info;
}
} // namespace

TEST_F(RenderTest, StereoOutputWithTheTailAppended)
{
    const std::string in = writeTone("in.wav", 1, 22050, 1000);
    RenderOptions o = options(in, "out.wav");
    o.settings = {{"Position", "L45"}, {"Speed", "0.25"}};
    ASSERT_TRUE(renderFile(o, noStop, error)) << error;
    std::vector<float> samples;
    const SF_INFO info = infoOf(o.output, &samples);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.samplerate, 22050);
    EXPECT_EQ(info.frames, 1000 + std::lround(0.01 * 22050));
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    for (float s : samples)
        ASSERT_TRUE(std::isfinite(s));
    EXPECT_EQ(files().size(), 2u) << "no temporary file left";
}

TEST_F(RenderTest, DefaultTailCoversTheWholeRoomResponse)
{
    const std::string in = writeTone("in.wav", 2, 8000, 10);
    RenderOptions o = options(in, "out.flac");
    o.tailSeconds.reset();
    o.blockSize = 4096;
    ASSERT_TRUE(renderFile(o, noStop, error)) << error;
    EXPECT_EQ(infoOf(o.output).frames, 10 + kRoomTailFrames);
}

TEST_F(RenderTest, FailuresLeaveNothingBehind)
{
    const std::string in = writeTone("in.wav", 1, 44100, 100);
    RenderOptions missing = options(folder + "/nothing.wav", "out.wav");
    EXPECT_FALSE(renderFile(missing, noStop, error));
    EXPECT_NE(error.find("cannot read"), std::string::npos) << error;

    RenderOptions unknown = options(in, "out.wav");
    unknown.settings = {{"Colour", "red"}};
    EXPECT_FALSE(renderFile(unknown, noStop, error));
    EXPECT_NE(error.find("unknown parameter"), std::string::npos) << error;

    RenderOptions invalid = options(in, "out.wav");
    invalid.settings = {{"Speed", "-1"}};
    EXPECT_FALSE(renderFile(invalid, noStop, error));
    EXPECT_NE(error.find("invalid value"), std::string::npos) << error;

    EXPECT_FALSE(renderFile(options(in, "out.mp9"), noStop, error));
    RenderOptions noPlugin = options(in, "out.wav");
    noPlugin.plugin = folder + "/Missing.vst3";
    EXPECT_FALSE(renderFile(noPlugin, noStop, error));

    volatile std::sig_atomic_t stop = 1;
    EXPECT_FALSE(renderFile(options(in, "out.wav"), stop, error));
    EXPECT_EQ(error, "interrupted");
    EXPECT_EQ(files(), std::vector<std::string>{"in.wav"});
}

TEST_F(RenderTest, CommandLineExitStatus)
{
    const std::string in = writeTone("in.wav", 2, 48000, 64);
    // Each run gets a minute; one that does not end fails saying so.
    const std::string program = std::string("timeout -k 5 60 ") + VEVADUR_RENDER;
    const std::string quiet = " 2>/dev/null";
    const auto exitStatus = [](const std::string& command)
    {
        const int status = std::system(command.c_str());
        const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        if (code == 124) ADD_FAILURE() << command << " did not end within 60 s";
        return code;
    };
    EXPECT_EQ(exitStatus(program + " --help >/dev/null"), 0);
    EXPECT_EQ(exitStatus(program + " " + in + quiet), 2);
    EXPECT_EQ(exitStatus(program + " " + folder + "/none.wav " + folder + "/o.wav" + quiet), 1);
    const std::string out = folder + "/o.wav";
    EXPECT_EQ(exitStatus(program + " " + in + " " + out + " --tail 0 --set Reverse=ON --plugin " +
                         VEVADUR_BUNDLE + quiet),
              0);
    EXPECT_EQ(infoOf(out).frames, 64);
}

// A factory preset by name (any case) or by file gives the sound of its values set one by one;
// --set changes single controls on top of it.
TEST_F(RenderTest, PresetsByNameOrFileWithSettingsOnTop)
{
    std::vector<vevadur::presets::FactoryPreset> bank;
    ASSERT_TRUE(vevadur::presets::readFactoryPresets(VEVADUR_PRESETS_DATA, bank, error)) << error;
    ASSERT_FALSE(bank.empty());
    const vevadur::presets::FactoryPreset& preset = bank.front();
    const std::string in = writeTone("in.wav", 2, 48000, 4000);
    const auto render = [&](const std::string& out, const std::string& name,
                            std::vector<std::pair<std::string, std::string>> settings) {
        RenderOptions o = options(in, out);
        o.preset = name;
        o.settings = std::move(settings);
        o.tailSeconds = 0.2;
        EXPECT_TRUE(renderFile(o, noStop, error)) << error;
        std::vector<float> samples;
        infoOf(o.output, &samples);
        return samples;
    };
    std::vector<std::pair<std::string, std::string>> values = preset.values;
    for (auto& [title, value] : values)
        if (title == "Gain") value = "1";
    const std::vector<float> bySettings = render("settings.wav", "", values);
    const std::vector<float> byName = render("name.wav", preset.name, {{"Gain", "1"}});
    ASSERT_FALSE(bySettings.empty());
    EXPECT_EQ(byName, bySettings);
    std::string lower = preset.name;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::string file = std::string(VEVADUR_BUNDLE) +
                             "/Contents/Resources/Presets/VST3/Rovazuro/VevadurROT/" + preset.name +
                             ".vstpreset";
    const std::vector<float> byFile = render("file.wav", file, {{"Gain", "1"}});
    EXPECT_EQ(byFile, bySettings);
    EXPECT_EQ(render("lower.wav", lower, {{"Gain", "1"}}), bySettings);
    EXPECT_NE(render("default.wav", "", {{"Gain", "1"}}), bySettings);
}

TEST_F(RenderTest, PresetsThatCannotBeUsedAreRefused)
{
    const std::string in = writeTone("in.wav", 1, 44100, 100);
    RenderOptions unknown = options(in, "out.wav");
    unknown.preset = "No Such Room";
    EXPECT_FALSE(renderFile(unknown, noStop, error));
    EXPECT_NE(error.find("no preset \"No Such Room\" (presets: "), std::string::npos) << error;

    RenderOptions foreign = options(in, "out.wav");
    foreign.preset = folder + "/foreign.vstpreset";
    ASSERT_TRUE(vevadur::host::writeVstPreset(
        foreign.preset, {"00112233445566778899AABBCCDDEEFF", {1, 0, 0, 0, 0, 0, 0, 0}, ""}, error));
    EXPECT_FALSE(renderFile(foreign, noStop, error));
    EXPECT_NE(error.find("for another plug-in"), std::string::npos) << error;

    RenderOptions notPreset = options(in, "out.wav");
    notPreset.preset = in;
    EXPECT_FALSE(renderFile(notPreset, noStop, error));
    EXPECT_NE(error.find("is not a VST3 preset"), std::string::npos) << error;
    EXPECT_EQ(files().size(), 2u) << "no output left behind";
}
