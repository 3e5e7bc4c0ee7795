#pragma once

#include "pluginterfaces/vst/vsttypes.h"

namespace Steinberg::Vst::Veru2ZOR3
{

// The channel through which a GUI drawn by the effect itself edits host parameters.
class CVSTParameterConnector
{
  public:
    virtual ~CVSTParameterConnector() = default;
    virtual void beginEdit(ParamID id) = 0;
    virtual void endEdit(ParamID id) = 0;
    virtual void setParameter(ParamID id, ParamValue normalized) = 0;
};

} // namespace Steinberg::Vst::Veru2ZOR3
