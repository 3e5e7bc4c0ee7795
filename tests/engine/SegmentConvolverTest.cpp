#include "engine/reference/SegmentConvolver.h"
#include "TestSignals.h"
#include "engine/DecayEnvelope.h"
#include "engine/bank/ResponseBank.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace Engine;

namespace
{
constexpr int32_t kLength = ResponseBank::kTableLength;
constexpr int kRate = 48000;
constexpr double kTolerance = 1e-9; // outputs are sums of thousands of O(1) products

struct Stage
{
    int32_t block;
    int32_t segment;
    int32_t start;
    int32_t delay() const { return 2 * block - 1; }
};
constexpr Stage kHead{128, 4096, 0};
constexpr Stage kTail{2048, 65536, 4096};

struct Settings
{
    double absFB, absLR, absCF;
    int curve;
    double gainFB, gainLR, gainCF;
};
constexpr Settings kHyperbolic{3.0, 7.0, 1.5, kHyperbolicDecay, 0.8, 0.5, 1.2};
constexpr Settings kExponential{2.0, 5.0, 0.5, kExponentialDecay, -0.3, 1.0, 0.4};

double envelope(int32_t i, double a, int curve)
{
    const double fs = kRate;
    return curve != 0 ? fs / (i * (a * 7.5 + 0.07) + fs) : std::exp(-(i * a / fs));
}

class SegmentConvolverTest : public testing::Test
{
  protected:
    std::vector<double> fb = noise(kLength, 1), lr = noise(kLength, 2), cf = noise(kLength, 3);

    std::unique_ptr<SegmentConvolver> make(Stage s, const Settings& settings, bool negate = false)
    {
        auto c = std::make_unique<SegmentConvolver>(0, kRate, negate, kLength, s.segment, s.block,
                                                    s.start);
        c->loadTables(table(fb), table(lr), table(cf));
        apply(*c, settings);
        return c;
    }

    static void apply(SegmentConvolver& c, const Settings& s)
    {
        c.setEnvelopes(s.absFB, s.absLR, s.absCF, kRate, s.curve);
        c.setGains(s.gainFB, s.gainLR, s.gainCF);
    }

    static TableRef table(const std::vector<double>& samples)
    {
        TableRef ref(static_cast<int32_t>(samples.size()));
        ref.data = samples.data();
        return ref;
    }

    double expectedCombined(int32_t i, const Settings& s, bool negate) const
    {
        const double lrTerm = envelope(i, s.absLR, s.curve) * s.gainLR * lr[i];
        return envelope(i, s.absFB, s.curve) * s.gainFB * fb[i] + (negate ? -lrTerm : lrTerm) +
               envelope(i, s.absCF, s.curve) * s.gainCF * cf[i];
    }
};

// Pushes every sample and collects the output read after each push.
std::vector<double> run(SegmentConvolver& c, const std::vector<double>& x)
{
    std::vector<double> y(x.size());
    for (size_t t = 0; t < x.size(); ++t)
    {
        c.push(x[t]);
        y[t] = c.output();
    }
    return y;
}

// Time-domain convolution of the convolver's segment with x, delayed by 2B - 1.
double directOutput(const SegmentConvolver& c, Stage s, const std::vector<double>& x, int64_t t)
{
    double sum = 0.0;
    for (int64_t n = 0; n < s.segment && t - s.delay() - n >= 0; ++n)
        sum += c.combined(s.start + int32_t(n)) * x[t - s.delay() - n];
    return sum;
}

std::vector<double> impulseAt(size_t t, size_t length)
{
    std::vector<double> x(length, 0.0);
    x[t] = 1.0;
    return x;
}
} // namespace

TEST_F(SegmentConvolverTest, CombinedResponseFollowsTablesEnvelopesGainsAndNegateFlag)
{
    for (bool negate : {false, true})
        for (const Settings& s : {kHyperbolic, kExponential})
            for (Stage stage : {kHead, kTail})
            {
                const auto c = make(stage, s, negate);
                for (int32_t i = stage.start; i < stage.start + stage.segment; i += 7)
                    ASSERT_NEAR(c->combined(i), expectedCombined(i, s, negate), 1e-15) << i;
                EXPECT_EQ(c->combined(stage.start - 1), 0.0);
                EXPECT_EQ(c->combined(stage.start + stage.segment), 0.0);
            }
}

