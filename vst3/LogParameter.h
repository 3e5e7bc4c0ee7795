#pragma once

#include "public.sdk/source/vst/vstparameters.h"

namespace Steinberg::Vst::Veru2ZOR3
{

// A range parameter with a logarithmic taper: normalised = 10^(2.4 (lin - 1)), where lin is
// the plain value's linear position in the range.
class LogParameter : public RangeParameter
{
  public:
    LogParameter(const TChar* title, ParamID id, const TChar* units, ParamValue minPlain,
                 ParamValue maxPlain, ParamValue defaultPlain, int32 stepCount, int32 flags,
                 UnitID unitId);

    void toString(ParamValue normalized, String128 string) const SMTG_OVERRIDE;
    bool fromString(const TChar* string, ParamValue& normalized) const SMTG_OVERRIDE;
    ParamValue toPlain(ParamValue normalized) const SMTG_OVERRIDE;
    ParamValue toNormalized(ParamValue plain) const SMTG_OVERRIDE;

    OBJ_METHODS(LogParameter, RangeParameter)
};

} // namespace Steinberg::Vst::Veru2ZOR3
