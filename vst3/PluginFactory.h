#pragma once

#include "public.sdk/source/main/pluginfactory.h"

namespace Steinberg::Vst::Veru2ZOR3
{

using ClassRegistration = void (*)(CPluginFactory& factory);

// The module's factory: built with the module's information on the first call, when the
// registration function lists its classes; later calls hand out one more reference to it.
IPluginFactory* acquirePluginFactory(ClassRegistration registerClasses);

// Registers one effect class with the module's class information: its class id, name,
// sub-categories and create function.
bool registerEffectClass(CPluginFactory& factory, const FUID& cid, const char* name,
                         const char* subCategories, CPluginFactory::CreateFunction create);

// The plug-in's own class list: the processor around the room effect.
void registerProcessorClass(CPluginFactory& factory);

} // namespace Steinberg::Vst::Veru2ZOR3
