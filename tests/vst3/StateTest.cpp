// The state stream: its byte layout, round trips, damaged and old streams, and the
// controller following a restored state.
#include "PluginTestSupport.h"
#include "RoomStateStream.h"

#include "public.sdk/source/common/memorystream.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <limits>
#include <random>
#include <thread>

namespace vevadur::test
{
namespace
{
constexpr size_t kBypassOffset = 60;

std::unique_ptr<PluginInstance> activeRoom()
{
    auto instance = roomInstance();
    activate(*instance);
    return instance;
}

// Both output channels of `frames` frames in blocks of 100: noise for the first `noiseFrames`
// (the same noise for the same seed), silence after.
std::vector<float> playNoise(PluginInstance& instance, int frames, int noiseFrames, unsigned seed)
{
    constexpr int32 kBlock = 100;
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> sample(-0.5f, 0.5f);
    ProcessBlock block(instance);
    Audio in(2, kBlock), out(2, kBlock);
    std::vector<float> played;
    for (int done = 0; done < frames; done += kBlock)
    {
        for (size_t c = 0; c < 2; ++c)
            for (int32 i = 0; i < kBlock; ++i)
                in[c][size_t(i)] = done + i < noiseFrames ? sample(random) : 0.0f;
        block.process(in.channels(), out.channels(), kBlock);
        for (size_t c = 0; c < 2; ++c)
            played.insert(played.end(), out[c].begin(), out[c].end());
    }
    return played;
}

double largestDifference(const std::vector<float>& a, const std::vector<float>& b)
{
    EXPECT_EQ(a.size(), b.size());
    double largest = 0.0;
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        largest = std::max(largest, double(std::fabs(a[i] - b[i])));
    return largest;
}
} // namespace

TEST(State, SeventyBytesLaidOutByteByByte)
{
    auto instance = roomInstance();
    const Bytes state = instance->saveState();
    const Bytes expected = {0x01, 0,    0,    0,    0,    0,    0,    0,    // version 1
                            0x00, 0x00, 0x00, 0x3F,                         // Gain 0.5
                            0,    0,    0,    0,                            // Position: Center
                            0x00, 0x00, 0x80, 0x3F,                         // Vol L-R 1.0
                            0x00, 0x00, 0xE0, 0x40,                         // Abs L-R 7.0
                            0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0xE0, 0x40, // F-B
                            0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0xE0, 0x40, // C-F
                            0x01, 0,    0,    0,                            // Decay Type 1 (int)
                            0,    0,    0,    0,    0,    0,    0,    0,  // Stereo/Mono, Left/Right
                            0,    0,    0,    0,                          // Speed 0.0
                            0,    0,    0,    0,                          // Reverse
                            0,    0,                                      // bypass
                            0,    0,    0,    0,    0,    0,    0,    0}; // joystick X, Y
    EXPECT_EQ(state, expected);
    EXPECT_EQ(RoomState().bytes(), expected);
}

TEST(State, EnumeratedValuesAndBypassAsWritten)
{
    auto instance = activeRoom();
    ProcessBlock block(*instance);
    block.addParameterChange(1, 0, 0.2); // Position 2: "L32"
    block.addParameterChange(kBypass, 0, 1.0);
    Audio in(2, 4), out(2, 4);
    block.process(in.channels(), out.channels(), 4);
    const Bytes state = instance->saveState();
    EXPECT_EQ(Bytes(state.begin() + 12, state.begin() + 16), (Bytes{0x02, 0, 0, 0}));
    EXPECT_EQ(Bytes(state.begin() + kBypassOffset, state.begin() + kBypassOffset + 2),
              (Bytes{0x01, 0x00}));
}

TEST(State, RoundTripsThroughAFreshInstance)
{
    RoomState saved;
    saved.gain = 0.125f;
    saved.position = 7;
    saved.absFB = 2.5f;
    saved.decayType = 0;
    saved.leftRight = 1;
    saved.speed = 0.25f;
    saved.reverse = 1;
    saved.bypass = 1;
    saved.joyX = 0.5f;
    saved.joyY = -0.25f;
    auto first = activeRoom();
    ASSERT_EQ(first->loadState(saved.bytes()), kResultOk);
    const Bytes state = first->saveState();
    EXPECT_EQ(state, saved.bytes());

    auto second = activeRoom();
    ASSERT_EQ(second->loadState(state), kResultOk);
    EXPECT_EQ(second->saveState(), state);
}

// A host loads states on its UI thread while its audio thread keeps processing: every state
// reads back at once as loaded, and reaches the audio within a few blocks (bypass shows it).
TEST(State, RoundTripsWhileAnotherThreadProcesses)
{
    auto instance = activeRoom();
    ProcessBlock block(*instance);
    std::atomic<bool> stop{false};
    std::atomic<int> blocks{0};
    std::atomic<bool> lastBlockBypassed{false};
    std::thread audio(
        [&]
        {
            Audio in(2, 64, 0.25f), out(2, 64);
            while (!stop.load())
            {
                block.process(in.channels(), out.channels(), 64);
                lastBlockBypassed.store(out[0][63] == 0.25f && out[1][63] == 0.25f);
                blocks.fetch_add(1);
            }
        });
    for (int k = 0; k < 40; ++k)
    {
        RoomState saved;
        saved.gain = 0.125f + 0.01f * static_cast<float>(k);
        saved.position = static_cast<uint32>(k % 11);
        saved.absLR = static_cast<float>(k % 15);
        saved.speed = 0.125f * static_cast<float>(k % 5);
        saved.bypass = k % 2;
        saved.joyX = -0.5f + 0.02f * static_cast<float>(k);
        ASSERT_EQ(instance->loadState(saved.bytes()), kResultOk);
        EXPECT_EQ(instance->saveState(), saved.bytes()) << "state " << k;
        const int seen = blocks.load();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (blocks.load() < seen + 2 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
        if (blocks.load() < seen + 2)
        {
            ADD_FAILURE() << "waited 5 s for two blocks after state " << k << "; saw "
                          << blocks.load() - seen;
            break; // the audio thread is stopped and joined below
        }
        EXPECT_EQ(lastBlockBypassed.load(), saved.bypass != 0) << "state " << k;
        EXPECT_EQ(instance->saveState(), saved.bytes()) << "state " << k << ", once applied";
    }
    stop.store(true);
    audio.join();
}

// More changes than the hand-over's ring holds, all before the next block: the UI side never
// waits, the last state reads back at once and is the one the audio thread applies.
TEST(State, ManyLoadsBetweenTwoBlocksEndInTheLastOne)
{
    auto instance = activeRoom();
    ProcessBlock block(*instance);
    Audio in(2, 64, 0.25f), out(2, 64);
    block.process(in.channels(), out.channels(), 64);
    RoomState saved;
    for (int k = 0; k < 300; ++k)
    {
        saved.position = static_cast<uint32>(k % 11);
        saved.absCF = static_cast<float>(k % 15);
        saved.bypass = k % 2;
        ASSERT_EQ(instance->loadState(saved.bytes()), kResultOk);
    }
    saved.bypass = 1;
    saved.gain = 0.75f;
    ASSERT_EQ(instance->loadState(saved.bytes()), kResultOk);
    EXPECT_EQ(instance->saveState(), saved.bytes());
    block.process(in.channels(), out.channels(), 64);
    EXPECT_EQ(out[0][63], 0.25f) << "bypassed, as the last state says";
    EXPECT_EQ(instance->saveState(), saved.bytes());
}

// A project loaded into an instance that has played, then the host's reset (deactivate,
// activate): after each activation the room starts from silence with the loaded state's room
// whole, and renders what a fresh instance given the same state renders.
TEST(State, LoadedWhileInactiveSoundsAsAFreshInstanceAfterEachActivation)
{
    constexpr int kRender = 24000 + 72000; // noise, then its whole tail
    RoomState saved;
    saved.position = 4;
    saved.absLR = 3.0f;
    saved.absFB = 10.0f;
    saved.volCF = 0.5f;
    saved.decayType = 0;
    auto fresh = roomInstance();
    ASSERT_EQ(fresh->loadState(saved.bytes()), kResultOk);
    activate(*fresh);
    const std::vector<float> expected = playNoise(*fresh, kRender, 24000, 7);

    auto instance = activeRoom();
    playNoise(*instance, 70100, 70100, 1); // sound in flight, both stages mid-block
    instance->deactivate();
    ASSERT_EQ(instance->loadState(saved.bytes()), kResultOk);
    activate(*instance);
    const std::vector<float> first = playNoise(*instance, kRender, 24000, 7);
    playNoise(*instance, 256, 256, 2);
    instance->deactivate();
    activate(*instance);
    const std::vector<float> second = playNoise(*instance, kRender, 24000, 7);
    const std::vector<float> again = playNoise(*instance, kRender, 24000, 7);

    double peak = 0.0;
    for (float s : expected)
        peak = std::max(peak, double(std::fabs(s)));
    ASSERT_GT(peak, 0.01) << "the fresh instance played nothing";
    // The renders after the first differ from the fresh one's blocks in phase, not in sound.
    EXPECT_LE(largestDifference(first, expected), 1e-6) << "after the load and activation";
    EXPECT_LE(largestDifference(second, expected), 1e-6) << "after the reset";
    EXPECT_LE(largestDifference(again, expected), 1e-6) << "rendered again";
}

TEST(State, ControllerFollowsARestoredState)
{
    RoomState saved;
    saved.absLR = 3.5f;
    saved.position = 5;
    saved.decayType = 0;
    saved.speed = 2.0f;
    saved.bypass = 1;
    saved.joyX = 0.5f;
    saved.joyY = -1.0f;
    auto instance = roomInstance();
    ASSERT_EQ(instance->loadState(saved.bytes()), kResultOk);
    IEditController& controller = instance->controller();
    EXPECT_DOUBLE_EQ(controller.getParamNormalized(3), 0.25);
    EXPECT_DOUBLE_EQ(controller.getParamNormalized(1), 0.5);
    EXPECT_DOUBLE_EQ(controller.getParamNormalized(8), 0.0);
    EXPECT_DOUBLE_EQ(controller.getParamNormalized(11), 0.25);
    EXPECT_DOUBLE_EQ(controller.getParamNormalized(kBypass), 1.0);
    EXPECT_DOUBLE_EQ(controller.getParamNormalized(kJoystickX), 0.75);
    EXPECT_DOUBLE_EQ(controller.getParamNormalized(kJoystickY), 0.0);
    EXPECT_TRUE(instance->handler().edits().empty()) << "no linked controls: nothing to report";
}

TEST(State, TruncatedStreamsKeepWhatWasRead)
{
    RoomState saved;
    saved.gain = 0.75f;
    saved.bypass = 1;
    saved.joyX = 0.5f;
    Bytes cut = saved.bytes();
    cut.resize(kBypassOffset + 2); // version 1 promises the joystick, which is missing
    auto instance = activeRoom();
    EXPECT_EQ(instance->loadState(cut), kResultFalse);
    const Bytes state = instance->saveState();
    EXPECT_EQ(Bytes(state.begin(), state.begin() + kBypassOffset + 2), cut);
    EXPECT_EQ(stateValue<float>(state, kBypassOffset + 2), 0.0f) << "joystick untouched";

    cut.resize(20); // in the middle of the controls
    auto other = activeRoom();
    EXPECT_EQ(other->loadState(cut), kResultFalse);
    EXPECT_EQ(stateValue<float>(other->saveState(), 8), 0.75f);
    EXPECT_EQ(other->loadState({}), kResultFalse);
    EXPECT_EQ(other->loadState({1, 0, 0}), kResultFalse);
}

TEST(State, VersionZeroHasNoJoystick)
{
    RoomState saved;
    saved.version = 0;
    saved.speed = 4.0f;
    auto instance = activeRoom();
    ProcessBlock block(*instance);
    block.addParameterChange(kJoystickX, 0, 1.0);
    block.flush();
    ASSERT_EQ(instance->loadState(saved.bytes(false)), kResultOk);
    const Bytes state = instance->saveState();
    EXPECT_EQ(stateValue<float>(state, 52), 4.0f);
    EXPECT_EQ(stateValue<float>(state, kBypassOffset + 2), 1.0f) << "joystick unchanged";
}

TEST(State, AnyNonzeroBypassMeansBypassed)
{
    RoomState saved;
    saved.bypass = 0x0100; // the bytes 00 01
    auto instance = activeRoom();
    ASSERT_EQ(instance->loadState(saved.bytes()), kResultOk);
    EXPECT_EQ(stateValue<int16>(instance->saveState(), kBypassOffset), 1);
    EXPECT_DOUBLE_EQ(instance->controller().getParamNormalized(kBypass), 1.0);
}

TEST(State, DamagedValuesAreLimitedToTheControls)
{
    RoomState damaged;
    damaged.gain = std::numeric_limits<float>::quiet_NaN();
    damaged.absLR = 100.0f;
    damaged.volFB = -std::numeric_limits<float>::infinity();
    damaged.position = 99;
    damaged.decayType = -5;
    damaged.speed = 1e30f;
    damaged.joyX = std::numeric_limits<float>::quiet_NaN();
    damaged.joyY = 3.0f;
    auto instance = activeRoom();
    ASSERT_EQ(instance->loadState(damaged.bytes()), kResultOk);

    RoomState expected;
    expected.gain = 0.5f; // a NaN becomes the default
    expected.absLR = 14.0f;
    expected.volFB = 1.0f; // an infinity is no number either
    expected.position = 10;
    expected.decayType = 0;
    expected.speed = 8.0f;
    expected.joyX = 0.0f;
    expected.joyY = 1.0f;
    EXPECT_EQ(instance->saveState(), expected.bytes());
    IEditController& controller = instance->controller();
    EXPECT_DOUBLE_EQ(controller.getParamNormalized(0), 0.5);
    EXPECT_DOUBLE_EQ(controller.getParamNormalized(3), 1.0);
    EXPECT_DOUBLE_EQ(controller.getParamNormalized(1), 1.0);
    EXPECT_DOUBLE_EQ(controller.getParamNormalized(kJoystickY), 1.0);
}

TEST(State, DoubleControlsTakeEightBytes)
{
    auto instance = probeInstance();
    const Bytes state = instance->saveState();
    // version, Level, Steps, Switch, Fine (8), Cutoff, Drive, Hidden, Learn, Learn Too, Mode,
    // bypass, joystick: meters carry no value.
    ASSERT_EQ(state.size(), 8u + 3 * 4 + 8 + 6 * 4 + 2 + 8);
    EXPECT_EQ(stateValue<double>(state, 20), 0.25);
    EXPECT_EQ(stateValue<int32>(state, 12), 2);
}

TEST(State, ControllerStateIsNotSeparate)
{
    auto instance = roomInstance();
    host::PluginInstance& plugin = *instance;
    MemoryStream stream;
    EXPECT_EQ(plugin.controller().getState(&stream), kNotImplemented);
    EXPECT_EQ(plugin.controller().setState(&stream), kNotImplemented);
}

} // namespace vevadur::test