TEST_F(SegmentConvolverTest, EnvelopesFollowTheirFormulas)
{
    const std::vector<double> ones(kLength, 1.0);
    SegmentConvolver c(0, kRate, false, kLength, kTail.segment, kTail.block, kTail.start);
    c.loadTables(table(ones), table(ones), table(ones));
    c.setGains(1.0, 0.0, 0.0);
    c.setEnvelopes(7.0, 0.0, 0.0, kRate, kHyperbolicDecay);
    EXPECT_DOUBLE_EQ(c.combined(kRate), 1.0 / 53.57); // hyperbolic at a = 7 after one second
    c.setEnvelopeFB(7.0, kRate, kExponentialDecay);
    EXPECT_DOUBLE_EQ(c.combined(kRate), std::exp(-7.0));

    // Each setter reaches only its own component.
    const struct
    {
        void (SegmentConvolver::*set)(double, int, int);
        double gFB, gLR, gCF;
    } components[] = {{&SegmentConvolver::setEnvelopeFB, 1, 0, 0},
                      {&SegmentConvolver::setEnvelopeLR, 0, 1, 0},
                      {&SegmentConvolver::setEnvelopeCF, 0, 0, 1}};
    for (const auto& component : components)
        for (int curve : {kHyperbolicDecay, kExponentialDecay})
        {
            c.setEnvelopes(0.0, 0.0, 0.0, kRate, kExponentialDecay); // all ones
            (c.*component.set)(4.5, kRate, curve);
            c.setGains(component.gFB, component.gLR, component.gCF);
            for (int32_t i = kTail.start; i < kLength; i += 331)
                ASSERT_DOUBLE_EQ(c.combined(i), envelope(i, 4.5, curve)) << i;
        }
}

TEST_F(SegmentConvolverTest, ImpulseReturnsTheSegmentTwoBlocksLessOneLater)
{
    for (Stage stage : {kHead, kTail})
    {
        const auto c = make(stage, kHyperbolic);
        // Once at creation, once mid-block after the response has settled.
        for (size_t at : {size_t(0), size_t(33 * stage.block + 17)})
        {
            const std::vector<double> x = impulseAt(at, at + stage.delay() + stage.segment + 500);
            const std::vector<double> y = run(*c, x);
            for (size_t t = at; t < x.size(); ++t)
            {
                const int64_t n = int64_t(t) - int64_t(at) - stage.delay();
                const double expected =
                    n >= 0 && n < stage.segment ? c->combined(stage.start + int32_t(n)) : 0.0;
                ASSERT_NEAR(y[t], expected, 1e-12) << "block " << stage.block << " tap " << n;
            }
            // The push that completes a block reads element 0 of the new block: the first tap
            // appears exactly on the push at + 2B - 1, not one earlier or later.
            if (at == 0)
            {
                EXPECT_EQ(y[stage.delay() - 1], 0.0);
                EXPECT_NE(y[stage.delay()], 0.0);
            }
        }
    }
}

TEST_F(SegmentConvolverTest, NoiseMatchesDirectConvolution)
{
    {
        const auto c = make(kHead, kHyperbolic);
        const std::vector<double> x = noise(40 * kHead.block, 7);
        const std::vector<double> y = run(*c, x);
        for (size_t t = 0; t < x.size(); ++t)
            ASSERT_NEAR(y[t], directOutput(*c, kHead, x, t), kTolerance) << t;
    }
    {
        // The tail is long: check a spread of samples plus whole stretches around block ends.
        const auto c = make(kTail, kExponential);
        const std::vector<double> x = noise(36 * kTail.block, 8);
        const std::vector<double> y = run(*c, x);
        for (size_t t = 0; t < x.size(); ++t)
        {
            const size_t phase = t % kTail.block;
            if (t % 97 == 0 || phase < 3 || phase > kTail.block - 3)
            {
                ASSERT_NEAR(y[t], directOutput(*c, kTail, x, t), kTolerance) << t;
            }
        }
    }
}

