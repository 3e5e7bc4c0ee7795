// The process call: automation, bypass, flush calls, channel layouts, transport, denormals.
#include "PluginTestSupport.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#if defined(__SSE__)
#include <xmmintrin.h>
#endif

namespace vevadur::test
{
namespace
{
Audio noise(int channels, int frames, unsigned seed = 7)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
    Audio audio(channels, frames);
    for (auto& channel : audio.data)
        for (float& s : channel)
            s = sample(random);
    return audio;
}

struct ProbeSession
{
    ProbeSession() : instance(probeInstance())
    {
        activate(*instance);
        block = std::make_unique<ProcessBlock>(*instance);
    }
    std::unique_ptr<PluginInstance> instance;
    std::unique_ptr<ProcessBlock> block;
};

// A process call as a host may hand it, buses and all, whatever the arrangement says.
struct RawCall
{
    RawCall(Audio& in, Audio& out, int32 channels, int32 frames)
    {
        input.numChannels = output.numChannels = channels;
        input.channelBuffers32 = in.pointers.data();
        output.channelBuffers32 = out.pointers.data();
        data.numSamples = frames;
        data.numInputs = data.numOutputs = 1;
        data.inputs = &input;
        data.outputs = &output;
    }
    RawCall(const RawCall&) = delete;
    RawCall& operator=(const RawCall&) = delete;

    AudioBusBuffers input, output;
    ProcessData data;
};
} // namespace

TEST(Process, AutomationReachesTheEffect)
{
    ProbeSession s;
    Audio in = noise(2, 64), out(2, 64);
    s.block->addParameterChange(kLevel, 0, 0.5);
    ASSERT_EQ(s.block->process(in.channels(), out.channels(), 64), kResultOk);
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < 64; ++i)
            ASSERT_EQ(out[c][i], in[c][i] * 0.5f);

    // Only the last point of a block counts; host values outside 0..1 are limited.
    s.block->addParameterChange(kLevel, 0, 0.1);
    s.block->addParameterChange(kLevel, 40, 1.7);
    s.block->process(in.channels(), out.channels(), 64);
    EXPECT_EQ(out[0][0], in[0][0]);
    s.block->addParameterChange(kLevel, 3, std::numeric_limits<double>::quiet_NaN());
    s.block->process(in.channels(), out.channels(), 64);
    EXPECT_EQ(out[1][5], in[1][5]) << "a NaN is skipped, the level stays";
}

// Blocks without changes leave the published values alone, but a gliding control moves in
// them: the state always holds where it has got to, as the output shows it.
TEST(Process, StateFollowsAGlidingControlThroughBlocksWithoutChanges)
{
    auto instance = createInstance(VEVADUR_PROBE_BUNDLE, "Probe Gliding");
    activate(*instance);
    ProcessBlock block(*instance);
    Audio in(2, 16, 1.0f), out(2, 16);
    block.addParameterChange(kLevel, 0, 0.0);
    float reached = 1.0f;
    for (int b = 0; b < 400 && reached > 0.0f; ++b)
    {
        ASSERT_EQ(block.process(in.channels(), out.channels(), 16), kResultOk);
        ASSERT_LT(out[0][15], reached) << "block " << b << ": the level glides down";
        reached = out[0][15];
        const std::vector<std::uint8_t> state = instance->saveState();
        ASSERT_EQ(stateValue<float>(state, 8), reached) << "block " << b;
    }
    EXPECT_EQ(reached, 0.0f) << "the glide ends on the value set";
    block.process(in.channels(), out.channels(), 16);
    EXPECT_EQ(stateValue<float>(instance->saveState(), 8), 0.0f);
}

TEST(Process, AutomationReachesTheRoomEffect)
{
    auto instance = roomInstance();
    activate(*instance);
    ProcessBlock block(*instance);
    Audio in(2, 16), out(2, 16);
    block.addParameterChange(3, 0, 0.25); // Abs L-R: 3.5
    block.addParameterChange(1, 0, 0.5);  // Position: L90
    ASSERT_EQ(block.process(in.channels(), out.channels(), 16), kResultOk);
    const std::vector<std::uint8_t> state = instance->saveState();
    EXPECT_EQ(stateValue<uint32>(state, 12), 5u);
    EXPECT_EQ(stateValue<float>(state, 20), 3.5f);
}

