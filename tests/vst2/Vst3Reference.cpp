#include "Vst3Reference.h"

#include "Vst2Text.h"

namespace vst2test
{

using namespace Steinberg;
using namespace Steinberg::Vst;

std::string utf8(const TChar* text)
{
    char buffer[512];
    Vst2Text::fromUtf16(text, buffer, sizeof(buffer));
    return buffer;
}

Vst3Reference::Vst3Reference(IPluginFactory* factory)
{
    PClassInfo info{};
    if (!factory || factory->getClassInfo(0, &info) != kResultOk) return;
    IComponent* instance = nullptr;
    if (factory->createInstance(info.cid, IComponent::iid, reinterpret_cast<void**>(&instance)) !=
        kResultOk)
        return;
    component = owned(instance);
    if (component->initialize(static_cast<IHostApplication*>(&context)) != kResultOk) return;
    processor = FUnknownPtr<IAudioProcessor>(component);
    controller = FUnknownPtr<IEditController>(component);
}

Vst3Reference::~Vst3Reference()
{
    if (active)
    {
        processor->setProcessing(false);
        component->setActive(false);
    }
    if (component) component->terminate();
}

std::vector<ParameterInfo> Vst3Reference::parameters() const
{
    std::vector<ParameterInfo> list(static_cast<size_t>(controller->getParameterCount()));
    for (size_t i = 0; i < list.size(); ++i)
        controller->getParameterInfo(static_cast<int32>(i), list[i]);
    return list;
}

std::string Vst3Reference::valueText(ParamID id, ParamValue value) const
{
    String128 text{};
    controller->getParamStringByValue(id, value, text);
    return utf8(text);
}

bool Vst3Reference::start(double sampleRate, int32_t blockSize)
{
    rate = sampleRate;
    ProcessSetup setup{kRealtime, kSample32, blockSize, sampleRate};
    SpeakerArrangement in = SpeakerArr::kStereo, out = SpeakerArr::kStereo;
    if (processor->setBusArrangements(&in, 1, &out, 1) != kResultOk ||
        processor->setupProcessing(setup) != kResultOk || !data.prepare(*component, 0, kSample32))
        return false;
    active = component->setActive(true) == kResultOk;
    processor->setProcessing(true);
    return active;
}

void Vst3Reference::process(const float* const* in, float** out, int32_t frames,
                            const std::vector<std::pair<ParamID, double>>& changes,
                            int64_t projectTime)
{
    inputChanges.clearQueue();
    outputChanges.clearQueue();
    events.clear();
    for (const auto& [id, value] : changes)
    {
        int32 index = 0;
        if (IParamValueQueue* queue = inputChanges.addParameterData(id, index))
            queue->addPoint(0, value, index);
    }
    for (int32 c = 0; c < 2; ++c)
    {
        data.setChannelBuffer(kInput, 0, c, const_cast<float*>(in[c]));
        data.setChannelBuffer(kOutput, 0, c, out[c]);
    }
    processContext = ProcessContext{};
    processContext.sampleRate = rate;
    processContext.projectTimeSamples = projectTime;
    data.numSamples = frames;
    data.inputParameterChanges = &inputChanges;
    data.outputParameterChanges = &outputChanges;
    data.inputEvents = &events;
    data.processContext = &processContext;
    processor->process(data);
}

} // namespace vst2test
