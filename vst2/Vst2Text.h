// Text between the VST3 side (16-bit strings) and a VST2 host (8-bit buffers of fixed size).
#pragma once

#include "pluginterfaces/base/ftypes.h"
#include "pluginterfaces/vst/vsttypes.h"

#include <cstddef>

namespace Steinberg
{
namespace Vst
{
namespace Vst2Text
{

// Writes text as UTF-8 into a buffer of capacity bytes, terminator included, cut at a character
// boundary. Unpaired surrogates become U+FFFD. Nothing is written for a null buffer or capacity 0.
void fromUtf16(const char16* text, char* buffer, size_t capacity);

// Same for 8-bit text that is already UTF-8 (or ASCII).
void fromUtf8(const char* text, char* buffer, size_t capacity);

// Reads UTF-8 into a 16-bit string of 128 units, terminator included, cut at a character
// boundary; malformed bytes become U+FFFD.
void toUtf16(const char* text, String128 string);

} // namespace Vst2Text
} // namespace Vst
} // namespace Steinberg
