#include "vst3/VoltOctaveParameter.h"

#include "vst3/ValueTapers.h"

namespace Steinberg::Vst::Veru2ZOR3
{

VoltOctaveParameter::VoltOctaveParameter(const TChar* title, ParamID id, const TChar* units,
                                         ParamValue minPlain, ParamValue maxPlain,
                                         ParamValue defaultPlain, int32 stepCount, int32 flags,
                                         UnitID unitId)
    : TaperedParameter(title, id, units, minPlain, maxPlain, 0.0, stepCount, flags, unitId)
{
    applyDefault(defaultPlain);
}

ParamValue VoltOctaveParameter::toPlain(ParamValue normalized) const
{
    return ValueTapers::voltOctaveToPlain(normalized, getMin(), getMax());
}

ParamValue VoltOctaveParameter::toNormalized(ParamValue plain) const
{
    return ValueTapers::voltOctaveToNormalized(plain, getMin(), getMax());
}

} // namespace Steinberg::Vst::Veru2ZOR3
