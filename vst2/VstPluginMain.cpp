// The module's VST2 entry points: VSTPluginMain, and main, the name older Linux hosts look up.
// Both wrap the module's one VST3 class for a VST2 host.
#include "vst3/Processor.h"

#include "Vst2PluginMain.h"

#include "pluginterfaces/base/fplatform.h"

using namespace Steinberg;

extern "C" IPluginFactory* PLUGIN_API GetPluginFactory();
extern "C" bool ModuleEntry(void* sharedLibraryHandle);

namespace
{
// The plug-in's VST2 identity, "VvRT". Hosts store it in their projects: it never changes.
constexpr int32 kVst2UniqueId = CCONST('V', 'v', 'R', 'T');

bool initModule()
{
    return ModuleEntry(nullptr);
}
} // namespace

extern "C"
{

    SMTG_EXPORT_SYMBOL vst_effect* VSTPluginMain(Vst::Vst2Abi::HostCallback host)
    {
        const Vst::Vst2EntryFacts facts{&initModule, &GetPluginFactory,
                                        Vst::Veru2ZOR3::Processor::cid.toTUID(), kVst2UniqueId};
        return Vst::vst2PluginMain(host, facts);
    }

#ifndef _WIN32
    // Exported under the assembler name "main"; a C++ function cannot be called that. Windows
    // hosts look up VSTPluginMain only.
    SMTG_EXPORT_SYMBOL vst_effect* vst2MainAlias(Vst::Vst2Abi::HostCallback host) asm("main");
    vst_effect* vst2MainAlias(Vst::Vst2Abi::HostCallback host)
    {
        return VSTPluginMain(host);
    }
#endif

} // extern "C"