// The room's output falls silent once its input has been silent for longer than the response
// (69632 frames and the 256-frame tail delay); the flags say so, and only then.
TEST(Process, OutputSilenceFlagsMarkTheBlocksTheRoomLeavesSilent)
{
    auto instance = roomInstance();
    activate(*instance);
    ProcessBlock block(*instance);
    constexpr int kFrames = 512;
    Audio sound = noise(2, kFrames);
    Audio silence(2, kFrames), out(2, kFrames);
    // The direct sound reaches both ears 255 + 322 frames after the input.
    for (int b = 0; b < 4; ++b)
    {
        ASSERT_EQ(block.process(sound.channels(), out.channels(), kFrames), kResultOk);
        if (b > 0)
        {
            EXPECT_EQ(block.outputSilenceFlags(), 0u) << "block " << b << " rings";
        }
    }
    int firstSilent = -1;
    for (int b = 0; b < 80000 / kFrames; ++b)
    {
        block.process(silence.channels(), out.channels(), kFrames);
        const auto isZero = [](float x) { return x == 0.0f; };
        const bool zero = std::all_of(out[0].begin(), out[0].end(), isZero) &&
                          std::all_of(out[1].begin(), out[1].end(), isZero);
        ASSERT_EQ(block.outputSilenceFlags(), zero ? 3u : 0u) << "block " << b;
        if (zero && firstSilent < 0) firstSilent = b;
    }
    // The response's last sample leaves 255 + 69631 frames after the last input; the rounding
    // residue of the spectral convolution is gone a few tail blocks (2048 frames) later.
    EXPECT_GT(firstSilent * kFrames, 69632);
    EXPECT_LE(firstSilent * kFrames, 69632 + 256 + 3 * 2048) << "the room fell silent late";
    block.process(sound.channels(), out.channels(), kFrames);
    block.process(sound.channels(), out.channels(), kFrames);
    EXPECT_EQ(block.outputSilenceFlags(), 0u) << "the room sounds again";
}

TEST(Process, BypassCopiesBitExactly)
{
    ProbeSession s;
    s.block->addParameterChange(kLevel, 0, 0.3);
    Audio in = noise(2, 100), out(2, 100);
    s.block->process(in.channels(), out.channels(), 100);
    EXPECT_NE(out[0][10], in[0][10]);

    // Switched on late in the block: the whole block is bypassed.
    s.block->addParameterChange(kBypass, 77, 1.0);
    s.block->process(in.channels(), out.channels(), 100);
    EXPECT_EQ(out.data, in.data);
    Audio other = noise(2, 100, 99);
    s.block->process(other.channels(), out.channels(), 100);
    EXPECT_EQ(out.data, other.data);

    s.block->addParameterChange(kBypass, 0, 0.0);
    s.block->process(in.channels(), out.channels(), 100);
    EXPECT_EQ(out[1][42], in[1][42] * 0.3f);
}

TEST(Process, BypassedBlocksCallNothingAndReportZeroMeters)
{
    ProbeSession s;
    s.block->addParameterChange(kBypass, 0, 1.0);
    Event noteOn{};
    noteOn.type = Event::kNoteOnEvent;
    noteOn.noteOn.velocity = 1.0f;
    s.block->addEvent(noteOn);
    Audio in(2, 8), out(2, 8);
    s.block->process(in.channels(), out.channels(), 8);
    EXPECT_EQ(meter(*s.block, kRate), 0.0);
    s.block->addParameterChange(kBypass, 0, 0.0);
    s.block->process(in.channels(), out.channels(), 8);
    EXPECT_EQ(meter(*s.block, kCalls), 0.0) << "the note of the bypassed block never arrived";
    EXPECT_EQ(meter(*s.block, kRate), 48000.0);
}

TEST(Process, FlushCallsApplyParameterChanges)
{
    ProbeSession s;
    s.block->addParameterChange(kLevel, 0, 0.25);
    EXPECT_EQ(s.block->flush(), kResultOk);
    Audio in(2, 4, 1.0f), out(2, 4);
    s.block->process(in.channels(), out.channels(), 4);
    EXPECT_EQ(out[0][2], 0.25f);

    // A block of zero samples applies its changes and still reports the meters.
    s.block->addParameterChange(kLevel, 0, 1.0);
    EXPECT_EQ(s.block->process(in.channels(), out.channels(), 0), kResultOk);
    EXPECT_EQ(meter(*s.block, kRate), 48000.0);
    s.block->process(in.channels(), out.channels(), 4);
    EXPECT_EQ(out[1][3], 1.0f);
}

