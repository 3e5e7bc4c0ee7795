// Custom views built from small documents: each framework name, the attribute readings and
// their defaults, meter names, and the request to the effect for names the framework does
// not know.
#include "DocumentFixture.h"

#include "gui/CKickButtonZx.h"
#include "gui/CTextEditZx.h"
#include "gui/CTextLabelZx.h"
#include "gui/CVuMeterZx.h"
#include "gui/CXYPadZx.h"
#include "gui/CustomViewAttributes.h"

#include <gtest/gtest.h>

using namespace VSTGUI;
using Steinberg::Vst::Veru2ZOR3::parsePoint;

namespace
{
IControlListener* editorListener(const DocumentFixture& f)
{
    return static_cast<IController*>(f.editor);
}

bool sameColour(const EditorColour& a, const CColor& b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue && a.alpha == b.alpha;
}

void pressKey(const DocumentFixture& f, unsigned char virt, int32_t character = 0)
{
    VstKeyCode code;
    code.virt = virt;
    code.character = character;
    f.frame()->onKeyDown(code);
}
} // namespace

TEST(ParsePoint, ReadsTwoLeadingIntegersAroundTheFirstComma)
{
    struct Case
    {
        const char* text;
        double x;
        double y;
    };
    for (const Case c : {Case{"15 ,15", 15, 15}, Case{"303, 588", 303, 588},
                         Case{"  7,\t-3", 7, -3}, Case{"10.9,3.7", 10, 3}, Case{"a,b", 0, 0},
                         Case{"1,2,3", 1, 2}, Case{"99999999999,1", 2147483647, 1}})
    {
        CPoint p(-1, -1);
        EXPECT_TRUE(parsePoint(c.text, p)) << c.text;
        EXPECT_EQ(p, CPoint(c.x, c.y)) << c.text;
    }
    CPoint kept(4, 5);
    EXPECT_FALSE(parsePoint("12 34", kept));
    EXPECT_FALSE(parsePoint(nullptr, kept));
    EXPECT_EQ(kept, CPoint(4, 5));
}

TEST(KickButtonView, NamesSetTheModeAndAttributesTheButton)
{
    DocumentFixture f;
    std::string views;
    for (const char* name :
         {"ZadaKickButton", "ZadaKickButtonDU", "ZadaKickButtonU", "ZadaKickButtonD"})
        views += std::string("<view custom-view-name=\"") + name +
                 "\" origin=\"10, 20\" size=\"20, 20\" bitmap=\"knob\" control-tag=\"Gain\" "
                 "background-offset=\"0 ,5\"/>\n";
    ASSERT_TRUE(f.open(views));
    const auto found = f.views();
    ASSERT_EQ(found.size(), 4u);
    const int32_t modes[] = {CKickButtonZx::kUp, CKickButtonZx::kDownUp, CKickButtonZx::kUp,
                             CKickButtonZx::kDown};
    for (size_t i = 0; i < 4; ++i)
    {
        auto* button = dynamic_cast<CKickButtonZx*>(found[i]);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->getMode(), modes[i]);
        EXPECT_EQ(button->getViewSize(), CRect(10, 20, 30, 40));
        EXPECT_EQ(button->getTag(), 0);
        EXPECT_EQ(button->getListener(), editorListener(f));
        ASSERT_NE(button->getBackground(), nullptr);
        EXPECT_EQ(button->getBackground()->getHeight(), 40);
        EXPECT_EQ(button->getBackOffset(), CPoint(0, 5));
    }

    // Bound to parameter 0: a press of the press-only button reaches the host.
    CPoint where(20, 30);
    f.frame()->onMouseDown(where, kLButton);
    f.frame()->onMouseUp(where, kLButton);
    EXPECT_EQ(f.controller->handler.lastValue(0), 1.0);
}

TEST(KickButtonView, OriginWithoutACommaStaysAtZero)
{
    DocumentFixture f;
    ASSERT_TRUE(
        f.open(R"(<view custom-view-name="ZadaKickButton" origin="15 15" size="20, 20"/>)"));
    auto* button = f.only<CKickButtonZx>();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->getViewSize(), CRect(0, 0, 20, 20));
    EXPECT_EQ(button->getBackground(), nullptr);
    EXPECT_EQ(button->getTag(), -1);
}

