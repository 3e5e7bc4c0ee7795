// The hand-over from the UI thread to the audio thread, on a small effect that logs what
// reaches it: changes apply at once while processing is off and in order at the next block
// while it is on; a full ring falls back to the overflow snapshot without losing the latest
// state and recovers; reports reach the host once per parameter; and with both threads at work
// the UI side never reads a torn state.
#include "vst3/handover/EffectHandOver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using Steinberg::Vst::Veru2ZOR3::EffectHandOver;
using Steinberg::Vst::Veru2ZOR3::ParameterReports;
using Steinberg::Vst::Veru2ZOR3::StoredValues;

namespace
{
constexpr uint32_t kControls = 3;

class LoggingEffect : public CPlugIn
{
  public:
    LoggingEffect() { buildControls(); }

    bool buildControls() override
    {
        if (m_Controls.count() > 0) return true;
        for (uint32_t i = 0; i < kControls; ++i)
        {
            ControlRecord r;
            r.type = ControlRecord::kControl;
            r.id = i;
            r.name = "Value";
            r.units = "";
            r.variableName = "";
            r.enumList = "";
            r.extraText = "";
            r.minValue = 0.0f;
            r.maxValue = 10.0f;
            r.valueType = ControlRecord::kFloat;
            r.floatVariable = &m_values[i];
            m_Controls.append(r);
        }
        initJoystickRecords();
        buildExchangeArrays();
        return true;
    }

    bool controlChanged(uint32_t controlId) override
    {
        if (logging)
            log.push_back("c" + std::to_string(controlId) + "=" + text(m_values[controlId]));
        return true;
    }

    uint32_t editorMessage(EditorMessage* message) override
    {
        if (logging)
            log.push_back("m" + std::to_string(message->code) + "/" +
                          std::to_string(message->parameterIndex) + "/" +
                          text(static_cast<float>(message->parameterValue)));
        ++messages;
        message->guiWidth = 77; // an answer in the record
        return 0;
    }

    static std::string text(float v)
    {
        std::string s = std::to_string(v);
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.') s.pop_back();
        return s;
    }

    float m_values[kControls] = {};
    bool logging = true;
    std::vector<std::string> log;
    int messages = 0;
};

struct HandOverFixture : ::testing::Test
{
    HandOverFixture() { handOver.attach(&effect, &bypass); }

    StoredValues stored()
    {
        StoredValues values;
        handOver.readStoredValues(values);
        return values;
    }

    std::vector<std::pair<uint32_t, double>> reports()
    {
        std::vector<std::pair<uint32_t, double>> taken;
        handOver.takeReports([&](uint32_t id, double value) { taken.emplace_back(id, value); });
        return taken;
    }

    LoggingEffect effect;
    bool bypass = false;
    EffectHandOver handOver;
};

using Log = std::vector<std::string>;
} // namespace

TEST_F(HandOverFixture, ProcessingOffAppliesEveryChangeAtOnce)
{
    handOver.setPlainValue(1, 4.5f);
    handOver.setNormalizedValue(2, 0.5f);
    handOver.setBypass(true);
    handOver.setJoystickX(0.25f);
    handOver.setJoystickY(-0.5f);
    handOver.sendEditorMessage(13, 2, 0.5);
    EXPECT_EQ(effect.log, Log({"c1=4.5", "c2=5", "m13/2/0.5"}));
    EXPECT_TRUE(bypass);
    float x = 0.0f;
    float y = 0.0f;
    effect.getJoystickPosition(x, y);
    EXPECT_EQ(x, 0.25f);
    EXPECT_EQ(y, -0.5f);

    // The caller's own record reaches the effect, which may answer in it.
    EditorMessage message;
    message.code = EditorMessage::kTimerTick;
    handOver.sendEditorMessage(message);
    EXPECT_EQ(message.guiWidth, 77);

    // No block will carry a report.
    handOver.reportParameter(1, 0.45);
    EXPECT_TRUE(reports().empty());

    const StoredValues values = stored();
    EXPECT_EQ(values.controls, std::vector<float>({0.0f, 4.5f, 5.0f}));
    EXPECT_TRUE(values.bypass);
    EXPECT_EQ(values.joystickX, 0.25f);
    EXPECT_EQ(values.joystickY, -0.5f);
}

