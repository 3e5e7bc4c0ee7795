// A host's two threads at once, as hosts run them: the UI thread loads states, switches the
// program, moves parameters and turns the editor's timer, while the audio thread processes noise
// in 64-frame blocks with automation of its own; through VST3 and through VST2. Built with
// ThreadSanitizer this is the proof that the two never touch the same memory unguarded; in any
// build the output stays finite, and once the UI thread's last state has had a refresh period
// to settle, the instance holds exactly that state and sounds like a fresh one given it.
#include "../vst2/Vst2TestHost.h"
#include "../vst3/PluginTestSupport.h"
#include "../vst3/RoomStateStream.h"

#include "pluginterfaces/base/futils.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <thread>

namespace vevadur::test
{
namespace
{
using Clock = std::chrono::steady_clock;

constexpr int32 kBlock = 64;
constexpr double kRate = 48000.0;
// The convolvers renew their responses partition by partition within one refresh period of
// 65536 frames; the output of the last partitions follows up to one response length later.
constexpr int64_t kRefreshFrames = 2 * 65536;
// How long the UI thread keeps changing things, at most; fewer operations under a sanitizer.
constexpr auto kStressTime = std::chrono::milliseconds(1500);
constexpr int kMaxOperations = 400;
constexpr int kCompareBlocks = 64;
constexpr ParamID kPresets = CCONST('p', 'r', 's', 't');

// The input of frame n, channel c: the same noise for every instance that is fed frame n.
float noiseAt(int64_t frame, int channel)
{
    uint32_t x = static_cast<uint32_t>(frame * 2 + channel) * 2654435761u;
    x ^= x >> 15;
    x *= 2246822519u;
    x ^= x >> 13;
    return static_cast<float>(static_cast<int32_t>(x >> 8) - (1 << 23)) / (1 << 24);
}

void fillNoise(Audio& in, int64_t firstFrame)
{
    for (int c = 0; c < 2; ++c)
        for (int32 i = 0; i < kBlock; ++i)
            in[static_cast<size_t>(c)][static_cast<size_t>(i)] = noiseAt(firstFrame + i, c);
}

// Random valid states, and the final one the stress ends on.
struct StressStates
{
    static RoomState random(std::mt19937& rng)
    {
        std::uniform_real_distribution<float> unit(0.0f, 1.0f);
        RoomState s;
        s.gain = unit(rng);
        s.position = rng() % 11;
        s.volLR = unit(rng);
        s.absLR = 14.0f * unit(rng);
        s.volFB = unit(rng);
        s.absFB = 14.0f * unit(rng);
        s.volCF = unit(rng);
        s.absCF = 14.0f * unit(rng);
        s.decayType = static_cast<int32>(rng() % 2);
        s.stereoMono = rng() % 2;
        s.leftRight = rng() % 2;
        s.speed = 8.0f * unit(rng);
        s.reverse = rng() % 2;
        s.bypass = static_cast<int16>(rng() % 4 == 0);
        s.joyX = 2.0f * unit(rng) - 1.0f;
        s.joyY = 2.0f * unit(rng) - 1.0f;
        return s;
    }

    // Only the ceiling and floor sound, and they do not turn with the listener: the output does
    // not depend on the rotation phase the instance has reached.
    static RoomState final()
    {
        RoomState s;
        s.gain = 0.75f;
        s.position = 3;
        s.volLR = 0.0f;
        s.volFB = 0.0f;
        s.volCF = 0.8f;
        s.absCF = 3.0f;
        s.decayType = 0;
        s.speed = 2.5f;
        s.joyX = 0.25f;
        return s;
    }
};

// Stops and joins a thread however the test ends: a failed assertion returns early, and a
// thread still joinable then would end the whole program.
class ScopedJoin
{
  public:
    ScopedJoin(std::thread& thread, std::function<void()> stop)
        : m_thread(thread), m_stop(std::move(stop))
    {
    }
    ~ScopedJoin()
    {
        m_stop();
        if (m_thread.joinable()) m_thread.join();
    }

  private:
    std::thread& m_thread;
    std::function<void()> m_stop;
};

// The audio thread's side of a run: blocks of noise from frame 0 on, automation while allowed.
struct AudioSide
{
    std::atomic<bool> stop{false};
    std::atomic<bool> automate{true};
    std::atomic<int64_t> frames{0};
    std::atomic<int> nonFinite{0};

