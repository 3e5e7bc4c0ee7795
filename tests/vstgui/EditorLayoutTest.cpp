// The plug-in's editor document: its content as written, and the panel it builds and renders.
#include "EditorFixture.h"

#include "vstgui/CAnimKnob.h"
#include "vstgui/COffscreenContext.h"
#include "vstgui/COnOffButton.h"
#include "vstgui/COptionMenu.h"
#include "vstgui/CTextEdit.h"
#include "vstgui/uidescription/UIDescription.h"

#include <gtest/gtest.h>

#include <cmath>
#include <pugixml.hpp>

#include <map>

using namespace VSTGUI;

namespace
{
int luminance(const CColor& c)
{
    return (c.red * 30 + c.green * 59 + c.blue * 11) / 100;
}

int countPixels(const COffscreenContext& image, const CRect& r,
                const std::function<bool(const CColor&)>& test)
{
    int n = 0;
    for (int y = static_cast<int>(r.top); y < r.bottom; ++y)
        for (int x = static_cast<int>(r.left); x < r.right; ++x)
            n += test(image.getPixel(x, y));
    return n;
}

std::unique_ptr<COffscreenContext> render(CFrame* frame)
{
    auto image = std::make_unique<COffscreenContext>(static_cast<int>(frame->getWidth()),
                                                     static_cast<int>(frame->getHeight()),
                                                     &frame->getTextRenderer());
    frame->drawRect(image.get(), CRect(0, 0, frame->getWidth(), frame->getHeight()));
    return image;
}
} // namespace

TEST(EditorDocument, FontsControlTagsAndCustomAttributesAreAsDesigned)
{
    UIDescription description{CResourceDescription(uiDescriptionPath())};
    ASSERT_TRUE(description.parse());
    EXPECT_EQ(
        description.getFontNames(),
        (std::vector<std::string>{"Microsoft Sans Serif", "Verdana 10  ", "Verdana 10 bold ital",
                                  "Verdana 14 bold ", "Verdana 14 bold ital"}));
    CFontDesc font;
    ASSERT_TRUE(description.getFont("Microsoft Sans Serif", font));
    EXPECT_EQ(font, CFontDesc("Microsoft Sans Serif", 18, kBoldFace));
    ASSERT_TRUE(description.getFont("Verdana 10  ", font));
    EXPECT_EQ(font, CFontDesc("Verdana", 10, kNormalFace));
    ASSERT_TRUE(description.getFont("Verdana 14 bold ", font));
    EXPECT_EQ(font, CFontDesc("Verdana", 14, kBoldFace));
    ASSERT_TRUE(description.getFont("Verdana 10 bold ital", font));
    EXPECT_EQ(font, CFontDesc("Verdana", 10, kBoldFace | kItalicFace));

    const std::map<std::string, int32_t> tags = {{"Gain", 0},
                                                 {"Position", 1},
                                                 {"Vol L-R", 2},
                                                 {"Abs L-R", 3},
                                                 {"Vol F-B", 4},
                                                 {"Abs F-B", 5},
                                                 {"Vol C-F", 6},
                                                 {"Abs C-F", 7},
                                                 {"Decay Type", 8},
                                                 {"Stereo/Mono", 9},
                                                 {"Left/Right", 10},
                                                 {"Speed", 11},
                                                 {"Reverse", 12},
                                                 {"ASSIGNBUTTON_1", 32768},
                                                 {"ASSIGNBUTTON_2", 32769},
                                                 {"ASSIGNBUTTON_3", 32770},
                                                 {"ALPHA_WHEEL", 32771},
                                                 {"LCD_KNOB", 32772},
                                                 {"JOYSTICK_X", 32773},
                                                 {"JOYSTICK_Y", 32774},
                                                 {"JOYSTICK", 32775},
                                                 {"TRACKPAD", 32776},
                                                 {"LCD_TITLE", 32777},
                                                 {"LCD_COUNT", 32778}};
    for (const auto& [name, tag] : tags)
        EXPECT_EQ(description.getTagForName(name.c_str()), tag) << name;
    for (int n = 0; n < 32; ++n)
        EXPECT_EQ(description.getTagForName(("TAB_CTRL_" + std::to_string(n)).c_str()), 65536 + n);
    EXPECT_EQ(description.getControlTagNames().size(), tags.size() + 32);

    std::map<std::string, std::string> custom;
    int templatePairs = 0;
    CColor color;
    EXPECT_FALSE(description.getColor("Mint", color)); // no colours of its own
    pugi::xml_document xml;
    ASSERT_TRUE(xml.load_file(uiDescriptionPath().c_str()));
    for (auto entry : xml.child("vstgui-ui-description").child("custom").children("attributes"))
    {
        for (auto attribute : entry.attributes())
            custom[attribute.name()] = attribute.value();
        templatePairs += !entry.attribute("zada-template-name").empty();
    }
    EXPECT_EQ(custom["KnobAction"], "2");
    EXPECT_EQ(custom["SelectedTemplate"], "Editor");
    EXPECT_EQ(custom["EditorSize"], "0, 0, 1236, 768");
    EXPECT_EQ(custom["default-blurb-color"], "~ BlackCColor");
    EXPECT_EQ(custom["ZADAShowGrid"], "true");
    EXPECT_EQ(templatePairs, 13);
    ASSERT_NE(description.getCustomAttributes("VST3Editor"), nullptr);
}