TEST_F(HandOverFixture, ProcessingOnDefersChangesToTheNextBlockInTheirOrder)
{
    handOver.setProcessing(true);
    handOver.setPlainValue(0, 1.0f);
    handOver.sendEditorMessage(13, 0, 0.1);
    handOver.setPlainValue(0, 2.0f);
    handOver.setPlainValue(2, 3.0f);
    EditorMessage message;
    message.code = EditorMessage::kOpened;
    handOver.sendEditorMessage(message);
    handOver.setPlainValue(0, 6.0f);
    handOver.setPlainValue(kControls, 9.0f); // no such control: ignored
    handOver.setBypass(true);
    EXPECT_TRUE(effect.log.empty()) << "nothing reaches the effect before the block";
    EXPECT_FALSE(bypass);
    EXPECT_EQ(message.guiWidth, 0) << "the audio thread answers into a record of its own";

    // The UI side already reads what it sent.
    StoredValues values = stored();
    EXPECT_EQ(values.controls, std::vector<float>({6.0f, 0.0f, 3.0f}));
    EXPECT_TRUE(values.bypass);

    handOver.applyPending();
    EXPECT_EQ(effect.log, Log({"c0=1", "m13/0/0.1", "c0=2", "c2=3", "m0/0/0", "c0=6"}));
    EXPECT_TRUE(bypass);
    handOver.publish();
    values = stored();
    EXPECT_EQ(values.controls, std::vector<float>({6.0f, 0.0f, 3.0f}));
    EXPECT_TRUE(values.bypass);

    // Stopping applies what is still pending.
    effect.log.clear();
    handOver.setPlainValue(1, 8.0f);
    handOver.setProcessing(false);
    EXPECT_EQ(effect.log, Log({"c1=8"}));
    EXPECT_FALSE(handOver.isProcessing());
}

// The ring takes exactly its capacity; the change after it starts the overflow snapshot, and
// every change made while overflowing, of any field, must survive into the effect.
TEST_F(HandOverFixture, AFullRingOverflowsIntoTheLatestStateAndRecovers)
{
    handOver.setProcessing(true);
    const auto capacity = static_cast<int>(EffectHandOver::kCapacity);
    for (int i = 1; i <= capacity; ++i)
        handOver.setPlainValue(0, static_cast<float>(i));
    handOver.setPlainValue(0, -1.0f);       // the first change that finds the ring full
    handOver.sendEditorMessage(13, 5, 0.5); // dropped while overflowing
    handOver.reportParameter(5, 0.5);       // likewise
    handOver.setPlainValue(2, 4.0f);
    handOver.setBypass(true);
    handOver.setJoystickX(0.5f);
    handOver.setJoystickY(-0.25f);

    StoredValues values = stored();
    EXPECT_EQ(values.controls, std::vector<float>({-1.0f, 0.0f, 4.0f}));
    EXPECT_TRUE(values.bypass);
    EXPECT_EQ(values.joystickX, 0.5f);
    EXPECT_EQ(values.joystickY, -0.25f);

    handOver.applyPending();
    // The ring's changes in order, then the snapshot sets every control once.
    ASSERT_EQ(effect.log.size(), static_cast<std::size_t>(capacity + kControls));
    for (int i = 1; i <= capacity; ++i)
        ASSERT_EQ(effect.log[static_cast<std::size_t>(i - 1)], "c0=" + std::to_string(i));
    EXPECT_EQ(Log(effect.log.end() - kControls, effect.log.end()), Log({"c0=-1", "c1=0", "c2=4"}));
    EXPECT_EQ(effect.m_values[0], -1.0f);
    EXPECT_EQ(effect.m_values[2], 4.0f);
    EXPECT_TRUE(bypass);
    float x = 0.0f;
    float y = 0.0f;
    effect.getJoystickPosition(x, y);
    EXPECT_EQ(x, 0.5f);
    EXPECT_EQ(y, -0.25f);
    EXPECT_TRUE(reports().empty());

    // Caught up: changes go through the ring again, messages and reports included.
    handOver.publish();
    effect.log.clear();
    handOver.sendEditorMessage(13, 1, 0.25);
    handOver.setPlainValue(1, 2.0f);
    handOver.reportParameter(1, 0.2);
    handOver.applyPending();
    EXPECT_EQ(effect.log, Log({"m13/1/0.25", "c1=2"}));
    EXPECT_EQ(reports(), (std::vector<std::pair<uint32_t, double>>{{1, 0.2}}));
    handOver.publish();
    values = stored();
    EXPECT_EQ(values.controls, std::vector<float>({-1.0f, 2.0f, 4.0f}));
}