    // Waits until the audio thread has processed `count` more frames; fails after 60 s saying
    // how far it got.
    ::testing::AssertionResult waitFrames(int64_t count) const
    {
        const int64_t start = frames.load();
        const auto deadline = Clock::now() + std::chrono::seconds(60);
        while (frames.load() < start + count)
        {
            if (Clock::now() > deadline)
                return ::testing::AssertionFailure()
                       << "waited 60 s for the audio thread to process " << count
                       << " more frames; it processed " << frames.load() - start;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return ::testing::AssertionSuccess();
    }

    void check(const float* const* out)
    {
        for (int c = 0; c < 2; ++c)
            for (int32 i = 0; i < kBlock; ++i)
                if (!std::isfinite(out[c][i])) nonFinite.fetch_add(1);
    }
};

// Peak of the reference, and the largest difference of two equally long recordings.
void expectSameOutput(const std::vector<float>& got, const std::vector<float>& expected)
{
    ASSERT_EQ(got.size(), expected.size());
    float peak = 0.0f;
    double worst = 0.0;
    for (size_t i = 0; i < got.size(); ++i)
    {
        peak = std::max(peak, std::abs(expected[i]));
        worst = std::max(worst, std::abs(static_cast<double>(got[i]) - expected[i]));
    }
    EXPECT_GT(peak, 1e-4f) << "the final state must sound";
    EXPECT_LE(worst, 1e-10 * peak) << "peak " << peak;
}

// ---- VST3 ----------------------------------------------------------------------------------

// Processes frames [first, first + count) of the noise, appending channel 0 and 1 output.
void processNoise(ProcessBlock& block, int64_t first, int64_t count, std::vector<float>* record)
{
    Audio in(2, kBlock), out(2, kBlock);
    for (int64_t f = first; f < first + count; f += kBlock)
    {
        fillNoise(in, f);
        block.process(in.channels(), out.channels(), kBlock);
        if (record)
            for (int c = 0; c < 2; ++c)
                record->insert(record->end(), out[static_cast<size_t>(c)].begin(),
                               out[static_cast<size_t>(c)].end());
    }
}

TEST(ThreadStress, Vst3UiAndAudioThreadsTogether)
{
    auto instance = roomInstance();
    activate(*instance, kRate, kBlock);
    ProcessBlock block(*instance);
    auto connection = instance->query<IConnectionPoint>();
    ASSERT_TRUE(connection);
    auto sendText = [&](const char16_t* text)
    {
        IPtr<HostMessage> message = owned(new HostMessage);
        message->setMessageID("TextMessage");
        message->getAttributes()->setString("Text", text);
        connection->notify(message);
    };

    AudioSide side;
    std::thread audio(
        [&]
        {
            std::mt19937 rng(7);
            Audio in(2, kBlock), out(2, kBlock);
            while (!side.stop.load())
            {
                const int64_t frame = side.frames.load();
                fillNoise(in, frame);
                if (side.automate.load() && rng() % 4 == 0)
                    block.addParameterChange(rng() % 13, static_cast<int32>(rng() % kBlock),
                                             std::uniform_real_distribution<double>(0, 1)(rng));
                block.process(in.channels(), out.channels(), kBlock);
                side.check(out.channels());
                side.frames.store(frame + kBlock);
            }
        });
    ScopedJoin joinAudio(audio, [&] { side.stop.store(true); });

    std::mt19937 rng(11);
    IEditController& controller = instance->controller();
    const auto until = Clock::now() + kStressTime;
    for (int k = 0; k < kMaxOperations && Clock::now() < until; ++k)
    {
        switch (rng() % 6)
        {
        case 0:
            EXPECT_EQ(instance->loadState(StressStates::random(rng).bytes()), kResultOk);
            break;
        case 1:
            controller.setParamNormalized(kPresets, 0.0);
            break;
        case 2:
            controller.setParamNormalized(rng() % 13,
                                          std::uniform_real_distribution<double>(0, 1)(rng));
            break;
        case 3:
            sendText(u"VSTGUITimerPing");
            break;
        case 4:
            sendText(u"RecreateView");
            break;
        default:
            EXPECT_FALSE(instance->saveState().empty());
            break;
        }
    }

    // The last state, once no automation is on its way any more.
    side.automate.store(false);
    ASSERT_TRUE(side.waitFrames(2 * kBlock));
    const Bytes last = StressStates::final().bytes();
    ASSERT_EQ(instance->loadState(last), kResultOk);
    ASSERT_TRUE(side.waitFrames(kRefreshFrames));
    side.stop.store(true);
    audio.join();
    EXPECT_EQ(side.nonFinite.load(), 0);
    EXPECT_EQ(instance->saveState(), last);

    // A fresh instance given the same state and all the same input.
    const int64_t played = side.frames.load();
    auto fresh = roomInstance();
    activate(*fresh, kRate, kBlock);
    ASSERT_EQ(fresh->loadState(last), kResultOk);
    ProcessBlock freshBlock(*fresh);
    processNoise(freshBlock, 0, played, nullptr);
    std::vector<float> got, expected;
    processNoise(block, played, kCompareBlocks * kBlock, &got);
    processNoise(freshBlock, played, kCompareBlocks * kBlock, &expected);
    expectSameOutput(got, expected);
}

// ---- VST2 ----------------------------------------------------------------------------------

// A host that logs nothing, so that both threads may call it.
intptr_t quietHost(vst_effect*, int32_t opcode, int32_t, intptr_t, void*, float)
{
    return opcode == Steinberg::Vst::Vst2Abi::kHostVersion ? 2400 : 0;
}

struct Vst2Instance
{
    explicit Vst2Instance(const vst2test::Vst2Module& module)
    {
        if (auto main = module.entry("VSTPluginMain")) effect = main(&quietHost);
        if (!effect) return;
        dispatch(Steinberg::Vst::Vst2Abi::kOpen);
        dispatch(Steinberg::Vst::Vst2Abi::kSetSampleRate, 0, 0, nullptr, static_cast<float>(kRate));
        dispatch(Steinberg::Vst::Vst2Abi::kSetBlockSize, 0, kBlock);
        dispatch(Steinberg::Vst::Vst2Abi::kMainsChanged, 0, 1);
    }
    ~Vst2Instance()
    {
        if (!effect) return;
        dispatch(Steinberg::Vst::Vst2Abi::kMainsChanged, 0, 0);
        dispatch(Steinberg::Vst::Vst2Abi::kClose);
    }
    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0.0f) const
    {
        return effect->control(effect, static_cast<VST_EFFECT_OPCODE>(opcode), index, value, ptr,
                               opt);
    }
    bool setChunk(const Bytes& bytes) const
    {
        return dispatch(Steinberg::Vst::Vst2Abi::kSetChunk, 0, static_cast<intptr_t>(bytes.size()),
                        const_cast<std::uint8_t*>(bytes.data())) == 1;
    }
    Bytes chunk() const
    {
        void* data = nullptr;
        const intptr_t size = dispatch(Steinberg::Vst::Vst2Abi::kGetChunk, 0, 0, &data);
        if (size <= 0 || !data) return {};
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        return Bytes(bytes, bytes + size);
    }
    void process(int64_t first, std::vector<float>* record) const
    {
        Audio in(2, kBlock), out(2, kBlock);
        fillNoise(in, first);
        effect->process_float(effect, in.channels(), out.pointers.data(), kBlock);
        if (record)
            for (int c = 0; c < 2; ++c)
                record->insert(record->end(), out[static_cast<size_t>(c)].begin(),
                               out[static_cast<size_t>(c)].end());
    }

