// Audio through the VST2 entry must be the audio of the same class driven through VST3: same
// input, same settings, same block size, bit for bit.
#include "Vst2TestHost.h"
#include "Vst3Reference.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

using namespace vst2test;
using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace Steinberg::Vst::Vst2Abi;

namespace
{
constexpr float kRate = 48000.0f;
constexpr int32_t kBlock = 256;
constexpr int32_t kBlocks = 6;

// A deterministic, broadband stereo test signal.
std::vector<float> noise(size_t n, uint32_t seed)
{
    std::vector<float> v(n);
    for (float& x : v)
    {
        seed = seed * 1664525u + 1013904223u;
        x = static_cast<float>(static_cast<int32_t>(seed >> 8) - (1 << 23)) / (1 << 24);
    }
    return v;
}

struct Stereo
{
    std::vector<float> left, right;
    explicit Stereo(size_t n, uint32_t seed = 0)
        : left(seed ? noise(n, seed) : std::vector<float>(n)),
          right(seed ? noise(n, seed * 7 + 1) : std::vector<float>(n))
    {
    }
};

// Settings that exercise the room: a side position, the three surface pairs at different
// levels and absorptions, rotation. As normalised values, by parameter id.
const std::vector<std::pair<ParamID, double>> kSettings = {
    {0, 0.8},    // Gain
    {1, 0.3},    // Position L45
    {2, 0.7},    // Vol L-R
    {3, 0.25},   // Abs L-R
    {5, 0.6},    // Abs F-B
    {6, 0.4},    // Vol C-F
    {11, 0.125}, // Speed, one turn per second
    {12, 1.0},   // Reverse
};

class Vst2Audio : public ::testing::Test
{
  protected:
    // Renders the whole input through VST3 in blocks of kBlock, settings in the first block.
    Stereo renderVst3(const Stereo& input)
    {
        IPtr<IPluginFactory> factory = owned(module.factory());
        Vst3Reference reference(factory);
        EXPECT_TRUE(reference.ok());
        EXPECT_TRUE(reference.start(kRate, kBlock));
        Stereo output(input.left.size());
        for (size_t start = 0; start < input.left.size(); start += kBlock)
        {
            const float* in[] = {input.left.data() + start, input.right.data() + start};
            float* out[] = {output.left.data() + start, output.right.data() + start};
            const auto changes = start == 0 ? kSettings : decltype(kSettings){};
            reference.process(in, out, kBlock, changes, static_cast<int64_t>(start));
        }
        return output;
    }

    // The same through VST2, with the settings made as a VST2 host makes them.
    void applySettings(const Vst2Effect& effect)
    {
        std::vector<ParamID> ids;
        IPtr<IPluginFactory> factory = owned(module.factory());
        Vst3Reference reference(factory);
        for (const ParameterInfo& info : reference.parameters())
            if (!(info.flags & ParameterInfo::kIsProgramChange)) ids.push_back(info.id);
        for (const auto& [id, value] : kSettings)
            for (size_t i = 0; i < ids.size(); ++i)
                if (ids[i] == id)
                    effect->set_parameter(effect.get(), static_cast<uint32_t>(i),
                                          static_cast<float>(value));
    }

    Vst2Module module{pluginPath()};
};

void expectIdentical(const Stereo& a, const Stereo& b)
{
    ASSERT_EQ(a.left.size(), b.left.size());
    size_t differing = 0;
    for (size_t i = 0; i < a.left.size(); ++i)
        differing += (a.left[i] != b.left[i]) + (a.right[i] != b.right[i]);
    EXPECT_EQ(differing, 0u);
}

bool audible(const Stereo& s)
{
    for (size_t i = 0; i < s.left.size(); ++i)
        if (s.left[i] != 0.0f || s.right[i] != 0.0f) return true;
    return false;
}
} // namespace

TEST_F(Vst2Audio, SeparateBuffersMatchVst3BitForBit)
{
    const Stereo input(kBlock * kBlocks, 11);
    const Stereo expected = renderVst3(input);
    ASSERT_TRUE(audible(expected)); // the room's wet signal is there after its 255-sample delay

    Vst2Effect effect(module);
    ASSERT_NE(effect.get(), nullptr);
    applySettings(effect);
    effect.start(kRate, kBlock);
    Stereo output(input.left.size());
    for (size_t start = 0; start < input.left.size(); start += kBlock)
    {
        const float* in[] = {input.left.data() + start, input.right.data() + start};
        float* out[] = {output.left.data() + start, output.right.data() + start};
        effect.processReplacing(in, out, kBlock);
    }
    expectIdentical(output, expected);
}