TEST(Process, MonoConfigurationProcessesOneChannel)
{
    auto instance = probeInstance();
    ASSERT_TRUE(instance->setBusArrangements(SpeakerArr::kMono, SpeakerArr::kMono));
    activate(*instance);
    ProcessBlock block(*instance);
    ASSERT_EQ(block.inputChannels(), 1);
    block.addParameterChange(kLevel, 0, 0.5);
    Audio in = noise(1, 32), out(1, 32);
    block.process(in.channels(), out.channels(), 32);
    EXPECT_EQ(out[0][31], in[0][31] * 0.5f);

    // The arrangement decides, not the buffers: a host handing two channels to a mono bus has
    // only the first processed, until the bus is stereo again.
    Audio pair = noise(2, 16), pairOut(2, 16, 9.0f);
    RawCall call(pair, pairOut, 2, 16);
    ASSERT_EQ(instance->processor().process(call.data), kResultOk);
    EXPECT_EQ(pairOut[0][5], pair[0][5] * 0.5f);
    EXPECT_EQ(pairOut[1][5], 9.0f);
    instance->deactivate();
    ASSERT_TRUE(instance->setBusArrangements(SpeakerArr::kStereo, SpeakerArr::kStereo));
    activate(*instance);
    ASSERT_EQ(instance->processor().process(call.data), kResultOk);
    EXPECT_EQ(pairOut[1][5], pair[1][5] * 0.5f);
}

TEST(Process, MissingOrShortBuffersAreSurvived)
{
    ProbeSession s;
    Audio in = noise(2, 16), out(2, 16, 9.0f);
    // The host hands one channel where the arrangement says two: only that one is touched.
    RawCall call(in, out, 1, 16);
    AudioBusBuffers& input = call.input;
    AudioBusBuffers& output = call.output;
    ProcessData& data = call.data;
    EXPECT_EQ(s.instance->processor().process(data), kResultOk);
    EXPECT_EQ(out[0][5], in[0][5]);
    EXPECT_EQ(out[1][5], 9.0f);

    // Null channel pointers, no buses, negative counts: nothing processed, nothing broken.
    float* nothing[2] = {nullptr, nullptr};
    input.numChannels = output.numChannels = 2;
    input.channelBuffers32 = nothing;
    EXPECT_EQ(s.instance->processor().process(data), kResultOk);
    data.inputs = nullptr;
    EXPECT_EQ(s.instance->processor().process(data), kResultOk);
    data.inputs = &input;
    input.channelBuffers32 = in.pointers.data();
    data.numSamples = -5;
    EXPECT_EQ(s.instance->processor().process(data), kResultOk);
}

TEST(Process, TransportReachesTheEffectFrameByFrame)
{
    ProbeSession s;
    s.block->addParameterChange(kMode, 0, 1.0); // output carries calls and position
    s.block->context().projectTimeSamples = 1000;
    s.block->context().tempo = 133.0;
    Audio in(2, 8), out(2, 8);
    s.block->process(in.channels(), out.channels(), 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(out[1][i], 1000.0f + i);
    EXPECT_EQ(meter(*s.block, kTempo), 133.0);

    // Without a process context the position counts from the block's start (the first
    // frame still sees the last position it was told).
    s.block->setContextEnabled(false);
    s.block->process(in.channels(), out.channels(), 8);
    for (int i = 1; i < 8; ++i)
        EXPECT_EQ(out[1][i], float(i));
}

#if defined(__SSE__)
TEST(Process, DenormalsAreFlushedAndTheCallersModeKept)
{
    ProbeSession s;
    const unsigned before = _mm_getcsr();
    Audio in(2, 4, 1e-40f), out(2, 4, 5.0f);
    s.block->process(in.channels(), out.channels(), 4);
    EXPECT_EQ(out[0][0], 0.0f);
    EXPECT_EQ(out[1][3], 0.0f);
    EXPECT_EQ(_mm_getcsr(), before);
}
#endif

TEST(Process, ActivationWithoutSetUpUsesTheDefaultRate)
{
    auto instance = probeInstance();
    ASSERT_EQ(instance->component().setActive(true), kResultOk);
    ProcessBlock block(*instance);
    Audio in(2, 4, 1.0f), out(2, 4);
    EXPECT_EQ(block.process(in.channels(), out.channels(), 4), kResultOk);
    EXPECT_EQ(out[0][1], 1.0f);
    EXPECT_EQ(meter(block, kRate), 44100.0);
    instance->component().setActive(false);
}

} // namespace vevadur::test
