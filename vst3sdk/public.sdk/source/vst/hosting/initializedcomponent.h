// A plug-in class made and initialised as a wrapper hosts it: the component of a
// single-component effect, created by its factory and initialised with the wrapper's host
// context. Null when the factory makes nothing or initialisation fails; a component that was
// never initialised is released without terminate.
#pragma once

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/ivstcomponent.h"

namespace Steinberg
{
namespace Vst
{

IPtr<IComponent> createInitializedComponent(IPluginFactory& factory, const TUID classId,
                                            FUnknown* hostContext);

} // namespace Vst
} // namespace Steinberg
