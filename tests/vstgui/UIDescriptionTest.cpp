// Reading UI-description documents: resources, control tags, templates within templates, the
// attributes each view class understands, and the controller's part in building.
#include "vstgui/uidescription/UIDescription.h"
#include "vstgui/CAnimKnob.h"
#include "vstgui/COnOffButton.h"
#include "vstgui/COptionMenu.h"
#include "vstgui/CTextEdit.h"
#include "vstgui/CViewContainer.h"
#include "vstgui/IController.h"

#include <gtest/gtest.h>

#include <cmath>

#include <cmath>
#include <string>

using namespace VSTGUI;

namespace
{
const char* const kDocument = R"(<?xml version="1.0" encoding="UTF-8"?>
<vstgui-ui-description version="1">
  <bitmaps>
    <bitmap name="back" path="back.png" nineparttiled-offsets="1, 2, 3, 4" orvutype="backgnd"/>
    <bitmap name="plain" path="plain.png"/>
    <bitmap name="plain" path="other.png"/>
  </bitmaps>
  <fonts>
    <font name="Big " font-name="Verdana" size="14" bold="true" italic="true"/>
    <font name="Small" font-name="Verdana" size="9" bold="false"/>
  </fonts>
  <colors>
    <color name="Mint" rgba="#10f0a080"/>
  </colors>
  <control-tags>
    <control-tag name="Level" tag="3"/>
    <control-tag name="Big" tag="65536"/>
  </control-tags>
  <custom>
    <attributes name="Editor" KnobAction="2" EditorSize="0, 0, 1236, 768"/>
  </custom>
  <template name="Root" class="CViewContainer" size="200, 100" minSize="200, 100"
            background-color="Mint" background-color-draw-style="filled" custom-view-name="">
    <view template="Group" origin="10, 20" sub-controller="Sub"/>
    <view class="CTextLabel" origin="0, 80" size="100, 16" title="Hi" font="Big "
          font-color="~ RedCColor" back-color="#000000" text-alignment="left"
          style-round-rect="true" style-no-frame="false" round-rect-radius="4" transparent="true"/>
    <view class="Unknown" origin="0, 0" size="1, 1"/>
    <view class="CView" custom-view-name="Special" origin="5, 5" size="7, 7"/>
    <view class="COptionMenu" control-tag="Unknown Tag" origin="0, 0" size="40, 20"
          max-value="" menu-check-style="true" font="~ NormalFontSmaller"/>
  </template>
  <template name="Group" class="CViewContainer" size="50, 40" transparent="true">
    <view class="CAnimKnob" control-tag="Level" origin="4, 5" size="42, 42" min-value="0"
          max-value="1" default-value="0.25" height-of-one-image="42" sub-pixmaps="80"
          angle-start="90" angle-range="180" wheel-inc-value="0.05" bitmap="plain"/>
    <view template="Inner" origin="1, 1"/>
  </template>
  <template name="Inner" class="CViewContainer" size="5, 5">
    <view class="COnOffButton" control-tag="Big" origin="0, 0" size="5, 5"/>
    <view class="CTextEdit" control-tag="17" origin="0, 0" size="5, 5" immediate-text-change="true"/>
  </template>
  <template name="Loop" class="CViewContainer" size="5, 5">
    <view template="Loop" origin="0, 0"/>
  </template>
</vstgui-ui-description>
)";

struct BuildController : IController
{
    void valueChanged(CControl*) override {}
    int32_t getTagForName(UTF8StringPtr name, int32_t registeredTag) const override
    {
        if (registeredTag != -1) return registeredTag;
        char* end = nullptr;
        long tag = std::strtol(name, &end, 10);
        return (end != name && *end == '\0') ? static_cast<int32_t>(tag) : -1;
    }
    CView* createView(const UIAttributes& attributes, const IUIDescription*) override
    {
        const std::string* name = attributes.getAttributeValue("custom-view-name");
        return (name && *name == "Special") ? new CView(CRect(0, 0, 1, 1)) : nullptr;
    }
    CView* verifyView(CView* view, const UIAttributes&, const IUIDescription*) override
    {
        ++verified;
        return view;
    }
    IController* createSubController(UTF8StringPtr name, const IUIDescription*) override
    {
        if (std::string(name) != "Sub") return nullptr;
        sub = new DelegationController(this);
        return sub;
    }
    int verified = 0;
    IController* sub = nullptr;
};

