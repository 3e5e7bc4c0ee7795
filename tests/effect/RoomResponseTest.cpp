// The room effect's output checked against a direct computation from the bank's tables.
#include "effect/CVevadur.h"
#include "engine/bank/ResponseBank.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace Engine;

namespace
{
constexpr int kLength = ResponseBank::kTableLength;
constexpr int kLatency = 255;
// Long enough for every tail partition to have been refreshed since the last change.
constexpr int kSettleFrames = 2 * 65536;

double hyperbolic(double a, double fs, int i)
{
    return fs / (i * (a * 7.5 + 0.07) + fs);
}
double exponential(double a, double fs, int i)
{
    return std::exp(-(i * a / fs));
}

struct Weights
{
    double fb, lr, cf;
};

// gain x (wFB VFB EFB hFB + wLR VLR ELR hLR + wCF VCF ECF hCF), sample by sample.
std::vector<double> expectedResponse(const CVevadur& e, Weights w, bool exponentialCurve)
{
    const int p = static_cast<int>(e.m_uPosition);
    const double* fb = ResponseBank::table(ResponseBank::tableIndex(p, ResponseBank::kFrontBack));
    const double* lr = ResponseBank::table(ResponseBank::tableIndex(p, ResponseBank::kLeftRight));
    const double* cf =
        ResponseBank::table(ResponseBank::tableIndex(p, ResponseBank::kCeilingFloor));
    const double fs = e.m_nRateHz;
    auto env = exponentialCurve ? exponential : hyperbolic;
    std::vector<double> h(kLength);
    for (int i = 0; i < kLength; ++i)
    {
        h[i] = w.fb * e.m_fVolFB * env(e.m_fAbsFB, fs, i) * fb[i] +
               w.lr * e.m_fVolLR * env(e.m_fAbsLR, fs, i) * lr[i] +
               w.cf * e.m_fVolCF * env(e.m_fAbsCF, fs, i) * cf[i];
    }
    return h;
}

struct Capture
{
    std::vector<float> left, right;
};

// Settles the convolvers on silence, then sends one impulse into the chosen input channels.
Capture impulseResponse(CVevadur& e, bool impulseLeft, bool impulseRight, int frames,
                        int settleFrames = kSettleFrames)
{
    float in[2] = {0, 0};
    float out[2] = {0, 0};
    for (int i = 0; i < settleFrames; ++i)
        e.processFrame(in, out, 2, 2);
    Capture c;
    for (int i = 0; i < frames; ++i)
    {
        in[0] = (i == 0 && impulseLeft) ? 1.0f : 0.0f;
        in[1] = (i == 0 && impulseRight) ? 1.0f : 0.0f;
        e.processFrame(in, out, 2, 2);
        c.left.push_back(out[0]);
        c.right.push_back(out[1]);
    }
    return c;
}

void expectMatches(const std::vector<float>& out, const std::vector<double>& h, float gain)
{
    for (int i = 0; i < kLatency; ++i)
        ASSERT_NEAR(out[i], 0.0f, 1e-7f) << "before the response, frame " << i;
    for (int n = 0; n < kLength && kLatency + n < static_cast<int>(out.size()); ++n)
    {
        const float expected = static_cast<float>(h[n]) * gain;
        ASSERT_NEAR(out[kLatency + n], expected, 2e-6f) << "response sample " << n;
    }
}

std::unique_ptr<CVevadur> preparedEffect(int rate)
{
    auto e = std::make_unique<CVevadur>();
    e->m_nRateHz = rate;
    e->prepare();
    return e;
}
} // namespace

TEST(RoomResponse, ImpulseGivesTheCombinedResponseWithoutSeam)
{
    auto e = preparedEffect(44100);
    e->m_fGain = 0.75f;
    e->m_uPosition = 3; // "L45"
    e->controlChanged(CVevadur::kPosition);
    const Capture c = impulseResponse(*e, true, true, kLatency + kLength + 64);
    // Angle 0, "Reverse" off: the left ear hears -FB + CF, the right ear +LR + CF.
    expectMatches(c.left, expectedResponse(*e, {-1, 0, 1}, false), 0.75f);
    expectMatches(c.right, expectedResponse(*e, {0, 1, 1}, false), 0.75f);
    for (size_t i = kLatency + kLength; i < c.left.size(); ++i)
        ASSERT_NEAR(c.left[i], 0.0f, 1e-7f);
}

