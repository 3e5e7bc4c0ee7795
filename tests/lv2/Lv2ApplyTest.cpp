// lilv's own file host, lv2apply, renders a file through the LV2 plug-in; our renderer renders
// the same file through the VST3 bundle with the same settings. The files must agree.
#include <gtest/gtest.h>

#include <sndfile.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
struct TempFolder
{
    std::string path;
    TempFolder()
    {
        char pattern[] = "/tmp/vevadur-lv2apply-XXXXXX";
        path = mkdtemp(pattern) ? pattern : "";
    }
    ~TempFolder() { std::system(("rm -rf '" + path + "'").c_str()); }
};

bool writeNoise(const std::string& path, int rate, long frames)
{
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) return false;
    std::mt19937 random(23);
    std::uniform_real_distribution<float> sample(-0.5f, 0.5f);
    std::vector<float> data(static_cast<size_t>(2 * frames));
    for (float& v : data)
        v = sample(random);
    const bool ok = sf_writef_float(file, data.data(), frames) == frames;
    sf_close(file);
    return ok;
}

std::vector<float> readFile(const std::string& path, int& channels)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return {};
    std::vector<float> data(static_cast<size_t>(info.frames * info.channels));
    sf_readf_float(file, data.data(), info.frames);
    sf_close(file);
    channels = info.channels;
    return data;
}

int run(const std::string& command)
{
    // Only the build tree's bundles.
    return std::system(("LV2_PATH='" VEVADUR_LV2_PATH "' " + command + " >/dev/null 2>&1").c_str());
}
} // namespace

TEST(Lv2Apply, LilvsFileHostRendersTheSameFileAsOurRenderer)
{
#ifdef VEVADUR_INSTRUMENTED_MODULE
    GTEST_SKIP() << "lv2apply cannot load a sanitizer build of the module";
#endif
    TempFolder folder;
    ASSERT_FALSE(folder.path.empty());
    const std::string in = folder.path + "/in.wav";
    const std::string viaLv2 = folder.path + "/lv2.wav";
    const std::string viaVst3 = folder.path + "/vst3.wav";
    ASSERT_TRUE(writeNoise(in, 44100, 44100));

    ASSERT_EQ(run(std::string(LV2APPLY) + " -i " + in + " -o " + viaLv2 +
                  " -c position 4 -c speed 0.25 -c abs_f_b 11 urn:rovazuro:vevadurrot"),
              0);
    // lv2apply hands the plug-in one frame per run and adds no tail: the renderer does the same.
    ASSERT_EQ(run(std::string(VEVADUR_RENDER) + " " + in + " " + viaVst3 +
                  " --set Position=L64 --set Speed=0.25 --set 'Abs F-B=11' --block 1 --tail 0"
                  " --plugin " VEVADUR_VST3_BUNDLE),
              0);
    int lv2Channels = 0, vst3Channels = 0;
    const std::vector<float> lv2 = readFile(viaLv2, lv2Channels);
    const std::vector<float> vst3 = readFile(viaVst3, vst3Channels);
    ASSERT_EQ(lv2Channels, 2);
    ASSERT_EQ(vst3Channels, 2);
    ASSERT_EQ(lv2.size(), vst3.size());
    float peak = 0.0f, difference = 0.0f;
    for (size_t i = 0; i < lv2.size(); ++i)
    {
        peak = std::max(peak, std::abs(vst3[i]));
        difference = std::max(difference, std::abs(lv2[i] - vst3[i]));
    }
    ASSERT_GT(peak, 1e-3f);
    EXPECT_LE(difference, 1e-6f * peak);
}
