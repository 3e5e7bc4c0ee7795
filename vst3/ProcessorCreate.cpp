// The processor around the room effect. Kept apart so that builds around another effect
// (tests) do not pull the room effect in.
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

Processor::Processor() : Processor(&createRoomEffect) {}

FUnknown* Processor::createInstance(void*)
{
    return static_cast<IAudioProcessor*>(new Processor);
}

} // namespace Steinberg::Vst::Veru2ZOR3
