#pragma once

#include "vstgui/uidescription/UIDescription.h"

#include <string>

namespace VSTGUI
{
// Reads an XML document into its tree of elements (names, attributes, child elements; text and
// comments are dropped). False for text that is not well-formed XML. pugixml reads it on Linux,
// the system's XmlLite on Windows.
bool readXmlTree(const std::string& text, UIDescription::Node& root);
} // namespace VSTGUI
