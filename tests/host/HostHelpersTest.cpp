// The host-side helpers: parameter queues, process data and blocks.
#include "host/PluginInstance.h"
#include "host/ProcessBlock.h"

#include "public.sdk/source/vst/hosting/parameterchanges.h"
#include "public.sdk/source/vst/hosting/processdata.h"

#include <gtest/gtest.h>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace vevadur::host;

TEST(ParameterChanges, QueuesKeepPointsSortedAndOnePerOffset)
{
    ParameterChanges changes;
    int32 index = -1;
    IParamValueQueue* queue = changes.addParameterData(42, index);
    ASSERT_NE(queue, nullptr);
    EXPECT_EQ(index, 0);
    for (auto [offset, value] : {std::pair{30, 0.3}, {10, 0.1}, {20, 0.2}, {10, 0.15}})
        queue->addPoint(offset, value, index);
    ASSERT_EQ(queue->getPointCount(), 3);
    int32 offset = 0;
    ParamValue value = 0;
    ASSERT_EQ(queue->getPoint(0, offset, value), kResultOk);
    EXPECT_EQ(offset, 10);
    EXPECT_EQ(value, 0.15);
    ASSERT_EQ(queue->getPoint(2, offset, value), kResultOk);
    EXPECT_EQ(offset, 30);
    EXPECT_NE(queue->getPoint(3, offset, value), kResultOk);

    EXPECT_EQ(changes.addParameterData(42, index), queue) << "the same id, the same queue";
    changes.addParameterData(7, index);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(changes.getParameterCount(), 2);
    EXPECT_EQ(changes.getParameterData(2), nullptr);

    changes.clearQueue();
    EXPECT_EQ(changes.getParameterCount(), 0);
    IParamValueQueue* reused = changes.addParameterData(9, index);
    EXPECT_EQ(reused->getParameterId(), 9u);
    EXPECT_EQ(reused->getPointCount(), 0);
}

TEST(ProcessData, ShapedAfterTheComponentsBuses)
{
    std::string error;
    auto module = PluginModule::load(VEVADUR_PROBE_BUNDLE, error);
    ASSERT_TRUE(module) << error;
    auto instance = PluginInstance::create(*module, "Probe", error);
    ASSERT_TRUE(instance) << error;
    HostProcessData data;
    ASSERT_TRUE(data.prepare(instance->component(), 16, kSample32));
    ASSERT_EQ(data.numInputs, 1);
    ASSERT_EQ(data.numOutputs, 1);
    EXPECT_EQ(data.inputs[0].numChannels, 2);
    ASSERT_NE(data.getChannel(kOutput, 0, 1), nullptr);
    EXPECT_EQ(data.getChannel(kOutput, 0, 1)[15], 0.0f);
    EXPECT_EQ(data.getChannel(kOutput, 0, 2), nullptr);
    EXPECT_FALSE(data.prepare(instance->component(), 16, kSample64));

    ASSERT_TRUE(instance->setBusArrangements(SpeakerArr::kMono, SpeakerArr::kMono));
    ASSERT_TRUE(data.prepare(instance->component(), 0, kSample32));
    EXPECT_EQ(data.outputs[0].numChannels, 1);
    EXPECT_EQ(data.getChannel(kInput, 0, 0), nullptr);
    float buffer[4] = {};
    EXPECT_TRUE(data.setChannelBuffer(kInput, 0, 0, buffer));
    EXPECT_FALSE(data.setChannelBuffer(kInput, 1, 0, buffer));
}

TEST(ProcessBlock, TransportAdvancesByEachBlock)
{
    std::string error;
    auto module = PluginModule::load(VEVADUR_PROBE_BUNDLE, error);
    auto instance = PluginInstance::create(*module, "Probe", error);
    ASSERT_TRUE(instance->activate(44100.0, 64));
    ProcessBlock block(*instance);
    EXPECT_EQ(block.context().sampleRate, 44100.0);
    std::vector<float> a(64), b(64);
    float* channels[2] = {a.data(), b.data()};
    EXPECT_EQ(block.process(channels, channels, 64), kResultOk);
    EXPECT_EQ(block.process(channels, channels, 10), kResultOk);
    EXPECT_EQ(block.context().projectTimeSamples, 74);
    EXPECT_EQ(block.flush(), kResultOk);
    EXPECT_EQ(block.context().projectTimeSamples, 74);
}