struct Built
{
    Built()
    {
        EXPECT_TRUE(description.parseText(kDocument, "/nonexistent"));
        root = description.createView("Root", &controller);
    }
    ~Built()
    {
        if (root) root->forget();
    }
    UIDescription description{CResourceDescription("inline")};
    BuildController controller;
    CView* root = nullptr;
};
} // namespace

TEST(UIDescription, ReadsFontsColoursTagsBitmapsAndCustomAttributes)
{
    UIDescription description{CResourceDescription("inline")};
    ASSERT_TRUE(description.parseText(kDocument, "/nonexistent"));
    CFontDesc font;
    ASSERT_TRUE(description.getFont("Big ", font)); // names keep their blanks
    EXPECT_EQ(font, CFontDesc("Verdana", 14, kBoldFace | kItalicFace));
    EXPECT_FALSE(description.getFont("Big", font));
    ASSERT_TRUE(description.getFont("~ NormalFontSmaller", font));
    EXPECT_EQ(font, kNormalFontSmaller);

    CColor color;
    ASSERT_TRUE(description.getColor("Mint", color));
    EXPECT_EQ(color, CColor(0x10, 0xf0, 0xa0, 0x80));
    ASSERT_TRUE(description.getColor("~ GreyCColor", color));
    EXPECT_EQ(color, kGreyCColor);
    EXPECT_FALSE(description.getColor("Nope", color));

    EXPECT_EQ(description.getTagForName("Level"), 3);
    EXPECT_EQ(description.getTagForName("Big"), 65536);
    EXPECT_EQ(description.getTagForName("Missing"), -1);
    EXPECT_EQ(description.lookupControlTagName(65536), "Big");

    EXPECT_EQ(description.getBitmapNames(), (std::vector<std::string>{"back", "plain"}));
    const UIAttributes* back = description.getBitmapAttributes("back");
    ASSERT_NE(back, nullptr);
    CRect offsets;
    ASSERT_TRUE(back->getRectAttribute("nineparttiled-offsets", offsets));
    EXPECT_EQ(offsets, CRect(1, 2, 3, 4));
    EXPECT_EQ(*description.getBitmapAttributes("plain")->getAttributeValue("path"), "plain.png");

    const UIAttributes* custom = description.getCustomAttributes("Editor");
    ASSERT_NE(custom, nullptr);
    EXPECT_EQ(*custom->getAttributeValue("KnobAction"), "2");
    EXPECT_EQ(description.getTemplateNames(),
              (std::vector<std::string>{"Root", "Group", "Inner", "Loop"}));
}

TEST(UIDescription, RejectsDocumentsOfAnotherKind)
{
    UIDescription description{CResourceDescription("inline")};
    EXPECT_FALSE(description.parseText("<html/>", "/"));
    EXPECT_FALSE(description.parseText("not xml <", "/"));
    UIDescription missing{CResourceDescription("/nonexistent/zada.uidesc")};
    EXPECT_FALSE(missing.parse());
}