// The whole schedule against a time-domain model: output block q sums, for every partition m,
// input block q-1-m convolved with partition m as it was read while being gathered, in the last
// block G <= q-1 with G = m (mod P). Covers the build-up after the response is first set, a
// change at a block start and a change in the middle of a block.
TEST_F(SegmentConvolverTest, ChangesFollowThePartitionRefreshSchedule)
{
    const Stage s = kHead;
    const int32_t b = s.block, p = s.segment / s.block, blocks = 90;
    SegmentConvolver c(0, kRate, false, kLength, s.segment, b, s.start);
    c.loadTables(table(fb), table(lr), table(cf)); // envelopes still zero: silence

    struct Version
    {
        int64_t from;
        std::vector<double> response;
    };
    std::vector<Version> versions{{0, std::vector<double>(s.segment, 0.0)}};
    const struct
    {
        int64_t at;
        Settings settings;
    } changes[] = {{3 * b, kHyperbolic}, {45 * b + 37, kExponential}};

    const std::vector<double> x = noise(size_t(blocks) * b, 9);
    std::vector<double> y(x.size());
    size_t next = 0;
    for (size_t t = 0; t < x.size(); ++t)
    {
        if (next < std::size(changes) && changes[next].at == int64_t(t))
        {
            apply(c, changes[next++].settings);
            versions.push_back({int64_t(t), std::vector<double>(s.segment)});
            for (int32_t n = 0; n < s.segment; ++n)
                versions.back().response[n] = c.combined(n);
        }
        c.push(x[t]);
        y[t] = c.output();
    }

    const auto tapReadAt = [&](int64_t time, int32_t tap)
    {
        const Version* in = &versions.front();
        for (const Version& v : versions)
            if (v.from <= time) in = &v;
        return in->response[tap];
    };
    std::vector<double> model(x.size() + 2 * b, 0.0);
    for (int64_t q = 1; q <= blocks; ++q)
        for (int32_t m = 0; m < p; ++m)
        {
            const int64_t inputBlock = q - 1 - m;
            const int64_t gathered = q - 1 - ((q - 1 - m) % p);
            if (inputBlock < 0 || gathered < 0) continue;
            for (int32_t n = 0; n < b && inputBlock * b + n < int64_t(x.size()); ++n)
                for (int32_t l = 0; l < b; ++l)
                    model[(q - 1) * b + n + l] +=
                        x[inputBlock * b + n] * tapReadAt(gathered * b + l, m * b + l);
        }
    for (size_t t = s.delay(); t < x.size(); ++t)
        ASSERT_NEAR(y[t], model[t - s.delay()], kTolerance) << t;
}

// Restarted mid-block, in the middle of a change's refresh, with sound in flight: from the next
// push on it convolves exactly as a fresh convolver given the same response, which is the
// direct convolution of the input since the restart.
TEST_F(SegmentConvolverTest, RestartForgetsTheSoundAndCompletesTheRefresh)
{
    for (Stage stage : {kHead, kTail})
    {
        // More blocks than partitions: every slot of the spectral history holds sound.
        const auto c = make(stage, kHyperbolic);
        run(*c, noise(size_t(35 * stage.block + 5), 13));
        apply(*c, kExponential);
        run(*c, noise(size_t(3 * stage.block + stage.block / 2), 14));
        c->restart();

        const auto fresh = make(stage, kExponential);
        const std::vector<double> x =
            noise(size_t(stage.delay() + stage.segment + stage.block), 15);
        const std::vector<double> y = run(*c, x);
        const std::vector<double> expected = run(*fresh, x);
        for (size_t t = 0; t < x.size(); ++t)
            ASSERT_EQ(y[t], expected[t]) << "block " << stage.block << ", push " << t;
        for (size_t t = 0; t < x.size(); t += 997)
            ASSERT_NEAR(y[t], directOutput(*c, stage, x, int64_t(t)), kTolerance) << t;
    }
}

TEST_F(SegmentConvolverTest, NegateFlagGivesTheExactNegative)
{
    const Settings leftRightOnly{2.0, 3.0, 4.0, kHyperbolicDecay, 0.0, 0.7, 0.0};
    const auto plain = make(kHead, leftRightOnly, false);
    const auto negated = make(kHead, leftRightOnly, true);
    const std::vector<double> x = noise(40 * kHead.block, 10);
    const std::vector<double> a = run(*plain, x);
    const std::vector<double> b = run(*negated, x);
    for (size_t t = 0; t < x.size(); ++t)
        ASSERT_EQ(b[t], -a[t]) << t;
}

