#pragma once

#include "public.sdk/source/vst/vstparameters.h"

namespace Steinberg::Vst::Veru2ZOR3
{

// A read-only meter: the host shows its normalised value in decibels.
class PeakParameter : public Parameter
{
  public:
    PeakParameter(int32 flags, ParamID id, const TChar* title);

    void toString(ParamValue normalized, String128 string) const SMTG_OVERRIDE;
    bool fromString(const TChar* string, ParamValue& normalized) const SMTG_OVERRIDE;

    OBJ_METHODS(PeakParameter, Parameter)
};

} // namespace Steinberg::Vst::Veru2ZOR3
