// The module's exported entry points. Everything else in the library stays hidden.
#include "vst3/PluginFactory.h"

#include "pluginterfaces/base/fplatform.h"

using namespace Steinberg;

extern "C"
{

    SMTG_EXPORT_SYMBOL IPluginFactory* PLUGIN_API GetPluginFactory()
    {
        return Vst::Veru2ZOR3::acquirePluginFactory(&Vst::Veru2ZOR3::registerProcessorClass);
    }

    // Linux hosts call these after loading and before unloading the module; there is nothing to
    // set up or tear down.
    SMTG_EXPORT_SYMBOL bool ModuleEntry(void*)
    {
        return true;
    }
    SMTG_EXPORT_SYMBOL bool ModuleExit()
    {
        return true;
    }

} // extern "C"