// An overflow that begins with a change that sets no field still carries the whole state.
TEST_F(HandOverFixture, AnOverflowStartedByAMessageKeepsTheState)
{
    handOver.setProcessing(true);
    handOver.setPlainValue(1, 3.0f);
    for (std::size_t i = 1; i < EffectHandOver::kCapacity; ++i)
        handOver.sendEditorMessage(2);
    handOver.sendEditorMessage(13); // finds the ring full
    handOver.setPlainValue(2, 5.0f);
    handOver.applyPending();
    EXPECT_EQ(effect.messages, static_cast<int>(EffectHandOver::kCapacity) - 1);
    EXPECT_EQ(effect.m_values[1], 3.0f);
    EXPECT_EQ(effect.m_values[2], 5.0f);
}

TEST_F(HandOverFixture, ReportsReachTheHostOncePerParameterWithTheLastValue)
{
    handOver.setProcessing(true);
    handOver.reportParameter(5, 0.1);
    handOver.reportParameter(7, 0.2);
    handOver.reportParameter(5, 0.3);
    EXPECT_TRUE(reports().empty()) << "reports travel with the changes, to the next block";
    handOver.applyPending();
    EXPECT_EQ(reports(), (std::vector<std::pair<uint32_t, double>>{{5, 0.3}, {7, 0.2}}));
    EXPECT_TRUE(reports().empty()) << "taken once";

    // A report still on its way when processing stops has no block to go with.
    handOver.reportParameter(9, 0.9);
    handOver.setProcessing(false);
    handOver.setProcessing(true);
    handOver.applyPending();
    EXPECT_TRUE(reports().empty());

    // One block carries one report per stored field and a few more; the rest are dropped.
    const std::size_t room = kControls + 3 + EffectHandOver::kExtraReports;
    for (uint32_t id = 0; id < room + 5; ++id)
        handOver.reportParameter(100 + id, id / 100.0);
    handOver.reportParameter(100, 0.5); // one already kept: updated, not dropped
    handOver.applyPending();
    const auto taken = reports();
    ASSERT_EQ(taken.size(), room);
    EXPECT_EQ(taken.front(), std::make_pair(uint32_t(100), 0.5));
    EXPECT_EQ(taken.back().first, 100 + room - 1);
}

TEST(ParameterReports, KeepsTheFirstOrderAndTheLastValueWithinItsRoom)
{
    ParameterReports reports;
    reports.reserve(2);
    EXPECT_TRUE(reports.keep(3, 0.1));
    EXPECT_TRUE(reports.keep(4, 0.2));
    EXPECT_FALSE(reports.keep(5, 0.3)) << "no room";
    EXPECT_TRUE(reports.keep(3, 0.4)) << "a kept parameter is updated in place";
    EXPECT_EQ(reports.size(), 2u);
    std::vector<std::pair<uint32_t, double>> taken;
    reports.take([&](uint32_t id, double value) { taken.emplace_back(id, value); });
    EXPECT_EQ(taken, (std::vector<std::pair<uint32_t, double>>{{3, 0.4}, {4, 0.2}}));
    EXPECT_EQ(reports.size(), 0u);
    EXPECT_TRUE(reports.keep(5, 0.3)) << "taking makes room";
}

