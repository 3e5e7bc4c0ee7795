// The module's LV2 entry points: lv2_descriptor, and lv2ui_descriptor for the editor. Both wrap
// the module's one VST3 class. Nothing may unwind into the host: a failure answers null.
#include "vst3/Processor.h"

#include "Lv2Adapter.h"
#include "Lv2Ui.h"
#include "Lv2Uris.h"

#include <cstring>

using namespace Steinberg;
using Vst::Lv2Adapter;
using Vst::Lv2Ui;

extern "C" IPluginFactory* PLUGIN_API GetPluginFactory();
extern "C" bool ModuleEntry(void* sharedLibraryHandle);

namespace
{
IPtr<IPluginFactory> moduleFactory()
{
    if (!ModuleEntry(nullptr)) return nullptr;
    return owned(GetPluginFactory());
}

const TUID& classId()
{
    return Vst::Veru2ZOR3::Processor::cid.toTUID();
}

Lv2Adapter* adapterOf(LV2_Handle handle)
{
    return static_cast<Lv2Adapter*>(handle);
}

LV2_Handle instantiate(const LV2_Descriptor* descriptor, double rate, const char*,
                       const LV2_Feature* const* features)
{
    try
    {
        IPtr<IPluginFactory> factory = moduleFactory();
        if (!factory) return nullptr;
        return Lv2Adapter::create(*factory, classId(), descriptor->URI, rate, features);
    }
    catch (...)
    {
        return nullptr;
    }
}

void connectPort(LV2_Handle handle, uint32_t port, void* data)
{
    adapterOf(handle)->connect(port, data);
}

void activate(LV2_Handle handle)
{
    adapterOf(handle)->activate();
}

void run(LV2_Handle handle, uint32_t frames)
{
    adapterOf(handle)->run(frames);
}

void deactivate(LV2_Handle handle)
{
    adapterOf(handle)->deactivate();
}

void cleanup(LV2_Handle handle)
{
    delete adapterOf(handle);
}

LV2_State_Status saveState(LV2_Handle handle, LV2_State_Store_Function store,
                           LV2_State_Handle storeHandle, uint32_t, const LV2_Feature* const*)
{
    try
    {
        return adapterOf(handle)->save(store, storeHandle);
    }
    catch (...)
    {
        return LV2_STATE_ERR_UNKNOWN;
    }
}

LV2_State_Status restoreState(LV2_Handle handle, LV2_State_Retrieve_Function retrieve,
                              LV2_State_Handle retrieveHandle, uint32_t, const LV2_Feature* const*)
{
    try
    {
        return adapterOf(handle)->restore(retrieve, retrieveHandle);
    }
    catch (...)
    {
        return LV2_STATE_ERR_UNKNOWN;
    }
}

const void* extensionData(const char* uri)
{
    static const LV2_State_Interface kState = {saveState, restoreState};
    if (uri && std::strcmp(uri, LV2_STATE__interface) == 0) return &kState;
    return nullptr;
}

// ---- the editor ------------------------------------------------------------------------------

Lv2Ui* uiOf(LV2UI_Handle handle)
{
    return static_cast<Lv2Ui*>(handle);
}

LV2UI_Handle instantiateUi(const LV2UI_Descriptor*, const char* pluginUri, const char*,
                           LV2UI_Write_Function write, LV2UI_Controller controller,
                           LV2UI_Widget* widget, const LV2_Feature* const* features)
{
    if (!pluginUri || std::strcmp(pluginUri, Vst::Lv2Uris::kPlugin) != 0) return nullptr;
    try
    {
        IPtr<IPluginFactory> factory = moduleFactory();
        if (!factory) return nullptr;
        return Lv2Ui::create(*factory, classId(), write, controller, widget, features);
    }
    catch (...)
    {
        return nullptr;
    }
}

void cleanupUi(LV2UI_Handle handle)
{
    delete uiOf(handle);
}

void portEvent(LV2UI_Handle handle, uint32_t port, uint32_t size, uint32_t format,
               const void* buffer)
{
    uiOf(handle)->portEvent(port, size, format, buffer);
}

int idleUi(LV2UI_Handle handle)
{
    return uiOf(handle)->idle();
}

const void* uiExtensionData(const char* uri)
{
    static const LV2UI_Idle_Interface kIdle = {idleUi};
    if (uri && std::strcmp(uri, LV2_UI__idleInterface) == 0) return &kIdle;
    return nullptr;
}
} // namespace

extern "C"
{

    LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index)
    {
        static const LV2_Descriptor kDescriptor = {
            Vst::Lv2Uris::kPlugin, instantiate, connectPort, activate, run, deactivate, cleanup,
            extensionData};
        return index == 0 ? &kDescriptor : nullptr;
    }

    LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index)
    {
        static const LV2UI_Descriptor kDescriptor = {Vst::Lv2Uris::kUi, instantiateUi, cleanupUi,
                                                     portEvent, uiExtensionData};
        return index == 0 ? &kDescriptor : nullptr;
    }

} // extern "C"
