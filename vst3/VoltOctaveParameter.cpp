#include "vst3/VoltOctaveParameter.h"

#include "vst3/ParameterText.h"
#include "vst3/ValueTapers.h"

namespace Steinberg::Vst::Veru2ZOR3
{

VoltOctaveParameter::VoltOctaveParameter(const TChar* title, ParamID id, const TChar* units,
                                         ParamValue minPlain, ParamValue maxPlain,
                                         ParamValue defaultPlain, int32 stepCount, int32 flags,
                                         UnitID unitId)
    : RangeParameter(title, id, units, minPlain, maxPlain, 0.0, stepCount, flags, unitId)
{
    // The base computed the default through the linear mapping; redo it through this one.
    info.defaultNormalizedValue = valueNormalized = toNormalized(defaultPlain);
}

void VoltOctaveParameter::toString(ParamValue normalized, String128 string) const
{
    printPlainValue(toPlain(normalized), precision, string);
}

bool VoltOctaveParameter::fromString(const TChar* string, ParamValue& normalized) const
{
    double plain = 0.0;
    if (!scanPlainValue(string, plain)) return false;
    normalized = toNormalized(plain);
    return true;
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