// The UI thread loads whole states (every control, bypass and the joystick set to one number)
// as fast as it can, now and then in bursts longer than the ring, while the audio thread runs
// blocks. Right after each load the UI side must read exactly that state: a torn read of the
// published values would show some fields from an older one. At the end the effect must hold
// the last state: an overflow snapshot lost on the way would leave an older one.
TEST(EffectHandOverThreads, LoadsReadBackWholeAndTheLastOneArrives)
{
    LoggingEffect effect;
    effect.logging = false;
    bool bypass = false;
    EffectHandOver handOver;
    handOver.attach(&effect, &bypass);
    handOver.setProcessing(true);

    // Loads go on until the audio thread has run a good number of blocks meanwhile.
    constexpr int kMinLoads = 2000;
    constexpr int kMinBlocks = 300;
    std::atomic<bool> uiDone{false};
    std::atomic<int> blocks{0};
    std::thread audio(
        [&]
        {
            while (!uiDone.load(std::memory_order_acquire))
            {
                handOver.applyPending();
                handOver.publish();
                handOver.takeReports([](uint32_t, double) {});
                // A block's worth of time; now and then a long one, so the ring fills.
                const int block = blocks.fetch_add(1, std::memory_order_relaxed);
                std::this_thread::sleep_for(std::chrono::microseconds(block % 50 == 0 ? 2000 : 20));
            }
            handOver.applyPending();
            handOver.publish();
        });

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    bool timedOut = false;
    int tornReads = 0;
    int firstTornLoad = -1;
    int k = 0;
    while (k < kMinLoads || blocks.load(std::memory_order_relaxed) < kMinBlocks)
    {
        if (std::chrono::steady_clock::now() > deadline)
        {
            timedOut = true;
            break;
        }
        ++k;
        const auto v = static_cast<float>(k % 10);
        if (k % 100 == 0)
        {
            for (std::size_t i = 0; i <= EffectHandOver::kCapacity; ++i)
                handOver.setPlainValue(0, static_cast<float>(i % 7));
        }
        for (uint32_t i = 0; i < kControls; ++i)
            handOver.setPlainValue(i, v);
        handOver.setBypass(k % 2 == 1);
        handOver.setJoystickX(v / 10.0f);
        handOver.setJoystickY(-v / 10.0f);
        handOver.sendEditorMessage(EditorMessage::kTimerTick);
        handOver.reportParameter(0, v / 10.0);

        StoredValues values;
        handOver.readStoredValues(values);
        const bool whole = values.controls == std::vector<float>(kControls, v) &&
                           values.bypass == (k % 2 == 1) && values.joystickX == v / 10.0f &&
                           values.joystickY == -v / 10.0f;
        if (!whole && tornReads++ == 0) firstTornLoad = k;
    }
    uiDone.store(true, std::memory_order_release);
    audio.join();

    EXPECT_FALSE(timedOut) << "waited 60 s for " << kMinBlocks << " blocks, the audio thread ran "
                           << blocks.load();
    EXPECT_EQ(tornReads, 0) << "of " << k << " loads, the first at load " << firstTornLoad;
    const auto last = static_cast<float>(k % 10);
    for (uint32_t i = 0; i < kControls; ++i)
        EXPECT_EQ(effect.m_values[i], last) << "control " << i;
    EXPECT_EQ(bypass, k % 2 == 1);
    float x = 0.0f;
    float y = 0.0f;
    effect.getJoystickPosition(x, y);
    EXPECT_EQ(x, last / 10.0f);
    EXPECT_EQ(y, -last / 10.0f);
    StoredValues values;
    handOver.readStoredValues(values);
    EXPECT_EQ(values.controls, std::vector<float>(kControls, last));
}