TEST(RoomResponse, ReverseFlipsTheFrontBackSign)
{
    auto e = preparedEffect(44100);
    e->m_uReverse = 1;
    e->m_fVolCF = 0.0f;
    e->controlChanged(CVevadur::kVolCF);
    const Capture c = impulseResponse(*e, true, false, kLatency + 6000);
    expectMatches(c.left, expectedResponse(*e, {1, 0, 0}, false), 0.5f);
}

TEST(RoomResponse, QuarterTurnHearsTheSideWallsOnTheLeft)
{
    auto e = preparedEffect(48000);
    e->m_uPosition = 1; // "L22"
    e->controlChanged(CVevadur::kPosition);
    e->m_dPhase = e->m_dAngle = e->m_dPi / 2;
    const Capture c = impulseResponse(*e, true, true, kLatency + 6000);
    // sin = 1 weights the side walls, the cosine weight all but vanishes.
    expectMatches(c.left, expectedResponse(*e, {-std::cos(e->m_dPi / 2), 1, 1}, false), 0.5f);
    expectMatches(c.right, expectedResponse(*e, {1, std::cos(e->m_dPi / 2), 1}, false), 0.5f);
}

TEST(RoomResponse, MonoRightSwapsTheLeftEarsWallWeights)
{
    auto e = preparedEffect(48000);
    e->m_uPosition = 1; // "L22"
    e->controlChanged(CVevadur::kPosition);
    e->m_fStereoMono = 1;
    e->m_fLeftRight = 1;
    e->m_dPhase = e->m_dAngle = e->m_dPi / 2;
    const Capture c = impulseResponse(*e, false, true, kLatency + 6000);
    // From the right input the left ear weights the front-back walls by the sine and the side
    // walls by the cosine term; the right ear is as in stereo.
    expectMatches(c.left, expectedResponse(*e, {1, -std::cos(e->m_dPi / 2), 1}, false), 0.5f);
    expectMatches(c.right, expectedResponse(*e, {1, std::cos(e->m_dPi / 2), 1}, false), 0.5f);
}

// A project restored with the exponential curve sounds exponential: the state is set before
// the host activates the effect, and activation keeps the chosen curve.
TEST(RoomResponse, PrepareAndPostConstructKeepTheChosenDecayCurve)
{
    auto e = preparedEffect(44100);
    e->setNormalizedValue(CVevadur::kDecayType, 0.0f, false);
    ASSERT_EQ(e->m_nCurveType, 0);
    e->m_fAbsCF = 3.0f;
    e->prepare();
    const Capture exp = impulseResponse(*e, true, false, kLatency + 3000);
    expectMatches(exp.left, expectedResponse(*e, {-1, 0, 1}, true), 0.5f);

    CVevadur fresh;
    fresh.m_nCurveType = 0;
    fresh.m_fAbsCF = 3.0f;
    fresh.postConstruct();
    const Capture constructed = impulseResponse(fresh, true, false, kLatency + 3000);
    expectMatches(constructed.left, expectedResponse(fresh, {-1, 0, 1}, true), 0.5f);

    e->setNormalizedValue(CVevadur::kDecayType, 1.0f, false);
    e->prepare();
    const Capture hyp = impulseResponse(*e, true, false, kLatency + 3000);
    expectMatches(hyp.left, expectedResponse(*e, {-1, 0, 1}, false), 0.5f);
}

// Activation is a host's reset, and a project's state is set before it: whatever sound is in
// flight and whatever response renewal is under way (after silence too), an impulse right after
// prepare gives the whole response of the controls as they stand, and nothing else.
TEST(RoomResponse, PrepareStartsFromSilenceWithTheWholeResponse)
{
    for (const bool sound : {true, false})
    {
        SCOPED_TRACE(sound ? "sound before prepare" : "silence before prepare");
        auto e = preparedEffect(48000);
        float in[2] = {0, 0};
        float out[2] = {0, 0};
        auto play = [&](int frames)
        {
            for (int i = 0; i < frames; ++i)
            {
                in[0] = sound ? 0.5f * std::sin(0.37f * i) : 0.0f;
                in[1] = sound ? 0.5f * std::cos(0.11f * i) : 0.0f;
                e->processFrame(in, out, 2, 2);
            }
        };
        // Both stages in the middle of a block when the controls change and when prepare comes.
        play(70077);
        e->setPlainValue(CVevadur::kPosition, 5.0f); // "L90"
        e->setPlainValue(CVevadur::kAbsLR, 3.0f);
        e->setPlainValue(CVevadur::kVolCF, 0.5f);
        e->setPlainValue(CVevadur::kAbsFB, 10.0f);
        play(300);
        e->prepare();
        const Capture c = impulseResponse(*e, true, true, kLatency + kLength + 64, 0);
        expectMatches(c.left, expectedResponse(*e, {-1, 0, 1}, false), 0.5f);
        expectMatches(c.right, expectedResponse(*e, {0, 1, 1}, false), 0.5f);
        for (size_t i = kLatency + kLength; i < c.left.size(); ++i)
        {
            ASSERT_NEAR(c.left[i], 0.0f, 1e-7f) << "frame " << i;
            ASSERT_NEAR(c.right[i], 0.0f, 1e-7f) << "frame " << i;
        }
    }
}