    vst_effect* effect = nullptr;
};

TEST(ThreadStress, Vst2UiAndAudioThreadsTogether)
{
    vst2test::Vst2Module module(vst2test::pluginPath());
    ASSERT_TRUE(module.loaded());
    Vst2Instance plugin(module);
    ASSERT_NE(plugin.effect, nullptr);
    vst_effect* effect = plugin.effect;

    AudioSide side;
    std::thread audio(
        [&]
        {
            std::mt19937 rng(5);
            Audio in(2, kBlock), out(2, kBlock);
            while (!side.stop.load())
            {
                const int64_t frame = side.frames.load();
                fillNoise(in, frame);
                // VST2 hosts automate from their audio thread.
                if (side.automate.load() && rng() % 4 == 0)
                    effect->set_parameter(effect, rng() % 13,
                                          std::uniform_real_distribution<float>(0, 1)(rng));
                effect->process_float(effect, in.channels(), out.pointers.data(), kBlock);
                side.check(out.channels());
                side.frames.store(frame + kBlock);
            }
        });
    ScopedJoin joinAudio(audio, [&] { side.stop.store(true); });

    std::mt19937 rng(13);
    const auto until = Clock::now() + kStressTime;
    for (int k = 0; k < kMaxOperations && Clock::now() < until; ++k)
    {
        switch (rng() % 5)
        {
        case 0:
            EXPECT_TRUE(plugin.setChunk(StressStates::random(rng).bytes()));
            break;
        case 1:
            plugin.dispatch(Steinberg::Vst::Vst2Abi::kSetProgram, 0, 0);
            break;
        case 2:
            effect->set_parameter(effect, rng() % 13,
                                  std::uniform_real_distribution<float>(0, 1)(rng));
            break;
        case 3:
            plugin.dispatch(Steinberg::Vst::Vst2Abi::kEditIdle);
            break;
        default:
            EXPECT_FALSE(plugin.chunk().empty());
            break;
        }
    }

    side.automate.store(false);
    ASSERT_TRUE(side.waitFrames(2 * kBlock));
    plugin.dispatch(Steinberg::Vst::Vst2Abi::kEditIdle); // the UI side's values are all out
    ASSERT_TRUE(side.waitFrames(2 * kBlock));
    const Bytes last = StressStates::final().bytes();
    ASSERT_TRUE(plugin.setChunk(last));
    ASSERT_TRUE(side.waitFrames(kRefreshFrames));
    side.stop.store(true);
    audio.join();
    EXPECT_EQ(side.nonFinite.load(), 0);
    EXPECT_EQ(plugin.chunk(), last);

    const int64_t played = side.frames.load();
    Vst2Instance fresh(module);
    ASSERT_NE(fresh.effect, nullptr);
    ASSERT_TRUE(fresh.setChunk(last));
    for (int64_t f = 0; f < played; f += kBlock)
        fresh.process(f, nullptr);
    std::vector<float> got, expected;
    for (int64_t f = played; f < played + kCompareBlocks * kBlock; f += kBlock)
    {
        plugin.process(f, &got);
        fresh.process(f, &expected);
    }
    expectSameOutput(got, expected);
}

} // namespace
} // namespace vevadur::test
