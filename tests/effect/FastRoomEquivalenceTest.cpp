// The room engine the plug-in runs against the reference model it replaces: the same effect,
// driven through the same controls, frames and runs, feeds both engines; their outputs (in double
// precision, before the output gain) must agree within 1e-10 of the output's peak, transients of
// every response change included.
#include "effect/CVevadur.h"
#include "engine/FastRoom.h"
#include "engine/reference/ReferenceRoom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

using namespace Engine;

namespace
{
// Forwards everything to both engines and keeps the largest difference of their outputs.
class ComparedRoom : public RoomModel
{
  public:
    void loadPosition(int position) override
    {
        fast_.loadPosition(position);
        reference_.loadPosition(position);
    }
    void setGain(int component, double gain) override
    {
        fast_.setGain(component, gain);
        reference_.setGain(component, gain);
    }
    void setEnvelope(int component, double absorption, int sampleRate, int curve) override
    {
        fast_.setEnvelope(component, absorption, sampleRate, curve);
        reference_.setEnvelope(component, absorption, sampleRate, curve);
    }
    void restart() override
    {
        fast_.restart();
        reference_.restart();
    }
    void process(const double* const* inputs, double* outLeft, double* outRight, int32_t frames,
                 bool rightEar) override
    {
        fastLeft_.resize(size_t(frames));
        fastRight_.resize(size_t(frames));
        fast_.process(inputs, fastLeft_.data(), fastRight_.data(), frames, rightEar);
        reference_.process(inputs, outLeft, outRight, frames, rightEar);
        for (int32_t i = 0; i < frames; ++i)
        {
            note(fastLeft_[i], outLeft[i]);
            if (rightEar) note(fastRight_[i], outRight[i]);
        }
        frames_ += frames;
    }
    size_t memoryBytes() const override { return 0; }

    double peak() const { return peak_; }
    double largestDifference() const { return difference_; }
    long long frames() const { return frames_; }
    bool allFinite() const { return finite_; }
    bool fastResting() const { return fast_.resting(); }

  private:
    void note(double fast, double reference)
    {
        finite_ = finite_ && std::isfinite(fast) && std::isfinite(reference);
        peak_ = std::max(peak_, std::fabs(reference));
        difference_ = std::max(difference_, std::fabs(fast - reference));
    }

    FastRoom fast_;
    ReferenceRoom reference_;
    std::vector<double> fastLeft_, fastRight_;
    double peak_ = 0.0;
    double difference_ = 0.0;
    long long frames_ = 0;
    bool finite_ = true;
};

struct Harness
{
    explicit Harness(int rate)
    {
        auto compared = std::make_unique<ComparedRoom>();
        room = compared.get();
        effect = std::make_unique<CVevadur>(std::move(compared));
        effect->postConstruct();
        effect->m_nRateHz = rate;
        effect->prepare();
    }

    void expectAgreement() const
    {
        ASSERT_TRUE(room->allFinite());
        ASSERT_GT(room->peak(), 0.0) << "the comparison saw no signal";
        EXPECT_LE(room->largestDifference(), 1e-10 * room->peak())
            << "peak " << room->peak() << " over " << room->frames() << " frames";
    }

