#pragma once

#include <string>

namespace VSTGUI
{
// Units as a text view shows them: without leading and trailing blanks (space, tab, line feed).
std::string trimUnits(const std::string& units);

// A value's text followed by one space and the units; the text alone when there are no units.
std::string textWithUnits(const std::string& text, const std::string& units);
} // namespace VSTGUI