TEST(RoomRouting, StereoMonoAndLeftRightPickTheInput)
{
    struct Case
    {
        uint32_t mono, right;
        bool impulseLeft;
        bool leftHears, rightHears;
    };
    const Case cases[] = {
        {0, 0, true, true, false},                              // stereo: left ear from in[0]
        {0, 0, false, false, true},                             // stereo: right ear from in[1]
        {1, 0, true, true, true},                               // mono left: both ears from in[0]
        {1, 0, false, false, false}, {1, 1, false, true, true}, // mono right: both ears from in[1]
        {1, 1, true, false, false},
    };
    for (const Case& k : cases)
    {
        auto e = preparedEffect(44100);
        e->m_fStereoMono = k.mono;
        e->m_fLeftRight = k.right;
        // The head stages alone settle after 32 blocks of 128 frames.
        const Capture c = impulseResponse(*e, k.impulseLeft, !k.impulseLeft, kLatency + 1000, 8192);
        float left = 0, right = 0;
        for (size_t i = 0; i < c.left.size(); ++i)
        {
            left = std::max(left, std::fabs(c.left[i]));
            right = std::max(right, std::fabs(c.right[i]));
        }
        SCOPED_TRACE(testing::Message() << "mono " << k.mono << " right " << k.right
                                        << " impulse on " << (k.impulseLeft ? "L" : "R"));
        EXPECT_EQ(left > 1e-3f, k.leftHears);
        EXPECT_EQ(right > 1e-3f, k.rightHears);
    }
}

TEST(RoomRouting, MonoRightWithOneInputChannelUsesThatChannel)
{
    auto e = preparedEffect(44100);
    e->m_fStereoMono = 1;
    e->m_fLeftRight = 1;
    float in[2] = {0.0f, std::nanf("")}; // the second element must never be read
    float out[2] = {0, 0};
    float peak = 0;
    for (int i = 0; i < 2 * 65536 + 2000; ++i)
    {
        in[0] = i == 2 * 65536 ? 1.0f : 0.0f;
        e->processFrame(in, out, 1, 2);
        ASSERT_TRUE(std::isfinite(out[0]) && std::isfinite(out[1]));
        peak = std::max(peak, std::fabs(out[0]));
    }
    EXPECT_GT(peak, 1e-3f);
}

TEST(RoomRouting, OtherChannelCountsPassTheFirstInputToTheSecondOutput)
{
    auto e = preparedEffect(44100);
    const float in[3] = {0.25f, 0.5f, 0.75f};
    float out[2] = {0, 0};
    e->processFrame(in, out, 3, 2);
    EXPECT_EQ(out[1], 0.25f);
}

TEST(RoomControlsEffect, GainZeroSilencesAndSpeedTurnsOncePerSecond)
{
    auto e = preparedEffect(48000);
    e->setPlainValue(CVevadur::kSpeed, 1.0f);
    EXPECT_DOUBLE_EQ(e->m_dAngleInc, 2 * 3.141592653589793 / 48000);
    e->setPlainValue(CVevadur::kGain, 0.0f);
    float in[2] = {1.0f, 1.0f};
    float out[2] = {1, 1};
    for (int i = 0; i < 48000; ++i)
    {
        e->processFrame(in, out, 2, 2);
        ASSERT_EQ(out[0], 0.0f);
        ASSERT_EQ(out[1], 0.0f);
    }
    EXPECT_NEAR(e->m_dPhase, 2 * 3.141592653589793, 1e-9);
    // prepare zeroes the next frame's angle but not the running phase.
    e->prepare();
    EXPECT_EQ(e->m_dAngle, 0.0);
    EXPECT_NEAR(e->m_dPhase, 2 * 3.141592653589793, 1e-9);
}

