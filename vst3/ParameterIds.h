// Host parameter ids of the processor besides the controls (whose ids are their positions), in
// the binding's namespace.
#pragma once

#include "core/HostParameterIds.h"

#include "pluginterfaces/base/futils.h"
#include "pluginterfaces/vst/vsttypes.h"

namespace Steinberg::Vst::Veru2ZOR3::ParameterIds
{
using namespace ::HostParameterIds;
static_assert(sizeof(ParamID) == sizeof(uint32_t), "parameter ids are 32-bit");
} // namespace Steinberg::Vst::Veru2ZOR3::ParameterIds
