#include "host/ProcessBlock.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace vevadur::host
{

ProcessBlock::ProcessBlock(PluginInstance& instance, int32 maxEvents)
    : m_instance(instance), m_inputChanges(16), m_outputChanges(16), m_events(maxEvents)
{
    m_data.prepare(instance.component(), 0, kSample32);
    m_data.processMode = kRealtime;
    m_inputChannels = m_data.numInputs > 0 ? m_data.inputs[0].numChannels : 0;
    m_outputChannels = m_data.numOutputs > 0 ? m_data.outputs[0].numChannels : 0;
    m_context.sampleRate = instance.sampleRate();
    m_context.tempo = 120.0;
    m_context.timeSigNumerator = 4;
    m_context.timeSigDenominator = 4;
    m_context.state =
        ProcessContext::kPlaying | ProcessContext::kTempoValid | ProcessContext::kTimeSigValid;
}

void ProcessBlock::addParameterChange(ParamID id, int32 offset, ParamValue value)
{
    int32 index = 0;
    if (IParamValueQueue* queue = m_inputChanges.addParameterData(id, index))
        queue->addPoint(offset, value, index);
}

bool ProcessBlock::addEvent(const Event& event)
{
    Event copy = event;
    return m_events.addEvent(copy) == kResultOk;
}

tresult ProcessBlock::process(const float* const* inputs, float* const* outputs, int32 numSamples)
{
    for (int32 c = 0; c < m_inputChannels; ++c)
        m_data.setChannelBuffer(kInput, 0, c, const_cast<float*>(inputs[c]));
    for (int32 c = 0; c < m_outputChannels; ++c)
        m_data.setChannelBuffer(kOutput, 0, c, outputs[c]);
    if (m_data.numOutputs > 0) m_data.outputs[0].silenceFlags = 0;
    return run(numSamples);
}

uint64 ProcessBlock::outputSilenceFlags() const
{
    return m_data.numOutputs > 0 ? m_data.outputs[0].silenceFlags : 0;
}

tresult ProcessBlock::flush()
{
    // No buses and no samples: only the parameter changes travel.
    ProcessData data;
    data.processMode = m_data.processMode;
    data.symbolicSampleSize = kSample32;
    data.inputParameterChanges = &m_inputChanges;
    data.outputParameterChanges = &m_outputChanges;
    data.inputEvents = &m_events;
    m_outputChanges.clearQueue();
    const tresult result = m_instance.processor().process(data);
    afterCall(0);
    return result;
}

tresult ProcessBlock::run(int32 numSamples)
{
    m_data.numSamples = numSamples;
    m_data.inputParameterChanges = &m_inputChanges;
    m_data.outputParameterChanges = &m_outputChanges;
    m_data.inputEvents = &m_events;
    m_data.processContext = m_contextEnabled ? &m_context : nullptr;
    m_outputChanges.clearQueue();
    const tresult result = m_instance.processor().process(m_data);
    afterCall(numSamples);
    return result;
}

void ProcessBlock::afterCall(int32 numSamples)
{
    m_inputChanges.clearQueue();
    m_events.clear();
    m_context.projectTimeSamples += numSamples;
    m_context.continousTimeSamples += numSamples;
}

bool ProcessBlock::lastOutputValue(ParamID id, ParamValue& value)
{
    for (int32 i = 0; i < m_outputChanges.getParameterCount(); ++i)
    {
        IParamValueQueue* queue = m_outputChanges.getParameterData(i);
        const int32 points = queue ? queue->getPointCount() : 0;
        int32 offset = 0;
        if (points > 0 && queue->getParameterId() == id &&
            queue->getPoint(points - 1, offset, value) == kResultOk)
            return true;
    }
    return false;
}

} // namespace vevadur::host
