// The plug-in's audio under Wine: the Windows renderer against the Linux one on the same input
// and settings, and the Windows DLL's VST2 entry against its VST3 class.
#include "WineRunner.h"

#include <gtest/gtest.h>

#include <sndfile.h>

#include <cmath>
#include <cstdlib>
#include <unistd.h>
#include <vector>

namespace
{
struct Sound
{
    int channels = 0;
    int sampleRate = 0;
    std::vector<float> samples;
};

bool readSound(const std::string& path, Sound& sound)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return false;
    sound.channels = info.channels;
    sound.sampleRate = info.samplerate;
    sound.samples.resize(static_cast<size_t>(info.frames * info.channels));
    const sf_count_t got = sf_readf_float(file, sound.samples.data(), info.frames);
    sf_close(file);
    return got == info.frames;
}

// A quarter second of a falling tone on the left and noise on the right, 16-bit as a user's
// recording would be, so that both renderers start from the very same numbers.
void writeInput(const std::string& path)
{
    SF_INFO info{};
    info.channels = 2;
    info.samplerate = 44100;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr);
    std::vector<short> frames;
    unsigned noise = 12345;
    for (int i = 0; i < 11025; ++i)
    {
        noise = noise * 1103515245u + 12345u;
        const double fade = 1.0 - i / 11025.0;
        frames.push_back(static_cast<short>(12000 * fade * std::sin(i * (0.06 - i * 2e-6))));
        frames.push_back(static_cast<short>(static_cast<int>((noise >> 16) & 0x3fff) - 0x2000));
    }
    sf_writef_short(file, frames.data(), 11025);
    sf_close(file);
}

class WineRender : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/vevadur-wine-render-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
    }
    void TearDown() override { wine::shell("rm -rf " + wine::quoted(folder)); }

    // Renders the input with the same options through both renderers and compares.
    void expectSameSound(const std::vector<std::string>& settings)
    {
        const std::string input = folder + "/in.wav";
        writeInput(input);
        std::string linux = std::string(VEVADUR_LINUX_RENDER) + " " + wine::quoted(input) + " " +
                            wine::quoted(folder + "/linux.wav");
        for (const std::string& s : settings)
            linux += " " + wine::quoted(s);
        wine::Result linuxRun = wine::shell(linux);
        ASSERT_EQ(linuxRun.status, 0) << linuxRun.output;

        std::vector<std::string> arguments{wine::windowsPath(input),
                                           wine::windowsPath(folder + "/windows.wav"), "--plugin",
                                           wine::windowsPath(wine::windowsBuild("VevadurROT.vst3"))};
        arguments.insert(arguments.end(), settings.begin(), settings.end());
        wine::Result windowsRun = wine::run(wine::windowsBuild("host/vevadur-render.exe"), arguments);
        ASSERT_EQ(windowsRun.status, 0) << windowsRun.output;

        Sound linuxSound;
        Sound windowsSound;
        ASSERT_TRUE(readSound(folder + "/linux.wav", linuxSound));
        ASSERT_TRUE(readSound(folder + "/windows.wav", windowsSound));
        ASSERT_EQ(windowsSound.channels, linuxSound.channels);
        ASSERT_EQ(windowsSound.sampleRate, linuxSound.sampleRate);
        ASSERT_EQ(windowsSound.samples.size(), linuxSound.samples.size());
        double peak = 0;
        double worst = 0;
        for (size_t i = 0; i < linuxSound.samples.size(); ++i)
        {
            peak = std::max(peak, std::fabs(static_cast<double>(linuxSound.samples[i])));
            worst = std::max(worst, std::fabs(static_cast<double>(windowsSound.samples[i]) -
                                              linuxSound.samples[i]));
        }
        ASSERT_GT(peak, 1e-3) << "the room gave no sound";
        EXPECT_LE(worst, 1e-6 * peak) << "peak " << peak;
    }

    std::string folder;
};
} // namespace

TEST_F(WineRender, WindowsRendererMatchesTheLinuxOneWithinAMillionthOfThePeak)
{
    expectSameSound({"--set", "Position=L45", "--set", "Speed=0.5", "--set", "Abs L-R=9", "--tail",
                     "1.5"});
}

// Each renderer finds the preset by its name in its own bundle, which carries the same bank.
TEST_F(WineRender, FactoryPresetsFromEachBundleSoundTheSame)
{
    expectSameSound({"--preset", "Stone Cellar", "--set", "Speed=0.5", "--tail", "1.5"});
}

TEST(WineVst2, EntryThroughVstPluginMainSoundsAsTheVst3Class)
{
    wine::Result probe =
        wine::run(wine::windowsBuild("tests/windows/programs/vevadur-vst2-probe.exe"),
                  {wine::windowsPath(wine::windowsBuild("VevadurROT.vst3"))});
    EXPECT_EQ(probe.status, 0) << probe.output;
    EXPECT_NE(probe.output.find("blocks 60"), std::string::npos) << probe.output;
}
