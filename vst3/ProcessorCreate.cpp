// The processor around the room effect, and the class that makes it. Kept apart so that builds
// around another effect (tests) do not pull the room effect in.
#include "vst3/PluginFactory.h"
#include "vst3/PluginInfo.h"
#include "vst3/Processor.h"

#include "effect/CVevadur.h"

namespace Steinberg::Vst::Veru2ZOR3
{
namespace
{
CPlugIn* createRoomEffect()
{
    return new CVevadur;
}
} // namespace

// Generated once for this plug-in; hosts identify it by these words in their projects.
const FUID Processor::cid(0x5A3C91E2, 0x47B04F6D, 0x9E21C8A5, 0x3D7F0B14);

Processor::Processor() : Processor(&createRoomEffect) {}

Processor::Processor(EffectFactory effectFactory) : ProcessorEditorDelegate(effectFactory) {}

Processor::~Processor() = default;

FUnknown* Processor::createInstance(void*)
{
    // Out of memory: the factory answers the host with an error instead of unwinding into it.
    try
    {
        return static_cast<IAudioProcessor*>(new Processor);
    }
    catch (...)
    {
        return nullptr;
    }
}

void registerProcessorClass(CPluginFactory& factory)
{
    registerEffectClass(factory, Processor::cid, PluginInfo::kName, PluginInfo::kSubCategories,
                        &Processor::createInstance);
}

} // namespace Steinberg::Vst::Veru2ZOR3