// Silent runs skip the weighing but turn the listener all the same: after the same frames the
// phase is the very number that weighing every frame gives, whatever the runs' lengths.
TEST(RoomControlsEffect, SilentRunsAdvanceThePhaseAsSoundingFramesDo)
{
    auto silent = preparedEffect(48000);
    auto sounding = preparedEffect(48000);
    for (auto* e : {silent.get(), sounding.get()})
        e->setPlainValue(CVevadur::kSpeed, 0.37f);
    std::vector<float> zeros(256, 0.0f), ones(256, 1e-3f), out0(256), out1(256);
    float* out[2] = {out0.data(), out1.data()};
    const float* quiet[2] = {zeros.data(), zeros.data()};
    const float* sound[2] = {ones.data(), ones.data()};
    for (unsigned frames : {1u, 3u, 4u, 7u, 64u, 255u, 256u, 5u})
    {
        silent->processRun(quiet, out, 2, 2, frames);
        sounding->processRun(sound, out, 2, 2, frames);
        ASSERT_EQ(silent->m_dPhase, sounding->m_dPhase) << "after a run of " << frames;
        ASSERT_EQ(silent->m_dAngle, sounding->m_dAngle) << "after a run of " << frames;
    }
}

TEST(RoomControlsEffect, AllVolumesZeroGiveSilenceOnceRefreshed)
{
    auto e = preparedEffect(44100);
    for (uint32_t id : {CVevadur::kVolFB, CVevadur::kVolLR, CVevadur::kVolCF})
        e->setPlainValue(id, 0.0f);
    float in[2] = {0.5f, -0.5f};
    float out[2] = {0, 0};
    for (int i = 0; i < kSettleFrames; ++i)
        e->processFrame(in, out, 2, 2);
    for (int i = 0; i < 5000; ++i)
    {
        in[0] = in[1] = (i % 7) * 0.1f;
        e->processFrame(in, out, 2, 2);
        ASSERT_EQ(out[0], 0.0f);
        ASSERT_EQ(out[1], 0.0f);
    }
}

// Runs turn the listener by steps from the first frame's sine and cosine; frame by frame, every
// angle's come from the library. Both must hear the same room, also far into a session, where
// the angle's steps are its increment rounded to a coarse precision.
TEST(RoomControlsEffect, TurningListenerSoundsTheSameInRunsAsFrameByFrame)
{
    for (double startPhase : {0.0, 1.0e5})
    {
        auto runs = preparedEffect(48000);
        auto frames = preparedEffect(48000);
        for (CVevadur* e : {runs.get(), frames.get()})
        {
            e->setPlainValue(CVevadur::kSpeed, 7.3f);
            e->m_dPhase = startPhase;
        }
        constexpr unsigned kRun = 700; // longer than a pass through the room
        std::vector<float> inL(kRun), inR(kRun), outL(kRun), outR(kRun);
        float peak = 0.0f;
        for (int pass = 0; pass < 12; ++pass)
        {
            for (unsigned i = 0; i < kRun; ++i)
            {
                inL[i] = std::sin(0.01f * float(pass * kRun + i));
                inR[i] = std::cos(0.013f * float(pass * kRun + i));
            }
            const float* in[2] = {inL.data(), inR.data()};
            float* out[2] = {outL.data(), outR.data()};
            runs->processRun(in, out, 2, 2, kRun);
            for (unsigned i = 0; i < kRun; ++i)
            {
                float frameIn[2] = {inL[i], inR[i]};
                float frameOut[2] = {0, 0};
                frames->processFrame(frameIn, frameOut, 2, 2);
                peak = std::max({peak, std::fabs(frameOut[0]), std::fabs(frameOut[1])});
                ASSERT_NEAR(outL[i], frameOut[0], 1e-6f)
                    << "phase " << startPhase << " frame " << i;
                ASSERT_NEAR(outR[i], frameOut[1], 1e-6f)
                    << "phase " << startPhase << " frame " << i;
            }
        }
        EXPECT_GT(peak, 0.01f) << "the room was heard";
    }
}
