#include "Vst2Text.h"

#include <cstdint>

namespace Steinberg
{
namespace Vst
{
namespace Vst2Text
{

namespace
{
constexpr char32_t kReplacement = 0xFFFD;

size_t utf8Length(char32_t c)
{
    return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
}

char* putUtf8(char32_t c, char* out)
{
    const size_t n = utf8Length(c);
    static const uint8_t lead[] = {0, 0x00, 0xC0, 0xE0, 0xF0};
    for (size_t i = n - 1; i > 0; --i)
    {
        out[i] = static_cast<char>(0x80 | (c & 0x3F));
        c >>= 6;
    }
    out[0] = static_cast<char>(lead[n] | c);
    return out + n;
}

bool isHighSurrogate(char16 u)
{
    return u >= 0xD800 && u < 0xDC00;
}
bool isLowSurrogate(char16 u)
{
    return u >= 0xDC00 && u < 0xE000;
}

// Next code point of a UTF-8 text; advances past it. Malformed input yields U+FFFD.
char32_t nextUtf8(const unsigned char*& p)
{
    const unsigned char b = *p++;
    if (b < 0x80) return b;
    const int extra = b >= 0xF0 && b < 0xF8 ? 3 : b >= 0xE0 ? 2 : b >= 0xC2 && b < 0xE0 ? 1 : -1;
    if (extra < 0) return kReplacement;
    char32_t c = b & (0x3F >> extra);
    for (int i = 0; i < extra; ++i)
    {
        if ((*p & 0xC0) != 0x80) return kReplacement;
        c = (c << 6) | (*p++ & 0x3F);
    }
    const bool overlong = utf8Length(c) != static_cast<size_t>(extra + 1);
    const bool invalid = c > 0x10FFFF || (c >= 0xD800 && c < 0xE000);
    return overlong || invalid ? kReplacement : c;
}
} // namespace

void fromUtf16(const char16* text, char* buffer, size_t capacity)
{
    if (!buffer || capacity == 0) return;
    char* out = buffer;
    char* const end = buffer + capacity - 1;
    for (const char16* p = text; p && *p; ++p)
    {
        char32_t c = *p;
        if (isHighSurrogate(*p) && isLowSurrogate(p[1]))
        {
            c = 0x10000 + ((c - 0xD800) << 10) + (p[1] - 0xDC00);
            ++p;
        }
        else if (isHighSurrogate(*p) || isLowSurrogate(*p))
            c = kReplacement;
        if (static_cast<size_t>(end - out) < utf8Length(c)) break;
        out = putUtf8(c, out);
    }
    *out = 0;
}

void fromUtf8(const char* text, char* buffer, size_t capacity)
{
    if (!buffer || capacity == 0) return;
    char* out = buffer;
    char* const end = buffer + capacity - 1;
    const auto* p = reinterpret_cast<const unsigned char*>(text ? text : "");
    while (*p)
    {
        const char32_t c = nextUtf8(p);
        if (static_cast<size_t>(end - out) < utf8Length(c)) break;
        out = putUtf8(c, out);
    }
    *out = 0;
}

void toUtf16(const char* text, String128 string)
{
    constexpr size_t kUnits = 128;
    size_t n = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(text ? text : "");
    while (*p)
    {
        const char32_t c = nextUtf8(p);
        const size_t units = c >= 0x10000 ? 2 : 1;
        if (n + units > kUnits - 1) break;
        if (units == 2)
        {
            string[n++] = static_cast<char16>(0xD800 + ((c - 0x10000) >> 10));
            string[n++] = static_cast<char16>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
        else
            string[n++] = static_cast<char16>(c);
    }
    string[n] = 0;
}

} // namespace Vst2Text
} // namespace Vst
} // namespace Steinberg
