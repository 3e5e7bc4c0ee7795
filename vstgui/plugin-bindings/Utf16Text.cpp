#include "vstgui/plugin-bindings/Utf16Text.h"

namespace VSTGUI
{
namespace
{
void appendUtf8(std::string& out, uint32_t c)
{
    if (c < 0x80)
    {
        out += static_cast<char>(c);
    }
    else if (c < 0x800)
    {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    else if (c < 0x10000)
    {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    else
    {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The next code point of UTF-8 text; malformed bytes become U+FFFD.
uint32_t nextCodePoint(const std::string& text, size_t& i)
{
    auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i++);
    if (lead < 0x80) return lead;
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0 || i + static_cast<size_t>(extra) > text.size()) return 0xFFFD;
    uint32_t c = lead & (0x3F >> extra);
    for (int k = 0; k < extra; ++k)
    {
        if ((byte(i) & 0xC0) != 0x80) return 0xFFFD;
        c = (c << 6) | (byte(i++) & 0x3F);
    }
    return c > 0x10FFFF ? 0xFFFD : c;
}
} // namespace

std::string utf16ToUtf8(const Steinberg::Vst::TChar* text)
{
    std::string out;
    if (!text) return out;
    for (size_t i = 0; text[i] != 0; ++i)
    {
        uint32_t c = static_cast<uint16_t>(text[i]);
        if (c >= 0xD800 && c < 0xDC00)
        {
            uint32_t low = static_cast<uint16_t>(text[i + 1]);
            if (low >= 0xDC00 && low < 0xE000)
            {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
            else
                c = 0xFFFD;
        }
        else if (c >= 0xDC00 && c < 0xE000)
            c = 0xFFFD;
        appendUtf8(out, c);
    }
    return out;
}

void utf8ToString128(const std::string& text, Steinberg::Vst::String128 result)
{
    constexpr size_t kCapacity = 127;
    size_t length = 0;
    for (size_t i = 0; i < text.size();)
    {
        uint32_t c = nextCodePoint(text, i);
        size_t units = c >= 0x10000 ? 2 : 1;
        if (length + units > kCapacity) break;
        if (units == 2)
        {
            c -= 0x10000;
            result[length++] = static_cast<Steinberg::Vst::TChar>(0xD800 + (c >> 10));
            result[length++] = static_cast<Steinberg::Vst::TChar>(0xDC00 + (c & 0x3FF));
        }
        else
            result[length++] = static_cast<Steinberg::Vst::TChar>(c);
    }
    result[length] = 0;
}
} // namespace VSTGUI
