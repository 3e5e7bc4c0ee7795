#include "vst3/TaperedParameter.h"

#include "vst3/ParameterText.h"

namespace Steinberg::Vst::Veru2ZOR3
{

void TaperedParameter::toString(ParamValue normalized, String128 string) const
{
    printPlainValue(toPlain(normalized), precision, string);
}

bool TaperedParameter::fromString(const TChar* string, ParamValue& normalized) const
{
    double plain = 0.0;
    if (!scanPlainValue(string, plain)) return false;
    normalized = toNormalized(plain);
    return true;
}

void TaperedParameter::applyDefault(ParamValue defaultPlain)
{
    info.defaultNormalizedValue = valueNormalized = toNormalized(defaultPlain);
}

} // namespace Steinberg::Vst::Veru2ZOR3
