#include "Vst2PluginMain.h"

#include "Vst2Adapter.h"

#include "base/source/fobject.h"

namespace Steinberg
{
namespace Vst
{

vst_effect* vst2PluginMain(Vst2Abi::HostCallback host, const Vst2EntryFacts& facts)
{
    if (!host || host(nullptr, Vst2Abi::kHostVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    if (facts.initModule && !facts.initModule()) return nullptr;
    if (!facts.getFactory || !facts.classId) return nullptr;
    try
    {
        IPtr<IPluginFactory> factory = owned(facts.getFactory());
        if (!factory) return nullptr;
        Vst2Adapter* adapter = Vst2Adapter::create(*factory, facts.classId, facts.uniqueId, host);
        return adapter ? adapter->effect() : nullptr;
    }
    catch (...)
    {
        return nullptr;
    }
}

} // namespace Vst
} // namespace Steinberg
