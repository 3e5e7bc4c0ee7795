#include "vst3/PeakParameter.h"

#include "pluginterfaces/base/ustring.h"

#include <cmath>
#include <cstdio>

namespace Steinberg::Vst::Veru2ZOR3
{

PeakParameter::PeakParameter(int32 flags, ParamID id, const TChar* title)
{
    UString(info.title, str16BufferSize(String128)).assign(title, 128);
    info.flags = flags;
    info.id = id;
    info.stepCount = 0;
    info.defaultNormalizedValue = 0.5;
    info.unitId = kRootUnitId;
    valueNormalized = 1.0;
}

void PeakParameter::toString(ParamValue normalized, String128 string) const
{
    if (normalized > 0.0001)
    {
        const float decibels = 20.0f * std::log10(static_cast<float>(normalized));
        char text[64];
        std::snprintf(text, sizeof text, "%.3f", decibels);
        UString(string, str16BufferSize(String128)).fromAscii(text);
        return;
    }
    // Minus sign and infinity sign.
    string[0] = u'-';
    string[1] = u'\u221E';
    string[2] = 0;
}

bool PeakParameter::fromString(const TChar*, ParamValue&) const
{
    return false;
}

} // namespace Steinberg::Vst::Veru2ZOR3
