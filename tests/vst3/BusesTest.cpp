// Buses, arrangements, sample size, latency and tail, and processing set-up.
#include "PluginTestSupport.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"

#include <limits>

namespace vevadur::test
{
namespace
{
BusInfo busInfo(PluginInstance& instance, MediaType type, BusDirection dir, int32 index)
{
    BusInfo info{};
    EXPECT_EQ(instance.component().getBusInfo(type, dir, index, info), kResultOk);
    return info;
}

SpeakerArrangement arrangement(PluginInstance& instance, BusDirection dir)
{
    SpeakerArrangement arr = 0;
    instance.processor().getBusArrangement(dir, 0, arr);
    return arr;
}
} // namespace

TEST(Buses, StereoInAndOutAndAnEventInput)
{
    auto instance = roomInstance();
    IComponent& component = instance->component();
    EXPECT_EQ(component.getBusCount(kAudio, kInput), 1);
    EXPECT_EQ(component.getBusCount(kAudio, kOutput), 1);
    EXPECT_EQ(component.getBusCount(kEvent, kInput), 1);
    EXPECT_EQ(component.getBusCount(kEvent, kOutput), 0);

    const BusInfo in = busInfo(*instance, kAudio, kInput, 0);
    EXPECT_EQ(utf8(in.name), "AudioInput");
    EXPECT_EQ(in.channelCount, 2);
    EXPECT_EQ(in.busType, kMain);
    EXPECT_EQ(in.flags, BusInfo::kDefaultActive);
    const BusInfo out = busInfo(*instance, kAudio, kOutput, 0);
    EXPECT_EQ(utf8(out.name), "Audio Output");
    EXPECT_EQ(out.channelCount, 2);
    const BusInfo events = busInfo(*instance, kEvent, kInput, 0);
    EXPECT_EQ(utf8(events.name), "Event Input");
    EXPECT_EQ(events.channelCount, 16);

    BusInfo none{};
    EXPECT_NE(component.getBusInfo(kAudio, kInput, 1, none), kResultOk);
    EXPECT_NE(component.getBusInfo(kAudio, kOutput, -1, none), kResultOk);
}

TEST(Buses, AcceptsMatchingMonoOrStereoOnly)
{
    auto instance = roomInstance();
    IAudioProcessor& processor = instance->processor();
    EXPECT_TRUE(instance->setBusArrangements(SpeakerArr::kMono, SpeakerArr::kMono));
    EXPECT_EQ(arrangement(*instance, kOutput), SpeakerArr::kMono);
    EXPECT_EQ(busInfo(*instance, kAudio, kInput, 0).channelCount, 1);

    EXPECT_FALSE(instance->setBusArrangements(SpeakerArr::kStereo, SpeakerArr::kMono));
    EXPECT_EQ(arrangement(*instance, kOutput), SpeakerArr::kMono) << "refusal keeps the last";
    EXPECT_FALSE(instance->setBusArrangements(SpeakerArr::k51, SpeakerArr::k51));
    EXPECT_TRUE(instance->setBusArrangements(SpeakerArr::kStereo, SpeakerArr::kStereo));
    EXPECT_EQ(arrangement(*instance, kInput), SpeakerArr::kStereo);

    // A side-chain request (two inputs) and a request without input are refused.
    SpeakerArrangement two[] = {SpeakerArr::kStereo, SpeakerArr::kStereo};
    SpeakerArrangement stereo = SpeakerArr::kStereo;
    EXPECT_NE(processor.setBusArrangements(two, 2, &stereo, 1), kResultOk);
    EXPECT_NE(processor.setBusArrangements(nullptr, 0, &stereo, 1), kResultOk);
}

TEST(Buses, InstrumentHasNoInputAndOnlyAStereoOutput)
{
    auto instance = probeInstrument();
    EXPECT_EQ(instance->component().getBusCount(kAudio, kInput), 0);
    SpeakerArrangement mono = SpeakerArr::kMono;
    SpeakerArrangement stereo = SpeakerArr::kStereo;
    EXPECT_EQ(instance->processor().setBusArrangements(nullptr, 0, &stereo, 1), kResultOk);
    EXPECT_NE(instance->processor().setBusArrangements(nullptr, 0, &mono, 1), kResultOk);
    EXPECT_NE(instance->processor().setBusArrangements(&stereo, 1, &stereo, 1), kResultOk);
}

TEST(Buses, ThirtyTwoBitSamplesOnly)
{
    auto instance = roomInstance();
    EXPECT_EQ(instance->processor().canProcessSampleSize(kSample32), kResultOk);
    EXPECT_NE(instance->processor().canProcessSampleSize(kSample64), kResultOk);
    ProcessSetup setup{kRealtime, kSample64, 512, 48000.0};
    EXPECT_NE(instance->processor().setupProcessing(setup), kResultOk);
}

TEST(LatencyAndTail, ReportedInSamplesAtTheRate)
{
    auto room = roomInstance();
    activate(*room, 48000.0);
    EXPECT_EQ(room->processor().getLatencySamples(), 0u);
    EXPECT_EQ(room->processor().getTailSamples(), 24000u);
    activate(*room, 44100.0);
    EXPECT_EQ(room->processor().getTailSamples(), 22050u);

    // The probe asks for 7.9 samples of latency (whole samples are reported) and 250 ms.
    auto probe = probeInstance();
    activate(*probe, 44100.0);
    EXPECT_EQ(probe->processor().getLatencySamples(), 7u);
    EXPECT_EQ(probe->processor().getTailSamples(), 11025u);
    auto instrument = probeInstrument();
    EXPECT_EQ(instrument->processor().getTailSamples(), kInfiniteTail);
}

TEST(ProcessingSetup, SampleRateReachesTheEffect)
{
    auto instance = probeInstance();
    activate(*instance, 96000.0);
    ProcessBlock block(*instance);
    Audio in(2, 4), out(2, 4);
    block.process(in.channels(), out.channels(), 4);
    EXPECT_EQ(meter(block, kRate), 96000.0);
    // setupProcessing and setActive each prepare the effect.
    EXPECT_EQ(meter(block, kPrepares), 2.0);
}

TEST(ProcessingSetup, UnusableSampleRatesAreRefused)
{
    auto instance = probeInstance();
    activate(*instance, 48000.0);
    instance->deactivate();
    for (double rate : {0.0, -44100.0, 0.5, std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity(), 1e12})
    {
        ProcessSetup setup{kRealtime, kSample32, 512, rate};
        EXPECT_NE(instance->processor().setupProcessing(setup), kResultOk) << rate;
    }
    // The previous rate stays in force, for the tail and for the effect.
    EXPECT_EQ(instance->processor().getTailSamples(), 12000u);
    ASSERT_EQ(instance->component().setActive(true), kResultOk);
    ProcessBlock block(*instance);
    Audio in(2, 4), out(2, 4);
    EXPECT_EQ(block.process(in.channels(), out.channels(), 4), kResultOk);
    EXPECT_EQ(meter(block, kRate), 48000.0);
    instance->component().setActive(false);
}

TEST(ProcessingSetup, AsksForTempoAndTimeSignature)
{
    auto instance = roomInstance();
    auto requirements = instance->query<IProcessContextRequirements>();
    ASSERT_TRUE(requirements);
    EXPECT_EQ(requirements->getProcessContextRequirements(),
              uint32(IProcessContextRequirements::kNeedTempo |
                     IProcessContextRequirements::kNeedTimeSignature));
}

} // namespace vevadur::test