TEST(EditorDocument, BitmapListAndEmptyCustomViewNames)
{
    pugi::xml_document xml;
    ASSERT_TRUE(xml.load_file(uiDescriptionPath().c_str()));
    auto root = xml.child("vstgui-ui-description");
    std::map<std::string, int> perType;
    int entries = 0;
    int whitedust = 0;
    for (auto bitmap : root.child("bitmaps").children("bitmap"))
    {
        ++entries;
        std::string name = bitmap.attribute("name").value();
        std::string type = bitmap.attribute("orvutype").value();
        ++perType[type];
        whitedust += name == "whitedust";
        EXPECT_EQ(std::string(bitmap.attribute("path").value()), name + ".png");
        std::string offsets = bitmap.attribute("nineparttiled-offsets").value();
        if (name == "background")
            EXPECT_EQ(offsets, "150, 160, 150, 160");
        else if (name == "groupframe")
            EXPECT_EQ(offsets, "25, 25, 25, 25");
        else if (type == "backgnd")
            EXPECT_EQ(offsets, "0, 0, 0, 0") << name;
        else
            EXPECT_EQ(offsets, "") << name;
    }
    EXPECT_EQ(entries, 132);
    EXPECT_EQ(whitedust, 2);
    const std::map<std::string, int> expected = {
        {"knob", 33},       {"onoffbtn", 21},   {"radiobtn", 21},   {"alphaknob270", 20},
        {"backgnd", 7},     {"analogvu", 4},    {"vsliderback", 3}, {"hsliderback", 3},
        {"hsliderhand", 3}, {"vsliderhand", 2}, {"vuoff", 2},       {"vuon", 2},
        {"vuoffinv", 2},    {"vuoninv", 2},     {"otherknob", 2},   {"groupframe", 1},
        {"userimage", 1},   {"assignbtn", 1},   {"vertswitch", 1},  {"horizswitch", 1}};
    EXPECT_EQ(perType, expected);

    int views = 0;
    for (auto node : root.select_nodes("//view | //template"))
    {
        ++views;
        EXPECT_STREQ(node.node().attribute("custom-view-name").value(), "");
        EXPECT_STREQ(node.node().attribute("sub-controller").value(), "");
    }
    EXPECT_GT(views, 50);
}