    std::unique_ptr<CVevadur> effect;
    ComparedRoom* room;
};

// Plain values of every room control, drawn over their whole ranges.
void changeRandomControl(CVevadur& e, std::mt19937& random)
{
    std::uniform_int_distribution<int> pick(0, 12);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    const uint32_t id = static_cast<uint32_t>(pick(random));
    e.setNormalizedValue(id, unit(random), false);
}

// Noise through processRun in host blocks, with control changes at random frames (a run ends
// at each), now and then a prepare, as a host's automation and transport would.
void renderWithAutomation(Harness& h, int hostBlock, int frames, unsigned numIn, unsigned numOut,
                          unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> sample(-0.5f, 0.5f);
    std::uniform_int_distribution<int> gap(1, 3 * hostBlock + 2000);
    const size_t block = static_cast<size_t>(hostBlock);
    std::vector<float> in0(block), in1(block);
    std::vector<float> out0(block), out1(block);
    const float* in[2] = {in0.data(), in1.data()};
    float* out[2] = {out0.data(), out1.data()};
    int nextChange = gap(random);
    int nextPrepare = 70000;
    for (int done = 0; done < frames; done += hostBlock)
    {
        for (int i = 0; i < hostBlock; ++i)
        {
            in0[size_t(i)] = sample(random);
            in1[size_t(i)] = sample(random);
        }
        int at = 0;
        while (at < hostBlock)
        {
            const int runEnd = std::min(hostBlock, std::max(nextChange - done, at + 1));
            const float* runIn[2] = {in[0] + at, in[1] + at};
            float* runOut[2] = {out[0] + at, out[1] + at};
            h.effect->processRun(runIn, runOut, numIn, numOut, unsigned(runEnd - at));
            at = runEnd;
            if (done + at >= nextChange)
            {
                changeRandomControl(*h.effect, random);
                nextChange += gap(random);
            }
        }
        if (done >= nextPrepare)
        {
            h.effect->prepare();
            nextPrepare += 90000;
        }
    }
}

class RandomAutomation : public ::testing::TestWithParam<int>
{
};

TEST_P(RandomAutomation, FastEngineFollowsTheReferenceThroughEveryControlChange)
{
    Harness h(48000);
    renderWithAutomation(h, GetParam(), 3 * 65536 + 4096, 2, 2, 1000u + unsigned(GetParam()));
    h.expectAgreement();
}

INSTANTIATE_TEST_SUITE_P(HostBlocks, RandomAutomation,
                         ::testing::Values(1, 17, 64, 128, 1000, 4096));

// Runs of `frames` frames of noise (or silence) in host blocks of 100, which divide none of the
// engine's blocks. Returns the frames of the runs after which the fast engine was resting.
long renderPlain(Harness& h, int frames, bool sound, unsigned seed)
{
    constexpr int kBlock = 100;
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> sample(-0.5f, 0.5f);
    std::vector<float> in0(kBlock), in1(kBlock), out0(kBlock), out1(kBlock);
    const float* in[2] = {in0.data(), in1.data()};
    float* out[2] = {out0.data(), out1.data()};
    long rested = 0;
    for (int done = 0; done < frames; done += kBlock)
    {
        for (int i = 0; i < kBlock; ++i)
        {
            in0[size_t(i)] = sound ? sample(random) : 0.0f;
            in1[size_t(i)] = sound ? sample(random) : 0.0f;
        }
        h.effect->processRun(in, out, 2, 2, kBlock);
        if (h.room->fastResting())
        {
            rested += kBlock;
            EXPECT_TRUE(std::all_of(out0.begin(), out0.end(), [](float x) { return x == 0.0f; }));
            EXPECT_TRUE(std::all_of(out1.begin(), out1.end(), [](float x) { return x == 0.0f; }));
        }
    }
    return rested;
}

// Silence longer than the response lets the engine rest, counting frames only; a control moved
// in the silence wakes it until every partition holds the new response; sound after a rest
// meets the reference's output from its first frame, in the same block phase.
TEST(FastRoomEquivalence, RestAfterALongSilenceResumesInPhase)
{
    Harness h(48000);
    h.effect->setPlainValue(CVevadur::kSpeed, 1.0f);
    h.effect->setPlainValue(CVevadur::kPosition, 3.0f);
    renderPlain(h, 30000, true, 1);
    const long silence = FastRoom::kRestAfterFrames + 30000;
    const long rested = renderPlain(h, int(silence), false, 2);
    EXPECT_GT(rested, 0) << "the engine never rested";
    EXPECT_LE(rested, silence - FastRoom::kRestAfterFrames) << "it rested too early";

    h.effect->setPlainValue(CVevadur::kAbsLR, 3.0f);
    EXPECT_EQ(renderPlain(h, 60000, false, 3), 0) << "a response change is under way";
    EXPECT_GT(renderPlain(h, 20000, false, 4), 0) << "the response has settled";

    // A change as the sound returns: its partitions reach the output in the reference's order
    // only if the rest kept the partition count too.
    h.effect->setPlainValue(CVevadur::kAbsFB, 10.0f);
    renderPlain(h, 70000, true, 5);
    h.expectAgreement();
}

// With "Speed" 0 the left ear's left-right input and the right ear's front-back input are
// exactly zero: the engine leaves those halves of its products out, and must still agree.
TEST(FastRoomEquivalence, StillListenerFollowsTheReference)
{
    for (float reverse : {0.0f, 1.0f})
    {
        Harness h(48000);
        h.effect->setPlainValue(CVevadur::kReverse, reverse);
        renderPlain(h, 40000, true, 11);
        h.effect->setPlainValue(CVevadur::kPosition, 8.0f);
        renderPlain(h, 70000, true, 12);
        h.expectAgreement();
    }
}

// While a component's response holds still, the head's later partitions run in long blocks from
// a snapshot; a change then reaches them partition by partition through the short blocks, and
// the long blocks take over again once the change has settled. Changes come after long steady
// spells (the long blocks have taken over), in quick succession (a second change while the
// first still spreads), on a long block's first frame and in the middle of short blocks.
TEST(FastRoomEquivalence, ChangesAfterSteadySpellsFollowTheReference)
{
    Harness h(48000);
    h.effect->setPlainValue(CVevadur::kSpeed, 1.0f);
    std::mt19937 random(21);
    std::uniform_real_distribution<float> sample(-0.5f, 0.5f);
    std::vector<float> in0(100), in1(100), out0(100), out1(100);
    const float* in[2] = {in0.data(), in1.data()};
    float* out[2] = {out0.data(), out1.data()};
    long frame = 0;
    const auto renderUntil = [&](long end)
    {
        while (frame < end)
        {
            const int count = int(std::min(100L, end - frame));
            for (int i = 0; i < count; ++i)
            {
                in0[size_t(i)] = sample(random);
                in1[size_t(i)] = sample(random);
            }
            h.effect->processRun(in, out, 2, 2, unsigned(count));
            frame += count;
        }
    };
    const struct
    {
        long frame;
        uint32_t control;
        float value;
    } changes[] = {
        {20037, CVevadur::kVolLR, 0.3f},    {20190, CVevadur::kAbsLR, 7.0f},
        {30208, CVevadur::kAbsFB, 12.0f},   {40960, CVevadur::kPosition, 6.0f},
        {41000, CVevadur::kVolCF, 2.0f},    {52001, CVevadur::kDecayType, 0.0f},
        {60111, CVevadur::kVolFB, 0.7f},
    };
    for (const auto& change : changes)
    {
        renderUntil(change.frame);
        h.effect->setPlainValue(change.control, change.value);
    }
    renderUntil(80000);
    h.expectAgreement();
}

// Both ears of `frames` frames in host blocks of 100 (which divide none of the engine's blocks),
// noise for the first `noiseFrames` and silence after.
std::vector<float> renderNoise(CVevadur& e, int frames, int noiseFrames, unsigned seed)
{
    constexpr int kBlock = 100;
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> sample(-0.5f, 0.5f);
    std::vector<float> in0(kBlock), in1(kBlock), out0(kBlock), out1(kBlock), rendered;
    const float* in[2] = {in0.data(), in1.data()};
    float* out[2] = {out0.data(), out1.data()};
    for (int done = 0; done < frames; done += kBlock)
    {
        for (int i = 0; i < kBlock; ++i)
        {
            in0[size_t(i)] = done + i < noiseFrames ? sample(random) : 0.0f;
            in1[size_t(i)] = done + i < noiseFrames ? sample(random) : 0.0f;
        }
        e.processRun(in, out, 2, 2, kBlock);
        rendered.insert(rendered.end(), out0.begin(), out0.end());
        rendered.insert(rendered.end(), out1.begin(), out1.end());
    }
    return rendered;
}

void loadRoomControls(CVevadur& e)
{
    e.setPlainValue(CVevadur::kPosition, 5.0f);
    e.setPlainValue(CVevadur::kAbsLR, 3.0f);
    e.setPlainValue(CVevadur::kVolCF, 0.5f);
    e.setPlainValue(CVevadur::kAbsFB, 10.0f);
    e.setPlainValue(CVevadur::kDecayType, 0.0f);
}

// A prepare (a host's reset) while sound is in flight and a renewal is under way, with mixed
// partitions in both stages: both engines start again from silence with the responses whole,
// together, and sound exactly as a fresh reference model given the same controls.
TEST(FastRoomEquivalence, PrepareMidRenewalRestartsBothEnginesAsFreshOnes)
{
    constexpr int kFrames = 24000 + 72000; // noise, then the whole response dies away
    Harness h(48000);
    renderNoise(*h.effect, 70100, 70100, 1);
    loadRoomControls(*h.effect); // 70100 is in the middle of a head and a tail block
    renderNoise(*h.effect, 300, 300, 2);
    h.effect->prepare();
    const std::vector<float> restarted = renderNoise(*h.effect, kFrames, 24000, 3);
    h.expectAgreement();

    CVevadur fresh(std::make_unique<ReferenceRoom>());
    fresh.postConstruct();
    loadRoomControls(fresh);
    fresh.m_nRateHz = 48000;
    fresh.prepare();
    const std::vector<float> expected = renderNoise(fresh, kFrames, 24000, 3);
    ASSERT_EQ(restarted.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(restarted[i], expected[i]) << "frame " << i / 200 * 100 + i % 100;
}

TEST(FastRoomEquivalence, MonoAndOneChannelInputFollowTheReference)
{
    for (const auto& channels : {std::pair<unsigned, unsigned>{1, 1}, {1, 2}})
    {
        Harness h(44100);
        h.effect->setPlainValue(CVevadur::kSpeed, 3.0f);
        renderWithAutomation(h, 256, 65536 + 8192, channels.first, channels.second, 7);
        h.expectAgreement();
    }
}

TEST(FastRoomEquivalence, ImpulseAcrossTheHeadTailSeamFollowsTheReference)
{
    Harness h(48000);
    h.effect->setPlainValue(CVevadur::kReverse, 1.0f);
    h.effect->setPlainValue(CVevadur::kPosition, 4.0f);
    h.effect->setPlainValue(CVevadur::kDecayType, 0.0f);
    std::vector<float> in0(70000), in1(70000), out0(70000), out1(70000);
    const float* in[2] = {in0.data(), in1.data()};
    float* out[2] = {out0.data(), out1.data()};
    // Settle on silence so every partition holds the final response, then one impulse per ear.
    h.effect->processRun(in, out, 2, 2, 70000);
    h.effect->processRun(in, out, 2, 2, 69999);
    in0[0] = 1.0f;
    in1[100] = -0.5f;
    h.effect->processRun(in, out, 2, 2, 70000);
    h.expectAgreement();
    EXPECT_NE(out0[255 + 4096], 0.0f); // the seam is inside the compared span
}
} // namespace
