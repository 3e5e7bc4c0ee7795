#include "vst3/LogParameter.h"

#include "vst3/ParameterText.h"
#include "vst3/ValueTapers.h"

namespace Steinberg::Vst::Veru2ZOR3
{

LogParameter::LogParameter(const TChar* title, ParamID id, const TChar* units, ParamValue minPlain,
                           ParamValue maxPlain, ParamValue defaultPlain, int32 stepCount,
                           int32 flags, UnitID unitId)
    : RangeParameter(title, id, units, minPlain, maxPlain, 0.0, stepCount, flags, unitId)
{
    // The base computed the default through the linear mapping; redo it through this one.
    info.defaultNormalizedValue = valueNormalized = toNormalized(defaultPlain);
}

void LogParameter::toString(ParamValue normalized, String128 string) const
{
    printPlainValue(toPlain(normalized), precision, string);
}

bool LogParameter::fromString(const TChar* string, ParamValue& normalized) const
{
    double plain = 0.0;
    if (!scanPlainValue(string, plain)) return false;
    normalized = toNormalized(plain);
    return true;
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
