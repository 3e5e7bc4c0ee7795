// Text helpers shared by the parameter classes: titles from the effect's 8-bit texts, and
// plain values printed and scanned the way the SDK's range parameter does it.
#pragma once

#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/vst/vsttypes.h"

namespace Steinberg::Vst::Veru2ZOR3
{

// An 8-bit text as the SDK's 16-bit string, at most 128 characters; null gives "".
inline UString128 toString128(const char* text)
{
    return UString128(text ? text : "", 128);
}

inline void printPlainValue(double plain, int32 precision, String128 string)
{
    if (!UString(string, str16BufferSize(String128)).printFloat(plain, precision)) string[0] = 0;
}

inline bool scanPlainValue(const TChar* string, double& plain)
{
    return string && UString(const_cast<TChar*>(string), tstrlen(string)).scanFloat(plain);
}

} // namespace Steinberg::Vst::Veru2ZOR3
