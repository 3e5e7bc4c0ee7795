// The steps of a module's VST2 entry point, apart from the export itself: ask the host's
// version, initialise the module, and wrap the factory's class for the host.
#pragma once

#include "Vst2Abi.h"

#include "pluginterfaces/base/ipluginbase.h"

namespace Steinberg
{
namespace Vst
{

struct Vst2EntryFacts
{
    bool (*initModule)();            // the module's initialisation; null if it needs none
    IPluginFactory* (*getFactory)(); // hands out one reference to the module's factory
    const char8* classId;            // the 16-byte id of the class to wrap
    int32 uniqueId;                  // the constant four-character VST2 id
};

// The effect record of a new adapter, or null: for a host that reports version 0 (nothing is
// created then), a failed module initialisation, or a class that cannot be wrapped.
vst_effect* vst2PluginMain(Vst2Abi::HostCallback host, const Vst2EntryFacts& facts);

} // namespace Vst
} // namespace Steinberg