TEST(UIDescription, BuildsTemplatesWithinTemplatesPlacedByTheUsingView)
{
    Built b;
    auto* root = dynamic_cast<CViewContainer*>(b.root);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->getViewSize(), CRect(0, 0, 200, 100));
    EXPECT_EQ(root->getBackgroundColor(), CColor(0x10, 0xf0, 0xa0, 0x80));
    EXPECT_EQ(root->getBackgroundColorDrawStyle(), kDrawFilled);
    ASSERT_EQ(root->getNbViews(), 4u); // the unknown class is left out

    auto* group = dynamic_cast<CViewContainer*>(root->getView(0));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->getViewSize(), CRect(10, 20, 60, 60)); // template size, using view's origin
    EXPECT_TRUE(group->getTransparency());
    ASSERT_EQ(group->getNbViews(), 2u);

    auto* knob = dynamic_cast<CAnimKnob*>(group->getView(0));
    ASSERT_NE(knob, nullptr);
    EXPECT_EQ(knob->getViewSize(), CRect(4, 5, 46, 47));
    EXPECT_EQ(knob->getTag(), 3);
    EXPECT_EQ(knob->getListener(), &b.controller);
    EXPECT_FLOAT_EQ(knob->getDefaultValue(), 0.25f);
    EXPECT_FLOAT_EQ(knob->getWheelInc(), 0.05f);
    EXPECT_NEAR(knob->getStartAngle(), M_PI / 2, 1e-6);
    EXPECT_NEAR(knob->getRangeAngle(), M_PI, 1e-6);
    EXPECT_EQ(knob->getHeightOfOneImage(), 42);
    EXPECT_EQ(knob->getNumSubPixmaps(), 80);
    // A listed bitmap whose file is missing: a bitmap object that draws nothing.
    ASSERT_NE(knob->getBackground(), nullptr);
    EXPECT_FALSE(knob->getBackground()->isLoaded());

    auto* inner = dynamic_cast<CViewContainer*>(group->getView(1));
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->getViewSize(), CRect(1, 1, 6, 6));
    auto* button = dynamic_cast<COnOffButton*>(inner->getView(0));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->getTag(), 65536);
    auto* edit = dynamic_cast<CTextEdit*>(inner->getView(1));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->getTag(), 17); // a number stands for itself through the controller
    EXPECT_TRUE(edit->getImmediateTextChange());

    // The group's sub-controller is the listener of its controls and lives with the group.
    EXPECT_NE(b.controller.sub, nullptr);
    EXPECT_EQ(group->getOwnedController(), b.controller.sub);
}

TEST(UIDescription, AppliesDisplayAttributesAndLetsTheControllerMakeCustomViews)
{
    Built b;
    auto* root = dynamic_cast<CViewContainer*>(b.root);
    ASSERT_NE(root, nullptr);
    auto* label = dynamic_cast<CTextLabel*>(root->getView(1));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->getText(), "Hi");
    EXPECT_EQ(label->getFont(), CFontDesc("Verdana", 14, kBoldFace | kItalicFace));
    EXPECT_EQ(label->getFontColor(), kRedCColor);
    EXPECT_EQ(label->getBackColor(), kBlackCColor);
    EXPECT_EQ(label->getHoriAlign(), kLeftText);
    EXPECT_EQ(label->getStyle(), kRoundRectStyle);
    EXPECT_EQ(label->getRoundRectRadius(), 4);
    EXPECT_TRUE(label->getTransparency());

    EXPECT_EQ(root->getView(2)->getViewSize(), CRect(0, 0, 1, 1)); // made by the controller
    auto* menu = dynamic_cast<COptionMenu*>(root->getView(3));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->getTag(), -1);        // unknown tag name: unbound
    EXPECT_FLOAT_EQ(menu->getMax(), 1.f); // an empty number leaves the default
    EXPECT_TRUE(menu->getStyle() & COptionMenu::kCheckStyle);
    EXPECT_EQ(b.controller.verified, 9); // every view the document builds, itself
}

TEST(UIDescription, ATemplateThatIncludesItselfEnds)
{
    UIDescription description{CResourceDescription("inline")};
    ASSERT_TRUE(description.parseText(kDocument, "/"));
    CView* view = description.createView("Loop", nullptr);
    ASSERT_NE(view, nullptr);
    view->forget();
    EXPECT_EQ(description.createView("Absent", nullptr), nullptr);
}

