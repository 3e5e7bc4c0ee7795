#include "vst3/LogParameter.h"

#include "vst3/ValueTapers.h"

namespace Steinberg::Vst::Veru2ZOR3
{

LogParameter::LogParameter(const TChar* title, ParamID id, const TChar* units, ParamValue minPlain,
                           ParamValue maxPlain, ParamValue defaultPlain, int32 stepCount,
                           int32 flags, UnitID unitId)
    : TaperedParameter(title, id, units, minPlain, maxPlain, 0.0, stepCount, flags, unitId)
{
    applyDefault(defaultPlain);
}

ParamValue LogParameter::toPlain(ParamValue normalized) const
{
    return ValueTapers::logToPlain(normalized, getMin(), getMax());
}

ParamValue LogParameter::toNormalized(ParamValue plain) const
{
    return ValueTapers::logToNormalized(plain, getMin(), getMax());
}

} // namespace Steinberg::Vst::Veru2ZOR3
