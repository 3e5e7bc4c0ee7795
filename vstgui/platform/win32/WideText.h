#pragma once

#include <string>

namespace VSTGUI::Win32
{
// UTF-8 to and from the UTF-16 of Windows' wide-character functions. Invalid sequences become
// replacement characters.
std::wstring toWide(const std::string& utf8);
std::string toUtf8(const std::wstring& wide);
} // namespace VSTGUI::Win32