TEST(EditorLayout, OpensAtItsFixedSizeWithEveryControlInPlace)
{
    EditorFixture f;
    ASSERT_NE(f.frame(), nullptr);
    EXPECT_EQ(f.frame()->getViewSize(), CRect(0, 0, 303, 588));
    CPoint minimum;
    CPoint maximum;
    f.editor->getEditorSizeConstrains(minimum, maximum);
    EXPECT_EQ(minimum, CPoint(303, 588));
    EXPECT_EQ(maximum, CPoint(303, 588));

    struct Expected
    {
        int32_t tag;
        CRect rect;
        const char* bitmap;
    };
    // Knobs: template origin + panel (15, 15) + group origin + knob origin.
    const Expected knobs[] = {
        {3, CRect(180, 65, 222, 107), "chickenhead3.png"},
        {5, CRect(182, 147, 224, 189), "chickenhead3.png"},
        {7, CRect(182, 227, 224, 269), "chickenhead3.png"},
        {2, CRect(66, 67, 108, 109), "chickenhead3.png"},
        {4, CRect(67, 147, 109, 189), "chickenhead3.png"},
        {6, CRect(66, 227, 108, 269), "chickenhead3.png"},
        {0, CRect(181, 422, 223, 464), "chickenhead2.png"},
        {11, CRect(71, 332, 113, 374), "knob.png"},
    };
    for (const Expected& e : knobs)
    {
        CRect rect;
        auto* knob = f.control<CAnimKnob>(e.tag, &rect);
        ASSERT_NE(knob, nullptr) << e.tag;
        EXPECT_EQ(rect, e.rect) << e.tag;
        ASSERT_NE(knob->getBackground(), nullptr);
        EXPECT_TRUE(knob->getBackground()->isLoaded()) << e.tag;
        EXPECT_EQ(knob->getBackground()->getResourceDescription().name, e.bitmap);
        EXPECT_EQ(knob->getBackground()->getHeight(), 80 * 42);
        EXPECT_EQ(knob->getNumSubPixmaps(), 80);
        EXPECT_NEAR(knob->getRangeAngle(), 1.5 * M_PI, 1e-6);
    }
    const Expected switches[] = {
        {8, CRect(129, 273, 171, 315), "medtoggleswitch.png"},
        {10, CRect(109, 468, 151, 510), "medtoggleswitch.png"},
        {9, CRect(39, 468, 81, 510), "medtoggleswitch.png"},
        {12, CRect(179, 333, 221, 375), "medtoggleswitch.png"},
    };
    for (const Expected& e : switches)
    {
        CRect rect;
        auto* button = f.control<COnOffButton>(e.tag, &rect);
        ASSERT_NE(button, nullptr) << e.tag;
        EXPECT_EQ(rect, e.rect) << e.tag;
        EXPECT_EQ(button->getBackground()->getHeight(), 84);
    }
    CRect rect;
    ASSERT_NE(f.control<COptionMenu>(1, &rect), nullptr);
    EXPECT_EQ(rect, CRect(75, 430, 115, 450));
    auto* field = f.control<CTextEdit>(11, &rect);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(rect, CRect(70, 377, 115, 392));
    EXPECT_EQ(field->getTooltipText(), "Hz");
}

TEST(EditorLayout, LabelsStandBesideTheirSwitchesAndTitlesAreSet)
{
    EditorFixture f;
    std::map<std::string, std::vector<EditorFixture::Placed>> labels;
    for (const auto& placed : f.find(
             [](CView* v) { return dynamic_cast<CTextLabel*>(v) && !dynamic_cast<CTextEdit*>(v); }))
        labels[static_cast<CTextLabel*>(placed.view)->getText()].push_back(placed);

    auto only = [&](const std::string& text)
    {
        EXPECT_EQ(labels[text].size(), 1u) << text;
        return labels[text].empty() ? CRect() : labels[text][0].rect;
    };
    CRect stereoMono;
    CRect leftRight;
    f.control<COnOffButton>(9, &stereoMono);
    f.control<COnOffButton>(10, &leftRight);
    EXPECT_EQ(only("S"), CRect(-15, 470, 85, 486));
    EXPECT_EQ(only("M"), CRect(-15, 490, 85, 506));
    EXPECT_EQ(only("L"), CRect(105, 470, 205, 486));
    EXPECT_EQ(only("R"), CRect(105, 490, 205, 506));
    // Centred one-letter labels: left of the Stereo/Mono switch, right of the Left/Right one,
    // S and L level with the switch's upper half, M and R with its lower half.
    EXPECT_LT(only("S").getCenter().x, stereoMono.left);
    EXPECT_GT(only("L").getCenter().x, leftRight.right);
    for (const char* upper : {"S", "L"})
        EXPECT_LT(only(upper).getCenter().y, stereoMono.getCenter().y);
    for (const char* lower : {"M", "R"})
        EXPECT_GT(only(lower).getCenter().y, stereoMono.getCenter().y);

    EXPECT_EQ(only("Rara Vozo Ravo"), CRect(75, 25, 226, 41));
    auto* title = static_cast<CTextLabel*>(labels["Rara Vozo Ravo"][0].view);
    EXPECT_EQ(title->getFont(), CFontDesc("Verdana", 14, kBoldFace | kItalicFace));
    EXPECT_EQ(only("Rovazuro"), CRect(170, 545, 270, 561));
    EXPECT_EQ(static_cast<CTextLabel*>(labels["Rovazuro"][0].view)->getFont(),
              CFontDesc("Verdana", 10, kBoldFace | kItalicFace));
    for (const char* text : {"Exp", "One Ovr", "Source", "Master Vol", "Speed", "Decay Type",
                             "Stereo/Mono", "Left/Right", "Reverse", "Vol L-R", "Abs C-F"})
        only(text);
}

