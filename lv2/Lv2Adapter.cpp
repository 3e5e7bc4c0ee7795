#include "Lv2Adapter.h"

#include "public.sdk/source/vst/hosting/initializedcomponent.h"

#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/options/options.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <new>
#include <string>

namespace Steinberg
{
namespace Vst
{

// ---- creation --------------------------------------------------------------------------------

Lv2Adapter* Lv2Adapter::create(IPluginFactory& factory, const TUID classId, const char* pluginUri,
                               double sampleRate, const LV2_Feature* const* features)
{
    auto* adapter = new (std::nothrow) Lv2Adapter;
    if (adapter && !adapter->open(factory, classId, pluginUri, sampleRate, features))
    {
        delete adapter;
        return nullptr;
    }
    return adapter;
}

bool Lv2Adapter::open(IPluginFactory& factory, const TUID classId, const char* pluginUri,
                      double rate, const LV2_Feature* const* features)
{
    if (!(rate > 0.0) || !std::isfinite(rate)) return false;
    readFeatures(features, pluginUri);
    component =
        createInitializedComponent(factory, classId, static_cast<IHostApplication*>(&hostContext));
    if (!component) return false;
    processor = FUnknownPtr<IAudioProcessor>(component);
    controller = FUnknownPtr<IEditController>(component);
    if (!processor || !controller || component->getBusCount(kAudio, kInput) < 1 ||
        component->getBusCount(kAudio, kOutput) < 1)
        return false;

    portList.build(*controller);
    portData.assign(portList.portCount(), nullptr);
    lastValues.assign(static_cast<size_t>(portList.controlCount()) + 1,
                      std::numeric_limits<float>::quiet_NaN());
    return setUpProcessing(rate);
}

// urid:map gives the state property its keys; the options may tell the longest block.
void Lv2Adapter::readFeatures(const LV2_Feature* const* features, const char* pluginUri)
{
    const LV2_Options_Option* options = nullptr;
    for (; features && *features; ++features)
    {
        if (std::strcmp((*features)->URI, LV2_URID__map) == 0)
            map = static_cast<LV2_URID_Map*>((*features)->data);
        else if (std::strcmp((*features)->URI, LV2_OPTIONS__options) == 0)
            options = static_cast<const LV2_Options_Option*>((*features)->data);
    }
    if (!map) return;
    stateKey = map->map(map->handle, (std::string(pluginUri) + kStateKeySuffix).c_str());
    chunkType = map->map(map->handle, LV2_ATOM__Chunk);
    const LV2_URID maxLength = map->map(map->handle, LV2_BUF_SIZE__maxBlockLength);
    const LV2_URID intType = map->map(map->handle, LV2_ATOM__Int);
    for (; options && options->key; ++options)
    {
        if (options->key != maxLength || options->type != intType || !options->value) continue;
        const int32_t frames = *static_cast<const int32_t*>(options->value);
        if (frames > 0 && frames <= (1 << 20)) maxBlock = frames;
    }
}

bool Lv2Adapter::setUpProcessing(double rate)
{
    sampleRate = rate;
    ProcessSetup setup{kRealtime, kSample32, maxBlock, sampleRate};
    if (processor->setupProcessing(setup) != kResultOk) return false;
    SpeakerArrangement in = SpeakerArr::kStereo;
    SpeakerArrangement out = SpeakerArr::kStereo;
    if (processor->setBusArrangements(&in, 1, &out, 1) != kResultOk) return false;
    if (!processData.prepare(*component, 0, kSample32)) return false;
    processData.processMode = kRealtime;
    // One point per control and the bypass in a block: make the queues ready now.
    const int32 queues = portList.controlCount() + 1;
    inputChanges.setMaxParameters(queues);
    outputChanges.setMaxParameters(queues);
    for (int32 q = 0; q < queues; ++q)
    {
        int32 index = 0;
        if (IParamValueQueue* queue = inputChanges.addParameterData(static_cast<ParamID>(q), index))
            queue->addPoint(0, 0.0, index);
    }
    inputChanges.clearQueue();
    scratch.assign(static_cast<size_t>(kChannels * maxBlock), 0.0f);
    return true;
}

Lv2Adapter::~Lv2Adapter()
{
    if (!component) return;
    deactivate();
    component->terminate();
    processData.unprepare();
}

// ---- activation ------------------------------------------------------------------------------

void Lv2Adapter::activate()
{
    if (active || component->setActive(true) != kResultOk) return;
    processor->setProcessing(true); // the SDK's default answers "not implemented": fine
    framePosition = 0;
    active = true;
}

void Lv2Adapter::deactivate()
{
    if (!active) return;
    processor->setProcessing(false);
    component->setActive(false);
    active = false;
}

void Lv2Adapter::connect(uint32 port, void* data)
{
    if (port < portData.size()) portData[port] = static_cast<float*>(data);
}

} // namespace Vst
} // namespace Steinberg
