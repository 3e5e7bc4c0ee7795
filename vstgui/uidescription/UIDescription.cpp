#include "vstgui/uidescription/UIDescription.h"

#include "vstgui/CNinePartTiledBitmap.h"
#include "vstgui/CViewContainer.h"
#include "vstgui/IController.h"
#include "vstgui/ResourceLocator.h"
#include "vstgui/uidescription/XmlTree.h"

#include <fstream>
#include <sstream>

namespace VSTGUI
{
namespace
{
// Templates may include one another; a document that includes itself stops here.
constexpr int kMaxTemplateDepth = 32;
// Templates may also use one another many times over, which multiplies the views at every
// level: one build makes at most this many (the plug-in's editor has about fifty).
constexpr int kMaxViewsPerBuild = 10000;

bool readFile(const std::string& path, std::string& text)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::ostringstream content;
    content << file.rdbuf();
    text = content.str();
    return !file.bad();
}

bool isTrue(const UIAttributes& a, const char* name)
{
    bool value = false;
    return a.getBooleanAttribute(name, value) && value;
}
// The names a map of named entries holds, in the map's order.
template <typename Map> std::vector<std::string> keysOf(const Map& entries)
{
    std::vector<std::string> names;
    for (const auto& entry : entries)
        names.push_back(entry.first);
    return names;
}

} // namespace

UIDescription::UIDescription(const CResourceDescription& xmlFile) : m_resourceName(xmlFile.name) {}

UIDescription::~UIDescription() = default;

bool UIDescription::parse()
{
    // Where the module carries the document as a resource (Windows: type "DATA"), that comes
    // first; otherwise the file in the resource folder.
    std::string xml;
    if (!ResourceLocator::isAbsolute(m_resourceName) &&
        ResourceLocator::readModuleResource(m_resourceName, "DATA", xml))
        return parseText(xml, {});
    m_filePath = ResourceLocator::findResource(m_resourceName);
    if (m_filePath.empty()) return false;
    std::string text;
    if (!readFile(m_filePath, text)) return false;
    return parseText(text, ResourceLocator::folderOf(m_filePath));
}

bool UIDescription::parseText(const std::string& xml, const std::string& resourceFolder)
{
    Node root;
    if (!readXmlTree(xml, root)) return false;
    m_resourceFolder = resourceFolder;
    return readDocument(root);
}

bool UIDescription::readDocument(const Node& root)
{
    if (root.name != "vstgui-ui-description") return false;
    for (const Node& section : root.children)
    {
        if (section.name == "fonts")
            readFonts(section);
        else if (section.name == "colors")
            readColors(section);
        else if (section.name == "bitmaps")
            readBitmaps(section);
        else if (section.name == "control-tags")
            readControlTags(section);
        else if (section.name == "custom")
            readCustom(section);
        else if (section.name == "template" && section.attributes.hasAttribute("name"))
            m_templates.push_back(section);
    }
    return true;
}

void UIDescription::readFonts(const Node& section)
{
    for (const Node& node : section.children)
    {
        const std::string* name = node.attributes.getAttributeValue("name");
        const std::string* family = node.attributes.getAttributeValue("font-name");
        if (node.name != "font" || !name || !family) continue;
        double size = 12;
        node.attributes.getDoubleAttribute("size", size);
        int32_t style = kNormalFace;
        if (isTrue(node.attributes, "bold")) style |= kBoldFace;
        if (isTrue(node.attributes, "italic")) style |= kItalicFace;
        if (isTrue(node.attributes, "underline")) style |= kUnderlineFace;
        if (isTrue(node.attributes, "strike-through")) style |= kStrikethroughFace;
        m_fonts[*name] = CFontDesc(*family, size > 0 ? size : 12, style);
    }
}

void UIDescription::readColors(const Node& section)
{
    for (const Node& node : section.children)
    {
        const std::string* name = node.attributes.getAttributeValue("name");
        const std::string* rgba = node.attributes.getAttributeValue("rgba");
        CColor color;
        if (node.name == "color" && name && rgba && parseColorString(*rgba, color))
            m_colors[*name] = color;
    }
}

void UIDescription::readBitmaps(const Node& section)
{
    for (const Node& node : section.children)
    {
        const std::string* name = node.attributes.getAttributeValue("name");
        if (node.name != "bitmap" || !name) continue;
        // A name listed twice keeps its first entry.
        m_bitmaps.emplace(*name, BitmapEntry{node.attributes, {}, false});
    }
}

void UIDescription::readControlTags(const Node& section)
{
    for (const Node& node : section.children)
    {
        const std::string* name = node.attributes.getAttributeValue("name");
        int32_t tag = 0;
        if (node.name == "control-tag" && name && node.attributes.getIntegerAttribute("tag", tag))
            m_controlTags.emplace_back(*name, tag);
    }
}

void UIDescription::readCustom(const Node& section)
{
    for (const Node& node : section.children)
    {
        const std::string* name = node.attributes.getAttributeValue("name");
        if (node.name == "attributes" && name) m_custom[*name] = node.attributes;
    }
}

const UIDescription::Node* UIDescription::findTemplate(const std::string& name) const
{
    for (const Node& node : m_templates)
        if (*node.attributes.getAttributeValue("name") == name) return &node;
    return nullptr;
}

const UIAttributes* UIDescription::getViewAttributes(UTF8StringPtr templateName) const
{
    const Node* node = templateName ? findTemplate(templateName) : nullptr;
    return node ? &node->attributes : nullptr;
}

