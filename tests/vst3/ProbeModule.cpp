// The test bundle's entry points: the binding's processor around the probe effect, as an
// ordinary effect ("Probe"), one whose level glides ("Probe Gliding") and as a
// buffer-processing instrument ("Probe Instrument").
#include "ProbeEffect.h"

#include "vst3/PluginFactory.h"
#include "vst3/Processor.h"

using namespace Steinberg;
using namespace Steinberg::Vst::Veru2ZOR3;

namespace
{
const FUID kProbeCid(0x50524F42, 0x45000000, 0x00000000, 0x00000001);
const FUID kInstrumentCid(0x50524F42, 0x45000000, 0x00000000, 0x00000002);
const FUID kGlidingCid(0x50524F42, 0x45000000, 0x00000000, 0x00000003);

CPlugIn* createProbe()
{
    return new ProbeEffect(ProbeEffect::Flavour::Effect);
}
CPlugIn* createGliding()
{
    return new ProbeEffect(ProbeEffect::Flavour::Gliding);
}
CPlugIn* createInstrument()
{
    return new ProbeEffect(ProbeEffect::Flavour::Instrument);
}

FUnknown* newProbe(void*)
{
    return static_cast<Vst::IAudioProcessor*>(new Processor(&createProbe));
}
FUnknown* newGliding(void*)
{
    return static_cast<Vst::IAudioProcessor*>(new Processor(&createGliding));
}
FUnknown* newInstrument(void*)
{
    return static_cast<Vst::IAudioProcessor*>(new Processor(&createInstrument));
}

void registerProbeClasses(CPluginFactory& factory)
{
    registerEffectClass(factory, kProbeCid, "Probe", "Fx", &newProbe);
    registerEffectClass(factory, kGlidingCid, "Probe Gliding", "Fx", &newGliding);
    registerEffectClass(factory, kInstrumentCid, "Probe Instrument", "Instrument", &newInstrument);
}
} // namespace

extern "C"
{
    SMTG_EXPORT_SYMBOL IPluginFactory* PLUGIN_API GetPluginFactory()
    {
        return acquirePluginFactory(&registerProbeClasses);
    }
    SMTG_EXPORT_SYMBOL bool ModuleEntry(void*)
    {
        return true;
    }
    SMTG_EXPORT_SYMBOL bool ModuleExit()
    {
        return true;
    }
}
