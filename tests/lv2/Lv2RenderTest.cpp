// Sound through the LV2 plug-in against the same settings through VST3, and what odd hosts
// hand it: values out of range, in-place buffers, a missing buffer, runs longer than a block.
#include "Lv2TestHost.h"
#include "Vst3Room.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

using namespace lv2test;

namespace
{
constexpr double kRate = 48000.0;

struct Stereo
{
    std::vector<float> left, right;
};

Stereo noise(size_t frames, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> sample(-0.5f, 0.5f);
    Stereo s;
    for (size_t i = 0; i < frames; ++i)
    {
        s.left.push_back(sample(random));
        s.right.push_back(sample(random));
    }
    return s;
}

Stereo impulse(size_t frames)
{
    Stereo s{std::vector<float>(frames, 0.0f), std::vector<float>(frames, 0.0f)};
    s.left[0] = s.right[0] = 1.0f;
    return s;
}

float peak(const Stereo& s)
{
    float p = 0.0f;
    for (const auto* channel : {&s.left, &s.right})
        for (float v : *channel)
            p = std::max(p, std::abs(v));
    return p;
}

float largestDifference(const Stereo& a, const Stereo& b)
{
    float d = 0.0f;
    for (size_t i = 0; i < a.left.size(); ++i)
        d = std::max({d, std::abs(a.left[i] - b.left[i]), std::abs(a.right[i] - b.right[i])});
    return d;
}

// Settings away from the defaults, as (port symbol, parameter title, plain value).
struct Setting
{
    const char* symbol;
    const char* title;
    float value;
};
const Setting kMoved[] = {{"gain", "Gain", 0.8f},          {"position", "Position", 7.0f},
                          {"abs_l_r", "Abs L-R", 3.0f},    {"vol_f_b", "Vol F-B", 0.6f},
                          {"decay_type", "Decay Type", 0}, {"speed", "Speed", 0.5f},
                          {"reverse", "Reverse", 1.0f}};

Stereo renderLv2(Lv2Room& room, const Stereo& in, uint32_t block)
{
    Stereo out;
    room.render(in.left, in.right, out.left, out.right, block);
    return out;
}

Stereo renderVst3(const Stereo& in, int32_t block, const Setting* settings, size_t count)
{
    Vst3Room vst3(kRate, block);
    EXPECT_TRUE(vst3.ok());
    for (size_t k = 0; k < count; ++k)
        vst3.set(settings[k].title, settings[k].value);
    Stereo out;
    vst3.render(in.left, in.right, out.left, out.right);
    return out;
}
} // namespace

TEST(Lv2Render, NoiseAndAnImpulseEqualTheVst3RenderOfTheSameSettings)
{
    Lv2World world;
    for (const Stereo& in : {noise(72000, 7), impulse(48000)})
    {
        Lv2Room room(world, kRate, 64);
        ASSERT_TRUE(room.ok());
        for (const Setting& s : kMoved)
            ASSERT_TRUE(room.set(s.symbol, s.value)) << s.symbol;
        const Stereo lv2 = renderLv2(room, in, 64);
        const Stereo vst3 = renderVst3(in, 64, kMoved, std::size(kMoved));
        ASSERT_GT(peak(vst3), 1e-3f) << "the reference is silent";
        EXPECT_LE(largestDifference(lv2, vst3), 1e-6f * peak(vst3));
    }
}

TEST(Lv2Render, RunsLongerThanTheLongestBlockAndMovedPortsFollowTheVst3Render)
{
    Lv2World world;
    const Stereo in = noise(48000, 11);
    // The host announced 256 frames but runs 1000 at a time: the adapter splits them.
    Lv2Room room(world, kRate, 256);
    ASSERT_TRUE(room.ok());
    room.set("speed", 1.0f);
    Stereo lv2;
    room.render(in.left, in.right, lv2.left, lv2.right, 1000);
    const Setting speed[] = {{"speed", "Speed", 1.0f}};
    const Stereo vst3 = renderVst3(in, 40, speed, 1);
    EXPECT_LE(largestDifference(lv2, vst3), 1e-6f * peak(vst3));
}

TEST(Lv2Render, DisabledPassesTheInputThroughUnchanged)
{
    Lv2World world;
    Lv2Room room(world, kRate, 128);
    ASSERT_TRUE(room.ok());
    ASSERT_TRUE(room.set("enabled", 0.0f));
    const Stereo in = noise(4096, 3);
    const Stereo out = renderLv2(room, in, 128);
    EXPECT_EQ(out.left, in.left);
    EXPECT_EQ(out.right, in.right);
    // Back on: the room plays again.
    room.set("enabled", 1.0f);
    const Stereo wet = renderLv2(room, noise(4096, 4), 128);
    EXPECT_NE(wet.left, noise(4096, 4).left);
}

TEST(Lv2BadInput, OutOfRangeAndNonFinitePortValuesAreClampedOrIgnored)
{
    Lv2World world;
    const Stereo in = noise(24000, 5);
    Lv2Room wild(world, kRate, 64);
    ASSERT_TRUE(wild.ok());
    wild.set("gain", 7.0f);
    wild.set("position", -4.0f);
    wild.set("abs_l_r", 99.0f);
    wild.set("vol_c_f", -1.0f);
    wild.set("speed", std::numeric_limits<float>::quiet_NaN());
    wild.set("decay_type", std::numeric_limits<float>::infinity());
    wild.set("enabled", std::numeric_limits<float>::quiet_NaN());
    const Stereo out = renderLv2(wild, in, 64);

    // Limited to the ranges; a non-finite value stands for the default.
    const Setting limited[] = {{"gain", "Gain", 1.0f},
                               {"position", "Position", 0.0f},
                               {"abs_l_r", "Abs L-R", 14.0f},
                               {"vol_c_f", "Vol C-F", 0.0f}};
    const Stereo reference = renderVst3(in, 64, limited, std::size(limited));
    EXPECT_LE(largestDifference(out, reference), 1e-6f * peak(reference));
    for (float v : out.left)
        ASSERT_TRUE(std::isfinite(v));
}

TEST(Lv2BadInput, InPlaceBuffersMissingBuffersAndEmptyRunsAreSafe)
{
    Lv2World world;
    const Stereo in = noise(8192, 9);
    Lv2Room separate(world, kRate, 512);
    Lv2Room inPlace(world, kRate, 512);
    ASSERT_TRUE(separate.ok() && inPlace.ok());
    const Stereo expected = renderLv2(separate, in, 512);

    // The host hands the same memory as input and output.
    Stereo shared = in;
    inPlace.connectAudio(0, shared.left.data());
    inPlace.connectAudio(2, shared.left.data());
    inPlace.connectAudio(1, shared.right.data());
    inPlace.connectAudio(3, shared.right.data());
    for (size_t start = 0; start < shared.left.size(); start += 512)
    {
        for (uint32_t port = 0; port < 4; ++port)
        {
            float* base = port % 2 == 0 ? shared.left.data() : shared.right.data();
            inPlace.connectAudio(port, base + start);
        }
        inPlace.run(512);
    }
    EXPECT_EQ(shared.left, expected.left);
    EXPECT_EQ(shared.right, expected.right);

    // No right output: nothing is written, the left output is silent.
    std::vector<float> left(256, 1.0f), input(256, 0.25f);
    inPlace.connectAudio(0, input.data());
    inPlace.connectAudio(1, input.data());
    inPlace.connectAudio(2, left.data());
    inPlace.connectAudio(3, nullptr);
    inPlace.run(256);
    EXPECT_EQ(left, std::vector<float>(256, 0.0f));
    inPlace.run(0);
}
