#pragma once

#include "public.sdk/source/vst/vstparameters.h"

namespace Steinberg::Vst::Veru2ZOR3
{

// A range parameter with an exponential, frequency-like taper: plain = min (max / min)^n.
// Needs 0 < min < max; any other range falls back to the linear mapping.
class VoltOctaveParameter : public RangeParameter
{
  public:
    VoltOctaveParameter(const TChar* title, ParamID id, const TChar* units, ParamValue minPlain,
                        ParamValue maxPlain, ParamValue defaultPlain, int32 stepCount, int32 flags,
                        UnitID unitId);

    void toString(ParamValue normalized, String128 string) const SMTG_OVERRIDE;
    bool fromString(const TChar* string, ParamValue& normalized) const SMTG_OVERRIDE;
    ParamValue toPlain(ParamValue normalized) const SMTG_OVERRIDE;
    ParamValue toNormalized(ParamValue plain) const SMTG_OVERRIDE;

    OBJ_METHODS(VoltOctaveParameter, RangeParameter)
};

} // namespace Steinberg::Vst::Veru2ZOR3
