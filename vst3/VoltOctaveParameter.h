#pragma once

#include "vst3/TaperedParameter.h"

namespace Steinberg::Vst::Veru2ZOR3
{

// A range parameter with an exponential, frequency-like taper: plain = min (max / min)^n.
// Needs 0 < min < max; any other range falls back to the linear mapping.
class VoltOctaveParameter : public TaperedParameter
{
  public:
    VoltOctaveParameter(const TChar* title, ParamID id, const TChar* units, ParamValue minPlain,
                        ParamValue maxPlain, ParamValue defaultPlain, int32 stepCount, int32 flags,
                        UnitID unitId);

    ParamValue toPlain(ParamValue normalized) const SMTG_OVERRIDE;
    ParamValue toNormalized(ParamValue plain) const SMTG_OVERRIDE;

    OBJ_METHODS(VoltOctaveParameter, TaperedParameter)
};

} // namespace Steinberg::Vst::Veru2ZOR3
