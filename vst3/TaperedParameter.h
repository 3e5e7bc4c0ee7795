#pragma once

#include "public.sdk/source/vst/vstparameters.h"

namespace Steinberg::Vst::Veru2ZOR3
{

// A range parameter whose normalised value is not linear in its plain value. Text goes through
// the derived class's toPlain and toNormalized, printed with the parameter's precision.
class TaperedParameter : public RangeParameter
{
  public:
    using RangeParameter::RangeParameter;

    void toString(ParamValue normalized, String128 string) const SMTG_OVERRIDE;
    bool fromString(const TChar* string, ParamValue& normalized) const SMTG_OVERRIDE;

    OBJ_METHODS(TaperedParameter, RangeParameter)

  protected:
    // The base constructor computed the default through the linear mapping; a derived
    // constructor redoes it through its own taper.
    void applyDefault(ParamValue defaultPlain);
};

} // namespace Steinberg::Vst::Veru2ZOR3