CView* UIDescription::createView(UTF8StringPtr templateName, IController* controller) const
{
    if (!templateName) return nullptr;
    IController* previous = m_controller;
    m_controller = controller;
    // A build started from inside another (a custom view's) shares its budget.
    const bool outermost = m_viewsLeft < 0;
    if (outermost) m_viewsLeft = kMaxViewsPerBuild;
    CView* view = createTemplateView(templateName, controller, 0);
    if (outermost) m_viewsLeft = -1;
    m_controller = previous;
    return view;
}

CView* UIDescription::createTemplateView(const std::string& name, IController* controller,
                                         int depth) const
{
    const Node* node = findTemplate(name);
    if (!node || depth > kMaxTemplateDepth) return nullptr;
    return createViewFromNode(*node, controller, depth + 1);
}

CView* UIDescription::createViewFromNode(const Node& node, IController* controller, int depth) const
{
    if (m_viewsLeft == 0) return nullptr;
    if (m_viewsLeft > 0) --m_viewsLeft;
    const UIAttributes& attributes = node.attributes;
    IController* previous = m_controller;
    m_controller = controller;

    CView* view = nullptr;
    const std::string* templateName =
        node.name == "view" ? attributes.getAttributeValue("template") : nullptr;
    IController* subController = nullptr;
    if (const std::string* name = attributes.getAttributeValue("sub-controller");
        name && !name->empty() && controller)
        subController = controller->createSubController(name->c_str(), this);
    IController* childController = subController ? subController : controller;
    m_controller = childController;

    if (templateName)
    {
        // A template used as a view: built whole (through this node's sub-controller, if it
        // names one), then placed by this node's attributes.
        view = createTemplateView(*templateName, childController, depth);
        m_controller = controller;
        if (view) m_factory.applyAttributes(view, attributes, this);
        if (view && subController)
            view->setOwnedController(subController);
        else
            delete subController;
        m_controller = previous;
        return view;
    }

    if (controller) view = controller->createView(attributes, this);
    if (!view) view = m_factory.createView(attributes, this);
    if (!view)
    {
        delete subController;
        m_controller = previous;
        return nullptr;
    }
    if (auto* container = dynamic_cast<CViewContainer*>(view))
    {
        for (const Node& child : node.children)
        {
            if (child.name != "view") continue;
            if (CView* childView = createViewFromNode(child, childController, depth))
                container->addView(childView);
        }
    }
    m_controller = controller;
    if (controller) view = controller->verifyView(view, attributes, this);
    if (view && subController)
        view->setOwnedController(subController);
    else
        delete subController;
    m_controller = previous;
    return view;
}

std::vector<std::string> UIDescription::getTemplateNames() const
{
    std::vector<std::string> names;
    for (const Node& node : m_templates)
        names.push_back(*node.attributes.getAttributeValue("name"));
    return names;
}

std::vector<std::string> UIDescription::getControlTagNames() const
{
    return keysOf(m_controlTags);
}

std::vector<std::string> UIDescription::getBitmapNames() const
{
    return keysOf(m_bitmaps);
}

std::vector<std::string> UIDescription::getFontNames() const
{
    return keysOf(m_fonts);
}

const UIAttributes* UIDescription::getBitmapAttributes(UTF8StringPtr name) const
{
    auto it = name ? m_bitmaps.find(name) : m_bitmaps.end();
    return it == m_bitmaps.end() ? nullptr : &it->second.attributes;
}

CBitmap* UIDescription::getBitmap(UTF8StringPtr name) const
{
    auto it = name ? m_bitmaps.find(name) : m_bitmaps.end();
    if (it == m_bitmaps.end()) return nullptr;
    const BitmapEntry& entry = it->second;
    if (!entry.tried)
    {
        entry.tried = true;
        const std::string* path = entry.attributes.getAttributeValue("path");
        CResourceDescription file(path ? *path : std::string(name) + ".png");
        CRect offsets;
        if (entry.attributes.getRectAttribute("nineparttiled-offsets", offsets))
            entry.bitmap = owned<CBitmap>(new CNinePartTiledBitmap(
                file, {offsets.left, offsets.top, offsets.right, offsets.bottom},
                m_resourceFolder));
        else
            entry.bitmap = owned(new CBitmap(file, m_resourceFolder));
    }
    return entry.bitmap.get();
}

bool UIDescription::getFont(UTF8StringPtr name, CFontDesc& font) const
{
    if (!name) return false;
    auto it = m_fonts.find(name);
    if (it != m_fonts.end())
    {
        font = it->second;
        return true;
    }
    return builtInFont(name, font);
}

bool UIDescription::getColor(UTF8StringPtr name, CColor& color) const
{
    if (!name) return false;
    auto it = m_colors.find(name);
    if (it != m_colors.end())
    {
        color = it->second;
        return true;
    }
    return builtInColor(name, color) || parseColorString(name, color);
}

int32_t UIDescription::getTagForName(UTF8StringPtr name) const
{
    if (!name) return -1;
    int32_t tag = -1;
    for (const auto& entry : m_controlTags)
    {
        if (entry.first == name)
        {
            tag = entry.second;
            break;
        }
    }
    return m_controller ? m_controller->getTagForName(name, tag) : tag;
}

IControlListener* UIDescription::getControlListener(UTF8StringPtr name) const
{
    return m_controller ? m_controller->getControlListener(name) : nullptr;
}

const UIAttributes* UIDescription::getCustomAttributes(UTF8StringPtr name) const
{
    auto it = name ? m_custom.find(name) : m_custom.end();
    return it == m_custom.end() ? nullptr : &it->second;
}

std::string UIDescription::lookupControlTagName(int32_t tag) const
{
    for (const auto& entry : m_controlTags)
        if (entry.second == tag) return entry.first;
    return {};
}
} // namespace VSTGUI