namespace
{
size_t countViews(CView* view)
{
    size_t count = 1;
    if (auto* container = dynamic_cast<CViewContainer*>(view))
        for (size_t i = 0; i < container->getNbViews(); ++i)
            count += countViews(container->getView(i));
    return count;
}
} // namespace

// Each level using the template three times would make 3^32 views before the depth limit.
TEST(UIDescription, ATemplateUsingItselfManyTimesEndsWithABoundedNumberOfViews)
{
    UIDescription description{CResourceDescription("inline")};
    ASSERT_TRUE(description.parseText(R"(<?xml version="1.0" encoding="UTF-8"?>
<vstgui-ui-description version="1">
  <template name="Fan" class="CViewContainer" size="5, 5">
    <view template="Fan" origin="0, 0"/>
    <view template="Fan" origin="1, 0"/>
    <view template="Fan" origin="2, 0"/>
  </template>
</vstgui-ui-description>
)",
                                      "/"));
    for (int build = 0; build < 2; ++build) // the budget is the same for every build
    {
        CView* view = description.createView("Fan", nullptr);
        ASSERT_NE(view, nullptr);
        const size_t views = countViews(view);
        EXPECT_GT(views, 1000u);
        EXPECT_LE(views, 10000u);
        view->forget();
    }
}

TEST(UIDescription, ANegativeSizeMakesAnEmptyViewNotAnInsideOutOne)
{
    UIDescription description{CResourceDescription("inline")};
    ASSERT_TRUE(description.parseText(R"(<?xml version="1.0" encoding="UTF-8"?>
<vstgui-ui-description version="1">
  <template name="Root" class="CViewContainer" size="50, 50">
    <view class="CViewContainer" origin="-15, 20" size="-2, 42"/>
  </template>
</vstgui-ui-description>
)",
                                      "/"));
    CView* root = description.createView("Root", nullptr);
    ASSERT_NE(root, nullptr);
    auto* container = dynamic_cast<CViewContainer*>(root);
    ASSERT_NE(container, nullptr);
    ASSERT_EQ(container->getNbViews(), 1u);
    EXPECT_EQ(container->getView(0)->getViewSize(), CRect(-15, 20, -15, 62));
    root->forget();
}

TEST(UIAttributes, ParsesPointsRectsNumbersAndBooleans)
{
    UIAttributes a;
    a.setAttribute("p", "303, 588");
    a.setAttribute("q", "15 ,15");
    a.setAttribute("bad", "15 15");
    a.setAttribute("r", "0, 0, 1236, 768");
    a.setAttribute("n", " 2.5 ");
    a.setAttribute("empty", "");
    a.setAttribute("t", "true");
    a.setAttribute("T", "TRUE");
    CPoint p;
    EXPECT_TRUE(a.getPointAttribute("p", p));
    EXPECT_EQ(p, CPoint(303, 588));
    EXPECT_TRUE(a.getPointAttribute("q", p));
    EXPECT_EQ(p, CPoint(15, 15));
    EXPECT_FALSE(a.getPointAttribute("bad", p));
    CRect r;
    EXPECT_TRUE(a.getRectAttribute("r", r));
    EXPECT_EQ(r, CRect(0, 0, 1236, 768));
    double d = 0;
    EXPECT_TRUE(a.getDoubleAttribute("n", d));
    EXPECT_DOUBLE_EQ(d, 2.5);
    EXPECT_FALSE(a.getDoubleAttribute("empty", d));
    bool flag = false;
    EXPECT_TRUE(a.getBooleanAttribute("t", flag));
    EXPECT_TRUE(flag);
    EXPECT_FALSE(a.getBooleanAttribute("T", flag));
    a.setAttribute("t", "false");
    EXPECT_TRUE(a.getBooleanAttribute("t", flag));
    EXPECT_FALSE(flag);
    EXPECT_EQ(a.size(), 8u);
}