TEST(EditorLayout, PositionMenuListsTheElevenPositions)
{
    EditorFixture f;
    auto* menu = f.control<COptionMenu>(1);
    ASSERT_NE(menu, nullptr);
    const std::vector<std::string> names = {"Center", "L22", "L32", "L45", "L64", "L90",
                                            "R22",    "R32", "R45", "R64", "R90"};
    ASSERT_EQ(menu->getNbEntries(), 11);
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(menu->getEntry(i), names[static_cast<size_t>(i)]);
    EXPECT_EQ(menu->getCurrentIndex(), 0);
}

TEST(EditorLayout, RendersThePanelOffscreen)
{
    EditorFixture f;
    auto image = render(f.frame());
    ASSERT_EQ(image->getWidth(), 303);
    ASSERT_EQ(image->getHeight(), 588);
    EXPECT_EQ(image->getPixel(3, 3), kGreyCColor); // the editor's grey border
    EXPECT_EQ(image->getPixel(299, 584), kGreyCColor);
    // The brushed panel: light, opaque metal between the knob columns.
    for (CPoint p : {CPoint(140, 120), CPoint(150, 520), CPoint(30, 300)})
    {
        CColor c = image->getPixel(static_cast<int>(p.x), static_cast<int>(p.y));
        EXPECT_EQ(c.alpha, 255);
        EXPECT_GT(luminance(c), 130) << p.x << "," << p.y;
        EXPECT_NE(c, kGreyCColor);
    }
    // Every knob's middle is dark (its cap or pointer).
    for (int32_t tag : {0, 2, 3, 4, 5, 6, 7, 11})
    {
        CRect rect;
        f.control<CAnimKnob>(tag, &rect);
        CPoint centre = rect.getCenter();
        EXPECT_LT(
            luminance(image->getPixel(static_cast<int>(centre.x), static_cast<int>(centre.y))), 90)
            << tag;
    }
    auto dark = [](const CColor& c) { return c.alpha == 255 && luminance(c) < 60; };
    auto white = [](const CColor& c) { return luminance(c) > 200; };
    EXPECT_GT(countPixels(*image, CRect(75, 25, 226, 41), dark), 80);    // "Rara Vozo Ravo"
    EXPECT_GT(countPixels(*image, CRect(170, 545, 270, 561), dark), 30); // "Rovazuro"
    EXPECT_GT(countPixels(*image, CRect(75, 432, 115, 448), white), 15); // "Center"
    EXPECT_GT(countPixels(*image, CRect(72, 378, 113, 391), white), 10); // "0.00"

    // A switch shows its other frame when turned.
    CRect rect;
    f.control<COnOffButton>(9, &rect);
    auto before = render(f.frame());
    f.controller->setParamNormalized(9, 1.0);
    auto after = render(f.frame());
    int changed = countPixels(*after, rect, [&](const CColor&) { return false; });
    for (int y = static_cast<int>(rect.top); y < rect.bottom; ++y)
        for (int x = static_cast<int>(rect.left); x < rect.right; ++x)
            changed += before->getPixel(x, y) != after->getPixel(x, y);
    EXPECT_GT(changed, 40);
}
