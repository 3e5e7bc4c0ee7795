#pragma once

#include "pluginterfaces/vst/vsttypes.h"

#include <string>

namespace VSTGUI
{
// Conversions between the SDK's UTF-16 texts and the toolkit's UTF-8.
std::string utf16ToUtf8(const Steinberg::Vst::TChar* text);
// Writes a zero-terminated copy into a String128, cut at 127 code units.
void utf8ToString128(const std::string& text, Steinberg::Vst::String128 result);
} // namespace VSTGUI
