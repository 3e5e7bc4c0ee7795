#pragma once

#include "vst3/TaperedParameter.h"

namespace Steinberg::Vst::Veru2ZOR3
{

// A range parameter with a logarithmic taper: normalised = 10^(2.4 (lin - 1)), where lin is
// the plain value's linear position in the range.
class LogParameter : public TaperedParameter
{
  public:
    LogParameter(const TChar* title, ParamID id, const TChar* units, ParamValue minPlain,
                 ParamValue maxPlain, ParamValue defaultPlain, int32 stepCount, int32 flags,
                 UnitID unitId);

    ParamValue toPlain(ParamValue normalized) const SMTG_OVERRIDE;
    ParamValue toNormalized(ParamValue plain) const SMTG_OVERRIDE;

    OBJ_METHODS(LogParameter, TaperedParameter)
};

} // namespace Steinberg::Vst::Veru2ZOR3
