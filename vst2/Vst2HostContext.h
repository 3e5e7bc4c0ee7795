// The host application object a component is initialised with when a VST2 host loads it.
#pragma once

#include "base/source/fstring.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

namespace Steinberg
{
namespace Vst
{

class Vst2HostContext : public HostApplication
{
  public:
    tresult PLUGIN_API getName(String128 name) SMTG_OVERRIDE
    {
        String("VST2 host").copyTo16(name, 0, 127);
        return kResultTrue;
    }
};

} // namespace Vst
} // namespace Steinberg