TEST_F(Vst2Audio, InPlaceAndOversizedHostBlocksMatchToo)
{
    const Stereo input(kBlock * kBlocks, 23);
    const Stereo expected = renderVst3(input);

    // In place, and in host blocks of 2.5 announced blocks, which the adapter splits.
    Vst2Effect effect(module);
    ASSERT_NE(effect.get(), nullptr);
    applySettings(effect);
    effect.start(kRate, kBlock);
    Stereo buffer = input;
    const size_t hostBlock = kBlock * 5 / 2;
    for (size_t start = 0; start < buffer.left.size(); start += hostBlock)
    {
        const auto frames = static_cast<int32_t>(std::min(hostBlock, buffer.left.size() - start));
        float* io[] = {buffer.left.data() + start, buffer.right.data() + start};
        effect.processReplacing(io, io, frames);
    }
    expectIdentical(buffer, expected);
}

TEST_F(Vst2Audio, AccumulatingProcessAddsToTheOutput)
{
    const Stereo input(kBlock * 2, 5);
    const Stereo expected = renderVst3(input);

    Vst2Effect effect(module);
    ASSERT_NE(effect.get(), nullptr);
    applySettings(effect);
    effect.start(kRate, kBlock);
    Stereo output(input.left.size());
    std::fill(output.left.begin(), output.left.end(), 0.5f);
    std::fill(output.right.begin(), output.right.end(), -0.25f);
    for (size_t start = 0; start < input.left.size(); start += kBlock)
    {
        const float* in[] = {input.left.data() + start, input.right.data() + start};
        float* out[] = {output.left.data() + start, output.right.data() + start};
        effect->process(effect.get(), in, out, kBlock);
    }
    for (size_t i = 0; i < output.left.size(); ++i)
    {
        ASSERT_EQ(output.left[i], 0.5f + expected.left[i]) << i;
        ASSERT_EQ(output.right[i], -0.25f + expected.right[i]) << i;
    }
}

// A VST2 host loads chunks and switches programs on its UI thread while playback goes on: the
// audio never drops out for a silent block, and the last chunk is the one that stays.
TEST_F(Vst2Audio, ChunkAndProgramLoadsPlayThroughWithoutASilentBlock)
{
    Vst2Effect effect(module);
    ASSERT_NE(effect.get(), nullptr);
    effect.start(kRate, 64);
    const std::vector<char> initial = effect.chunk();
    applySettings(effect);
    {
        Stereo in(64), out(64);
        const float* inputs[] = {in.left.data(), in.right.data()};
        float* outputs[] = {out.left.data(), out.right.data()};
        effect.processReplacing(inputs, outputs, 64); // the settings reach the processor
    }
    const std::vector<char> settings = effect.chunk();
    ASSERT_NE(initial, settings);

    std::atomic<bool> stop{false};
    std::atomic<int> silentBlocks{0};
    std::atomic<int> blocks{0};
    std::thread audio(
        [&]
        {
            Stereo in(64, 3), out(64);
            const float* inputs[] = {in.left.data(), in.right.data()};
            float* outputs[] = {out.left.data(), out.right.data()};
            while (!stop.load())
            {
                effect.processReplacing(inputs, outputs, 64);
                bool silent = true;
                for (size_t i = 0; i < 64; ++i)
                    silent = silent && out.left[i] == 0.0f && out.right[i] == 0.0f;
                // The room's first response comes after its delay: only later blocks count.
                if (silent && blocks.load() > 16) silentBlocks.fetch_add(1);
                blocks.fetch_add(1);
            }
        });
    // Every wait here has a limit: a stalled audio thread fails the test instead of hanging it.
    const auto waitBlocks = [&](int count)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (blocks.load() < count && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
        return blocks.load() >= count;
    };
    if (!waitBlocks(32)) ADD_FAILURE() << "waited 30 s for 32 blocks; saw " << blocks.load();
    for (int k = 0; k < 60; ++k)
    {
        EXPECT_TRUE(effect.setChunk(k % 2 ? initial : settings));
        effect.dispatch(kSetProgram, 0, 0);
    }
    EXPECT_TRUE(effect.setChunk(settings));
    const int seen = blocks.load();
    if (!waitBlocks(seen + 4))
        ADD_FAILURE() << "waited 30 s for 4 blocks after the last chunk; saw " << blocks.load() - seen;
    stop.store(true);
    audio.join();
    EXPECT_EQ(silentBlocks.load(), 0);
    EXPECT_EQ(effect.chunk(), settings);
}
