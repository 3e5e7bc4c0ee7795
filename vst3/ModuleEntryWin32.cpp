// The module's exported entry points on Windows. VevadurROT.def lists what the DLL exports:
// GetPluginFactory, InitDll, ExitDll and (from vst2/) VSTPluginMain.
#include "vst3/PluginFactory.h"

#include "pluginterfaces/base/fplatform.h"

#include <windows.h>

using namespace Steinberg;

extern "C"
{

    BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
    {
        // The editor's resources are looked up in this same instance, which the toolkit finds
        // from its own code's address (as dladdr does on Linux); nothing needs keeping here.
        // No per-thread state either: spare the host's threads the notifications.
        if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
        return TRUE;
    }

    IPluginFactory* PLUGIN_API GetPluginFactory()
    {
        return Vst::Veru2ZOR3::acquirePluginFactory(&Vst::Veru2ZOR3::registerProcessorClass);
    }

    // Windows hosts call these after loading and before unloading the module; there is nothing
    // to set up or tear down.
    bool InitDll()
    {
        return true;
    }
    bool ExitDll()
    {
        return true;
    }

    // The VST2 entry runs the module initialisation under the name it has on Linux.
    bool ModuleEntry(void*)
    {
        return InitDll();
    }

} // extern "C"