TEST(PadView, ColoursFrameAndStyleComeFromTheAttributes)
{
    DocumentFixture f;
    ASSERT_TRUE(f.open(R"(
      <view custom-view-name="TrackPad" origin="5, 6" size="100, 80" back-color="Panel"
            frame-color="#ff0000" font-color="Nonsense" frame-width="3" round-rect-radius="12"
            style-round-rect="true" style-no-frame="TRUE"/>
      <view custom-view-name="Joystick" origin="0, 100" size="100, 100" back-color="Handle"
            frame-width="1" round-rect-radius="8" style-round-rect="false" style-no-frame="true"/>
    )"));
    const auto found = f.views();
    ASSERT_EQ(found.size(), 2u);
    auto* track = dynamic_cast<CXYPadZx*>(found[0]);
    auto* joystick = dynamic_cast<CXYPadZx*>(found[1]);
    ASSERT_TRUE(track && joystick);
    EXPECT_FALSE(track->isJoystick());
    EXPECT_TRUE(joystick->isJoystick());
    EXPECT_EQ(track->getViewSize(), CRect(5, 6, 105, 86));
    EXPECT_EQ(track->getBackColor(), CColor(0x10, 0x20, 0x30));
    EXPECT_EQ(track->getFrameColor(), kRedCColor);
    EXPECT_EQ(track->getFontColor(), kWhiteCColor); // an unknown colour leaves white
    EXPECT_EQ(track->getFrameWidth(), 3);
    EXPECT_EQ(track->getRoundRectRadius(), 12);
    EXPECT_TRUE(track->getStyle() & kRoundRectStyle);
    EXPECT_FALSE(track->getStyle() & kNoFrame); // only "true" is true
    EXPECT_EQ(joystick->getBackColor(), kGreenCColor);
    EXPECT_EQ(joystick->getFrameColor(), kWhiteCColor); // absent: white
    EXPECT_FALSE(joystick->getStyle() & kRoundRectStyle);
    EXPECT_TRUE(joystick->getStyle() & kNoFrame);
}

TEST(UnitsViews, TextViewsShowTheUnitsOfTheControlTheirTagNames)
{
    DocumentFixture f;
    ASSERT_TRUE(f.open(R"(
      <view custom-view-name="UnitsEdit" origin="0, 0" size="80, 20" control-tag="Gain" title="t"/>
      <view custom-view-name="UnitsLabel" origin="0, 30" size="80, 20" control-tag="Rate"
            title="Rate" bitmap=""/>
      <view custom-view-name="UnitsLabel" origin="0, 60" size="20, 20" control-tag="Rate"
            bitmap="knob"/>
      <view custom-view-name="UnitsEdit" origin="0, 90" size="80, 20" control-tag="Far"/>
      <view custom-view-name="UnitsLabel" origin="0, 120" size="80, 20"/>
    )"));
    const auto found = f.views();
    ASSERT_EQ(found.size(), 3u); // no views for a tag beyond the controls, or for no tag

    auto* edit = dynamic_cast<CTextEditZx*>(found[0]);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->getUnits(), "dB");
    EXPECT_EQ(edit->getTag(), 0);
    EXPECT_EQ(edit->getListener(), editorListener(f));
    EXPECT_EQ(edit->getViewSize(), CRect(0, 0, 80, 20));
    // Bound to parameter 0, it shows the parameter's text and the units.
    const std::string text = edit->getText();
    ASSERT_GT(text.size(), 3u);
    EXPECT_EQ(text.substr(text.size() - 3), " dB");
    // Typed text reaches the parameter; the units after it do not get in the way.
    CPoint where(10, 10);
    f.frame()->onMouseDown(where, kLButton);
    ASSERT_TRUE(edit->isTextEditing());
    for (size_t i = 0; i < text.size(); ++i)
        pressKey(f, VKEY_BACK);
    for (char c : std::string("0.25"))
        pressKey(f, 0, c);
    pressKey(f, VKEY_RETURN);
    EXPECT_DOUBLE_EQ(f.controller->handler.lastValue(0), 0.25);

    auto* label = dynamic_cast<CTextLabelZx*>(found[1]);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->getUnits(), "Hz");
    EXPECT_EQ(label->getText(), "Rate");
    EXPECT_EQ(label->getBackground(), nullptr);
    EXPECT_EQ(label->getTag(), -1);
    EXPECT_EQ(label->getListener(), nullptr);
    label->setText("2.00");
    EXPECT_EQ(label->getText(), "2.00 Hz");

    auto* withBitmap = dynamic_cast<CTextLabelZx*>(found[2]);
    ASSERT_NE(withBitmap, nullptr);
    ASSERT_NE(withBitmap->getBackground(), nullptr);
    EXPECT_EQ(withBitmap->getBackground()->getWidth(), 20);
}