TEST_F(SegmentConvolverTest, SilenceWithoutEnvelopesAndOnceZeroGainsHavePassedAllPartitions)
{
    SegmentConvolver fresh(0, kRate, false, kLength, kHead.segment, kHead.block, kHead.start);
    fresh.loadTables(table(fb), table(lr), table(cf));
    for (double v : run(fresh, noise(10 * kHead.block, 11)))
        ASSERT_EQ(v, 0.0);

    const auto c = make(kHead, kHyperbolic);
    const int32_t b = kHead.block, p = 32, changeBlock = 40;
    const std::vector<double> x = noise(size_t(changeBlock + p + 6) * b, 12);
    bool heardBeforeSilence = false;
    for (size_t t = 0; t < x.size(); ++t)
    {
        if (t == size_t(changeBlock * b)) c->setGains(0.0, 0.0, 0.0);
        c->push(x[t]);
        // The last spectra holding old partitions are built in block change + P - 1, their
        // overlap runs out with block change + P + 1.
        if (t >= size_t((changeBlock + p + 2) * b - 1))
            ASSERT_EQ(c->output(), 0.0) << t;
        else if (t >= size_t(changeBlock * b))
            heardBeforeSilence = heardBeforeSilence || c->output() != 0.0;
    }
    EXPECT_TRUE(heardBeforeSilence);
}

TEST_F(SegmentConvolverTest, BadArgumentsAndSamplesGiveDefinedFiniteResults)
{
    // Odd sizes are fitted: block 100 -> 64, a start before 0 -> 0, segment clipped to the table.
    SegmentConvolver odd(0, kRate, false, kLength, 1 << 20, 100, -5);
    EXPECT_EQ(odd.blockSize(), 64);
    EXPECT_EQ(odd.segmentStart(), 0);
    EXPECT_LE(odd.segmentEnd(), kLength);
    TableRef shortTable = table(fb);
    shortTable.length = 100; // entries beyond a table's length count as zero
    odd.loadTables(shortTable, TableRef(kLength), table(cf));
    odd.setEnvelopes(0.0, 0.0, 0.0, kRate, kExponentialDecay);
    odd.setGains(1.0, 1.0, 0.0);
    EXPECT_EQ(odd.combined(99), fb[99]);
    EXPECT_EQ(odd.combined(100), 0.0);
    odd.setGains(std::nan(""), INFINITY, 1e300);
    odd.setEnvelopes(std::nan(""), -1.0, 1e308, 0, kHyperbolicDecay);
    std::vector<double> x = noise(8 * 64, 13);
    x[5] = std::nan("");
    x[77] = INFINITY;
    x[78] = -1e300;
    for (double v : run(odd, x))
        ASSERT_TRUE(std::isfinite(v));

    // Segments with no room for a partition stay silent.
    SegmentConvolver empty(0, kRate, false, kLength, 10, 128, 0);
    SegmentConvolver pastTheEnd(0, kRate, false, kLength, 4096, 128, kLength + 1);
    for (SegmentConvolver* c : {&empty, &pastTheEnd})
    {
        EXPECT_EQ(c->partitionCount(), 0);
        c->loadTables(table(fb), table(lr), table(cf));
        apply(*c, kHyperbolic);
        for (double v : run(*c, noise(3 * 128, 14)))
            ASSERT_EQ(v, 0.0);
    }
}

TEST(SegmentConvolverBank, PositionsSelectTheirBankTables)
{
    SegmentConvolver c(3, kRate, false, kLength, kTail.segment, kTail.block, kTail.start);
    c.setEnvelopes(0.0, 0.0, 0.0, kRate, kExponentialDecay); // envelopes of exactly 1
    const auto expectPosition = [&](int position)
    {
        const struct
        {
            double gFB, gLR, gCF;
            ResponseBank::Component component;
        } components[] = {{1, 0, 0, ResponseBank::kFrontBack},
                          {0, 1, 0, ResponseBank::kLeftRight},
                          {0, 0, 1, ResponseBank::kCeilingFloor}};
        for (const auto& k : components)
        {
            c.setGains(k.gFB, k.gLR, k.gCF);
            const double* t = ResponseBank::table(ResponseBank::tableIndex(position, k.component));
            for (int32_t i = kTail.start; i < kLength; i += 509)
                ASSERT_EQ(c.combined(i), t[i]) << position << " " << i;
        }
    };
    expectPosition(3);
    c.loadPosition(11); // keeps the tables
    expectPosition(3);
    c.loadPosition(-1); // the centre
    expectPosition(0);
}
