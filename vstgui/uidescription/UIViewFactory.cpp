#include "vstgui/uidescription/UIViewFactory.h"

#include "common/MathConstants.h"

#include "vstgui/CAnimKnob.h"
#include "vstgui/CKickButton.h"
#include "vstgui/COnOffButton.h"
#include "vstgui/COptionMenu.h"
#include "vstgui/CTextEdit.h"
#include "vstgui/CViewContainer.h"
#include "vstgui/CVuMeter.h"
#include "vstgui/CXYPad.h"
#include "vstgui/IController.h"
#include "vstgui/uidescription/IUIDescription.h"
#include "vstgui/uidescription/UIAttributes.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace VSTGUI
{
namespace
{
constexpr double kDegreesToRadians = vevadur::kPi / 180.0;

struct ClassEntry
{
    const char* name;
    std::function<CView*()> create;
};

const ClassEntry* findClass(const std::string& name)
{
    static const ClassEntry classes[] = {
        {"CView", [] { return new CView(CRect()); }},
        {"CViewContainer", [] { return new CViewContainer(CRect()); }},
        {"CParamDisplay", [] { return new CParamDisplay(CRect()); }},
        {"CTextLabel", [] { return new CTextLabel(CRect()); }},
        {"CTextEdit", [] { return new CTextEdit(CRect(), nullptr, -1); }},
        {"CKnob", [] { return new CKnob(CRect(), nullptr, -1, nullptr); }},
        {"CAnimKnob", [] { return new CAnimKnob(CRect(), nullptr, -1, nullptr); }},
        {"COnOffButton", [] { return new COnOffButton(CRect()); }},
        {"CKickButton", [] { return new CKickButton(CRect(), nullptr, -1, nullptr); }},
        {"CVuMeter", [] { return new CVuMeter(CRect(), nullptr, nullptr, 100); }},
        {"CXYPad", [] { return new CXYPad(CRect()); }},
        {"COptionMenu", [] { return new COptionMenu(CRect()); }},
    };
    for (const auto& entry : classes)
        if (name == entry.name) return &entry;
    return nullptr;
}

// Reads a colour attribute through the description; false when absent or unknown.
bool colorAttribute(const UIAttributes& a, const char* name, const IUIDescription* d, CColor& color)
{
    const std::string* value = a.getAttributeValue(name);
    return value && d && d->getColor(value->c_str(), color);
}

CBitmap* bitmapAttribute(const UIAttributes& a, const char* name, const IUIDescription* d)
{
    const std::string* value = a.getAttributeValue(name);
    return (value && d && !value->empty()) ? d->getBitmap(value->c_str()) : nullptr;
}

void applyStyleBit(const UIAttributes& a, const char* name, int32_t bit, int32_t& style)
{
    bool on = false;
    if (!a.getBooleanAttribute(name, on)) return;
    style = on ? (style | bit) : (style & ~bit);
}
} // namespace

bool UIViewFactory::isKnownClass(const std::string& className)
{
    return findClass(className) != nullptr;
}

CView* UIViewFactory::createView(const UIAttributes& attributes,
                                 const IUIDescription* description) const
{
    const std::string* className = attributes.getAttributeValue("class");
    const ClassEntry* entry = className ? findClass(*className) : nullptr;
    if (!entry) return nullptr;
    CView* view = entry->create();
    applyAttributes(view, attributes, description);
    return view;
}

void UIViewFactory::applyAttributes(CView* view, const UIAttributes& attributes,
                                    const IUIDescription* description) const
{
    if (!view) return;
    applyViewAttributes(view, attributes, description);
    applyContainerAttributes(view, attributes, description);
    applyControlAttributes(view, attributes, description);
    applyDisplayAttributes(view, attributes, description);
    applyKnobAttributes(view, attributes, description);
    applyOtherControlAttributes(view, attributes, description);
}

void UIViewFactory::applyViewAttributes(CView* view, const UIAttributes& a,
                                        const IUIDescription* d) const
{
    CRect size = view->getViewSize();
    CPoint point;
    if (a.getPointAttribute("origin", point)) size.moveTo(point.x, point.y);
    if (a.getPointAttribute("size", point))
    {
        // A negative side (a damaged document) makes an empty view, not an inside-out one.
        size.setWidth(std::max(0.0, point.x));
        size.setHeight(std::max(0.0, point.y));
    }
    view->setViewSize(size, false);

    bool flag = false;
    if (a.getBooleanAttribute("transparent", flag)) view->setTransparency(flag);
    if (a.getBooleanAttribute("mouse-enabled", flag)) view->setMouseEnabled(flag);
    if (a.getBooleanAttribute("wants-focus", flag)) view->setWantsFocus(flag);
    double opacity = 1;
    if (a.getDoubleAttribute("opacity", opacity))
        view->setAlphaValue(static_cast<float>(std::fmin(1.0, std::fmax(0.0, opacity))));
    if (a.hasAttribute("bitmap")) view->setBackground(bitmapAttribute(a, "bitmap", d));
    if (a.hasAttribute("disabled-bitmap"))
        view->setDisabledBackground(bitmapAttribute(a, "disabled-bitmap", d));
    if (const std::string* tooltip = a.getAttributeValue("tooltip")) view->setTooltipText(*tooltip);
}

void UIViewFactory::applyContainerAttributes(CView* view, const UIAttributes& a,
                                             const IUIDescription* d) const
{
    auto* container = dynamic_cast<CViewContainer*>(view);
    if (!container) return;
    CColor color;
    if (colorAttribute(a, "background-color", d, color)) container->setBackgroundColor(color);
    if (const std::string* style = a.getAttributeValue("background-color-draw-style"))
    {
        if (*style == "stroked")
            container->setBackgroundColorDrawStyle(kDrawStroked);
        else if (*style == "filled")
            container->setBackgroundColorDrawStyle(kDrawFilled);
        else if (*style == "filled and stroked")
            container->setBackgroundColorDrawStyle(kDrawFilledAndStroked);
    }
}

void UIViewFactory::applyControlAttributes(CView* view, const UIAttributes& a,
                                           const IUIDescription* d) const
{
    auto* control = dynamic_cast<CControl*>(view);
    if (!control) return;
    if (const std::string* tagName = a.getAttributeValue("control-tag"); tagName && d)
    {
        if (!tagName->empty())
        {
            int32_t tag = d->getTagForName(tagName->c_str());
            if (tag != -1)
            {
                control->setListener(d->getControlListener(tagName->c_str()));
                control->setTag(tag);
            }
        }
    }
    double value = 0;
    if (a.getDoubleAttribute("min-value", value)) control->setMin(static_cast<float>(value));
    if (a.getDoubleAttribute("max-value", value)) control->setMax(static_cast<float>(value));
    if (a.getDoubleAttribute("default-value", value))
        control->setDefaultValue(static_cast<float>(value));
    if (a.getDoubleAttribute("wheel-inc-value", value))
        control->setWheelInc(static_cast<float>(value));
    CPoint offset;
    if (a.getPointAttribute("background-offset", offset)) control->setBackOffset(offset);
}

void UIViewFactory::applyDisplayAttributes(CView* view, const UIAttributes& a,
                                           const IUIDescription* d) const
{
    auto* display = dynamic_cast<CParamDisplay*>(view);
    if (!display) return;
    CFontDesc font;
    if (const std::string* name = a.getAttributeValue("font"); name && d)
        if (d->getFont(name->c_str(), font)) display->setFont(font);
    CColor color;
    if (colorAttribute(a, "font-color", d, color)) display->setFontColor(color);
    if (colorAttribute(a, "back-color", d, color)) display->setBackColor(color);
    if (colorAttribute(a, "frame-color", d, color)) display->setFrameColor(color);
    if (colorAttribute(a, "shadow-color", d, color)) display->setShadowColor(color);
    if (const std::string* align = a.getAttributeValue("text-alignment"))
    {
        if (*align == "left")
            display->setHoriAlign(kLeftText);
        else if (*align == "center")
            display->setHoriAlign(kCenterText);
        else if (*align == "right")
            display->setHoriAlign(kRightText);
    }
    CPoint inset;
    if (a.getPointAttribute("text-inset", inset)) display->setTextInset(inset);
    double number = 0;
    if (a.getDoubleAttribute("round-rect-radius", number)) display->setRoundRectRadius(number);
    if (a.getDoubleAttribute("frame-width", number)) display->setFrameWidth(number);
    int32_t precision = 0;
    if (a.getIntegerAttribute("value-precision", precision))
        display->setPrecision(static_cast<uint8_t>(std::max(0, std::min(precision, 20))));
    bool flag = false;
    if (a.getBooleanAttribute("font-antialias", flag)) display->setAntialias(flag);

    int32_t style = display->getStyle();
    applyStyleBit(a, "style-3D-in", k3DIn, style);
    applyStyleBit(a, "style-3D-out", k3DOut, style);
    applyStyleBit(a, "style-no-frame", kNoFrame, style);
    applyStyleBit(a, "style-no-text", kNoTextStyle, style);
    applyStyleBit(a, "style-no-draw", kNoDrawStyle, style);
    applyStyleBit(a, "style-shadow-text", kShadowText, style);
    applyStyleBit(a, "style-round-rect", kRoundRectStyle, style);
    applyStyleBit(a, "menu-popup-style", COptionMenu::kPopupStyle, style);
    applyStyleBit(a, "menu-check-style", COptionMenu::kCheckStyle, style);
    display->setStyle(style);

    auto* label = dynamic_cast<CTextLabel*>(view);
    if (const std::string* title = a.getAttributeValue("title"); title && label)
        label->setText(*title);
    auto* edit = dynamic_cast<CTextEdit*>(view);
    if (edit && a.getBooleanAttribute("immediate-text-change", flag))
        edit->setImmediateTextChange(flag);
    auto* pad = dynamic_cast<CXYPad*>(view);
    if (pad && a.getBooleanAttribute("stop-tracking-on-mouse-exit", flag))
        pad->setStopTrackingOnMouseExit(flag);
}

void UIViewFactory::applyKnobAttributes(CView* view, const UIAttributes& a,
                                        const IUIDescription* d) const
{
    auto* knob = dynamic_cast<CKnob*>(view);
    if (!knob) return;
    double value = 0;
    if (a.getDoubleAttribute("angle-start", value))
        knob->setStartAngle(static_cast<float>(value * kDegreesToRadians));
    if (a.getDoubleAttribute("angle-range", value))
        knob->setRangeAngle(static_cast<float>(value * kDegreesToRadians));
    if (a.getDoubleAttribute("value-inset", value)) knob->setInsetValue(value);
    if (a.getDoubleAttribute("zoom-factor", value)) knob->setZoomFactor(static_cast<float>(value));
    if (a.getDoubleAttribute("handle-line-width", value)) knob->setHandleLineWidth(value);
    CColor color;
    if (colorAttribute(a, "handle-color", d, color)) knob->setHandleColor(color);
    if (colorAttribute(a, "handle-shadow-color", d, color)) knob->setHandleShadowColor(color);
    if (a.hasAttribute("handle-bitmap"))
        knob->setHandleBitmap(bitmapAttribute(a, "handle-bitmap", d));

    auto* animKnob = dynamic_cast<CAnimKnob*>(view);
    if (!animKnob) return;
    if (a.getDoubleAttribute("height-of-one-image", value)) animKnob->setHeightOfOneImage(value);
    int32_t count = 0;
    if (a.getIntegerAttribute("sub-pixmaps", count)) animKnob->setNumSubPixmaps(count);
    bool flag = false;
    if (a.getBooleanAttribute("inverse-bitmap", flag)) animKnob->setInverseBitmap(flag);
}

void UIViewFactory::applyOtherControlAttributes(CView* view, const UIAttributes& a,
                                                const IUIDescription* d) const
{
    double value = 0;
    if (auto* kick = dynamic_cast<CKickButton*>(view))
    {
        if (a.getDoubleAttribute("height-of-one-image", value)) kick->setHeightOfOneImage(value);
    }
    if (auto* meter = dynamic_cast<CVuMeter*>(view))
    {
        if (a.hasAttribute("bitmap")) meter->setOnBitmap(bitmapAttribute(a, "bitmap", d));
        if (a.hasAttribute("off-bitmap")) meter->setOffBitmap(bitmapAttribute(a, "off-bitmap", d));
        int32_t count = 0;
        if (a.getIntegerAttribute("num-led", count)) meter->setNbLed(count);
        if (const std::string* orientation = a.getAttributeValue("orientation"))
            meter->setStyle(*orientation == "horizontal" ? kHorizontal : kVertical);
        if (a.getDoubleAttribute("decrease-step-value", value))
            meter->setDecreaseStepValue(static_cast<float>(value));
    }
}
} // namespace VSTGUI