TEST(MeterViews, NamesChooseKindDirectionAndFilmStrip)
{
    DocumentFixture f;
    const std::string attributes =
        R"( origin="0, 0" size="10, 8" bitmap="strip" off-bitmap="off" num-led="10" )";
    std::string views;
    for (const char* name :
         {"AnalogMeterView_H62_Z40", "InvertedAnalogMeterView_H8_Z5", "AnalogMeterViewX_H10_Z5",
          "AnalogMeterView", "MeterView", "InvertedMeterView"})
        views += std::string("<view custom-view-name=\"") + name + "\"" + attributes +
                 "control-tag=\"Level\"/>\n";
    ASSERT_TRUE(f.open(views));
    const auto found = f.views();
    ASSERT_EQ(found.size(), 6u);
    std::vector<CVuMeterZx*> meters;
    for (CView* view : found)
    {
        meters.push_back(dynamic_cast<CVuMeterZx*>(view));
        ASSERT_NE(meters.back(), nullptr);
        EXPECT_NE(meters.back()->getOnBitmap(), nullptr);
        EXPECT_NE(meters.back()->getOffBitmap(), nullptr);
        EXPECT_EQ(meters.back()->getStyle(), kVertical);
        EXPECT_EQ(meters.back()->getNbLed(), 10);
        EXPECT_EQ(meters.back()->getTag(), 2);
    }
    const bool analog[] = {true, true, true, true, false, false};
    const bool inverted[] = {false, true, false, false, false, true};
    for (size_t i = 0; i < meters.size(); ++i)
    {
        EXPECT_EQ(meters[i]->isAnalog(), analog[i]) << i;
        EXPECT_EQ(meters[i]->isInverted(), inverted[i]) << i;
    }
    EXPECT_EQ(meters[0]->getFrameHeight(), 62);
    EXPECT_EQ(meters[0]->getZeroFrame(), 40);
    EXPECT_EQ(meters[0]->getFrameCount(), 10);
    EXPECT_EQ(meters[1]->getFrameHeight(), 8);
    EXPECT_EQ(meters[1]->getZeroFrame(), 5);
    EXPECT_EQ(meters[2]->getFrameHeight(), 10);
    // Without the markers the strip keeps the meter's own frame height and zero frame.
    EXPECT_EQ(meters[3]->getFrameHeight(), 65);
    EXPECT_EQ(meters[3]->getZeroFrame(), 52);
    EXPECT_EQ(meters[3]->getFrameCount(), 10);
}

