#pragma once

#include "vstgui/CBitmap.h"
#include "vstgui/uidescription/IUIDescription.h"
#include "vstgui/uidescription/UIAttributes.h"
#include "vstgui/uidescription/UIViewFactory.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace VSTGUI
{
// A VSTGUI UI-description document (vstgui-ui-description version 1): fonts, colours, bitmaps
// (with nine-part-tiled offsets), control tags, templates of views and custom attributes.
// Views are built from a template on request; bitmaps load on first use, from the document's
// own folder.
class UIDescription : public IUIDescription
{
  public:
    // A resource name (found in the module's resource folder) or an absolute file path.
    explicit UIDescription(const CResourceDescription& xmlFile);
    ~UIDescription() override;

    // Reads the document; false when it is missing or not a UI description.
    bool parse();
    bool parseText(const std::string& xml, const std::string& resourceFolder);
    const std::string& getFilePath() const { return m_filePath; }
    const std::string& getResourceFolder() const { return m_resourceFolder; }

    // Builds a template's views; the caller owns the returned view. Controls of the template are
    // bound through controller (listener, tags, custom views, sub-controllers).
    CView* createView(UTF8StringPtr templateName, IController* controller) const;
    const UIAttributes* getViewAttributes(UTF8StringPtr templateName) const;
    std::vector<std::string> getTemplateNames() const;
    std::vector<std::string> getControlTagNames() const;
    std::vector<std::string> getBitmapNames() const;
    std::vector<std::string> getFontNames() const;
    // The document's attributes of a listed bitmap, or null.
    const UIAttributes* getBitmapAttributes(UTF8StringPtr name) const;

    CBitmap* getBitmap(UTF8StringPtr name) const override;
    bool getFont(UTF8StringPtr name, CFontDesc& font) const override;
    bool getColor(UTF8StringPtr name, CColor& color) const override;
    int32_t getTagForName(UTF8StringPtr name) const override;
    IControlListener* getControlListener(UTF8StringPtr name) const override;
    IController* getController() const override { return m_controller; }
    const UIAttributes* getCustomAttributes(UTF8StringPtr name) const override;
    std::string lookupControlTagName(int32_t tag) const override;

    // One element of the document: its attributes and child elements.
    struct Node
    {
        std::string name;
        UIAttributes attributes;
        std::vector<Node> children;
    };

  private:
    struct BitmapEntry
    {
        UIAttributes attributes;
        mutable SharedPointer<CBitmap> bitmap;
        mutable bool tried = false;
    };

    bool readDocument(const Node& root);
    void readFonts(const Node& section);
    void readColors(const Node& section);
    void readBitmaps(const Node& section);
    void readControlTags(const Node& section);
    void readCustom(const Node& section);
    CView* createViewFromNode(const Node& node, IController* controller, int depth) const;
    CView* createTemplateView(const std::string& name, IController* controller, int depth) const;
    const Node* findTemplate(const std::string& name) const;

    std::string m_resourceName;
    std::string m_filePath;
    std::string m_resourceFolder;
    std::map<std::string, CFontDesc> m_fonts;
    std::map<std::string, CColor> m_colors;
    std::map<std::string, BitmapEntry> m_bitmaps;
    std::vector<std::pair<std::string, int32_t>> m_controlTags;
    std::map<std::string, UIAttributes> m_custom;
    std::vector<Node> m_templates;
    UIViewFactory m_factory;
    // The controller of the views being built; only set while createView runs.
    mutable IController* m_controller = nullptr;
    // How many more views the build under way may make; -1 while none is under way.
    mutable int m_viewsLeft = -1;
};
} // namespace VSTGUI
