#include "vstgui/uidescription/XmlTree.h"

#include <pugixml.hpp>

namespace VSTGUI
{
namespace
{
UIDescription::Node convert(const pugi::xml_node& element)
{
    UIDescription::Node node;
    node.name = element.name();
    for (const auto& attribute : element.attributes())
        node.attributes.setAttribute(attribute.name(), attribute.value());
    for (const auto& child : element.children())
        if (child.type() == pugi::node_element) node.children.push_back(convert(child));
    return node;
}
} // namespace

bool readXmlTree(const std::string& text, UIDescription::Node& root)
{
    pugi::xml_document document;
    if (!document.load_buffer(text.data(), text.size())) return false;
    root = convert(document.document_element());
    return true;
}
} // namespace VSTGUI