TEST(MeterViews, DetectorsTakeTheBallisticsOfTheNamedMeterControl)
{
    DocumentFixture f;
    const std::string attributes =
        R"( origin="0, 0" size="10, 8" bitmap="strip" off-bitmap="off" num-led="10" )";
    ASSERT_TRUE(f.open("<view custom-view-name=\"AnalogMeterView_H8_Z5\"" + attributes +
                       "control-tag=\"Level\"/>\n<view custom-view-name=\"MeterView\"" +
                       attributes +
                       "control-tag=\"Level\"/>\n<view custom-view-name=\"MeterView\"" +
                       attributes + "control-tag=\"Nothing\"/>"));
    const auto found = f.views();
    ASSERT_EQ(found.size(), 3u);

    // An analog meter needs a record with a meter variable: the meter, not the later control.
    const EnvelopeDetector& analog = dynamic_cast<CVuMeterZx*>(found[0])->getDetector();
    EXPECT_EQ(analog.getRate(), 20.f);
    EXPECT_EQ(analog.getAttackMs(), 100.f);
    EXPECT_EQ(analog.getReleaseMs(), 300.f);
    EXPECT_EQ(analog.getDetectMode(), 1);
    EXPECT_TRUE(analog.hasDBOutput());
    EXPECT_TRUE(analog.hasAnalogTimeConstant());
    EXPECT_EQ(analog.getEnvelope(), 0.f);

    // An LED meter takes the last record of that name.
    const EnvelopeDetector& led = dynamic_cast<CVuMeterZx*>(found[1])->getDetector();
    EXPECT_EQ(led.getRate(), 20.f);
    EXPECT_EQ(led.getAttackMs(), 40.f);
    EXPECT_EQ(led.getReleaseMs(), 80.f);
    EXPECT_EQ(led.getDetectMode(), 0);
    EXPECT_FALSE(led.hasDBOutput());

    // No such control: the detector keeps its construction state.
    auto* unmatched = dynamic_cast<CVuMeterZx*>(found[2]);
    EXPECT_EQ(unmatched->getDetector().getRate(), 44100.f);
    EXPECT_EQ(unmatched->getTag(), -1);
}

TEST(MeterViews, AMeterWithoutAllItsAttributesIsOfferedToTheEffect)
{
    DocumentFixture f;
    ASSERT_TRUE(f.open(R"(
      <view custom-view-name="MeterView" origin="0, 0" size="10, 8" bitmap="on" off-bitmap="off"/>
      <view custom-view-name="AnalogMeterView_H8_Z5" origin="0, 0" size="10, 8" bitmap="strip"
            num-led="10"/>
    )"));
    EXPECT_TRUE(f.views().empty());
    const auto& requests = f.controller->effect.requests;
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].viewName, "MeterView");
    EXPECT_EQ(requests[0].offBitmapFile, "off.png");
    EXPECT_EQ(requests[1].viewName, "AnalogMeterView_H8_Z5");
}

TEST(EffectView, UnknownNamesReachTheEffectWithTheirAttributes)
{
    DocumentFixture f;
    f.controller->message.auxText = "stale";
    ASSERT_TRUE(f.open(R"(
      <view custom-view-name="Scope" origin="5,6" size="30, 40" control-tag="Gain"
            background-offset="1, 2" bitmap="scope" handle-bitmap="" off-bitmap="scopeoff"
            orientation="vertical" back-color="Handle" frame-color="Nonsense" frame-width="2"
            round-rect-radius="7" style-round-rect="true" style-no-frame="false"
            height-of-one-image="20" sub-pixmaps="8"/>
    )"));
    EXPECT_TRUE(f.views().empty()); // the base effect supplies no view
    const auto& requests = f.controller->effect.requests;
    ASSERT_EQ(requests.size(), 1u);
    const ViewRequest& r = requests[0];
    EXPECT_EQ(r.viewName, "Scope");
    EXPECT_EQ(r.auxText, "");
    EXPECT_EQ(r.message.parentWindow, nullptr);
    EXPECT_EQ(r.message.editorInterface, nullptr);
    EXPECT_EQ(r.message.moduleHandle, nullptr);
    EXPECT_EQ(r.message.guiWidth, 0);
    EXPECT_EQ(r.message.guiHeight, 0);
    EXPECT_FALSE(r.message.wantsCustomView);
    EXPECT_EQ(r.message.controlTag, 0);
    EXPECT_EQ(r.message.controlListener, static_cast<void*>(editorListener(f)));
    EXPECT_EQ(r.message.left, 5);
    EXPECT_EQ(r.message.top, 6);
    EXPECT_EQ(r.message.right, 35);
    EXPECT_EQ(r.message.bottom, 46);
    EXPECT_EQ(r.message.backgroundOffsetX, 1);
    EXPECT_EQ(r.message.backgroundOffsetY, 2);
    EXPECT_EQ(r.bitmapFile, "scope.png");
    EXPECT_EQ(r.handleBitmapFile, "");
    EXPECT_EQ(r.offBitmapFile, "scopeoff.png");
    EXPECT_EQ(r.orientation, "vertical");
    ASSERT_TRUE(r.backColor && r.frameColor);
    EXPECT_TRUE(sameColour(*r.backColor, kGreenCColor));
    EXPECT_TRUE(sameColour(*r.frameColor, kWhiteCColor)); // unknown: white
    EXPECT_FALSE(r.fontColor.has_value());
    EXPECT_EQ(r.message.frameWidth, 2);
    EXPECT_EQ(r.message.roundRectRadius, 7);
    EXPECT_TRUE(r.message.styleRoundRect);
    EXPECT_FALSE(r.message.styleNoFrame);
    EXPECT_EQ(r.message.heightOfOneImage, 20);
    EXPECT_EQ(r.message.subPixmaps, 8);

    // Once answered, the record no longer points at the request's texts and colours.
    const EditorMessage& m = f.controller->message;
    EXPECT_STREQ(m.viewName, "");
    EXPECT_STREQ(m.bitmapFile, "");
    EXPECT_STREQ(m.offBitmapFile, "");
    EXPECT_EQ(m.backColor, nullptr);
    EXPECT_EQ(m.frameColor, nullptr);
}

TEST(EffectView, MissingAttributesGiveZeroEmptyTextOrNone)
{
    DocumentFixture f;
    f.controller->message.controlTag = 77;
    f.controller->message.parameterIndex = 9;
    f.controller->effect.viewAnswer = 1;
    ASSERT_TRUE(f.open(R"(
      <view custom-view-name="Dial" handle-bitmap="dial" off-bitmap="dialoff"/>
    )"));
    EXPECT_TRUE(f.views().empty()); // a 32-bit answer carries no view
    ASSERT_EQ(f.controller->effect.requests.size(), 1u);
    const ViewRequest& r = f.controller->effect.requests[0];
    EXPECT_EQ(r.message.controlTag, 77); // kept without a control-tag
    EXPECT_EQ(r.message.controlListener, nullptr);
    EXPECT_EQ(r.message.left, 0);
    EXPECT_EQ(r.message.right, 0);
    EXPECT_EQ(r.message.backgroundOffsetX, 0);
    EXPECT_EQ(r.bitmapFile, "");
    EXPECT_EQ(r.handleBitmapFile, "dial.png");
    EXPECT_EQ(r.offBitmapFile, ""); // a handle bitmap excludes the off-bitmap
    EXPECT_EQ(r.orientation, "");
    EXPECT_FALSE(r.backColor || r.frameColor || r.fontColor);
    EXPECT_EQ(r.message.frameWidth, 0);
    EXPECT_EQ(r.message.subPixmaps, 0);
    EXPECT_EQ(f.controller->message.parameterIndex, 9); // not a view member: untouched
}

TEST(CustomViewFactory, NoEffectOrNoNameBuildsNothing)
{
    auto* controller = new DelegateController();
    UIAttributes attributes;
    attributes.setAttribute("origin", "0, 0");
    attributes.setAttribute("size", "10, 10");
    EditorMessage message;
    Steinberg::Vst::Veru2ZOR3::CustomViewFactory withoutEffect(nullptr, message, controller);
    EXPECT_EQ(withoutEffect.createCustomView("ZadaKickButton", attributes, nullptr, nullptr),
              nullptr);
    EXPECT_EQ(withoutEffect.createCustomView("Scope", attributes, nullptr, nullptr), nullptr);
    EXPECT_EQ(controller->factory().createCustomView("", attributes, nullptr, nullptr), nullptr);
    EXPECT_EQ(controller->factory().createCustomView(nullptr, attributes, nullptr, nullptr),
              nullptr);
    EXPECT_TRUE(controller->effect.requests.empty());
    controller->release();
}
