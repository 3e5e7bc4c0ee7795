#include "gui/CustomViewFactory.h"

#include "gui/CKickButtonZx.h"
#include "gui/CPadControllerZx.h"
#include "gui/CTextEditZx.h"
#include "gui/CTextLabelZx.h"
#include "gui/CVuMeterZx.h"
#include "gui/CXYPadZx.h"
#include "gui/CustomViewAttributes.h"
#include "gui/EffectViewRequest.h"

#include "core/HostParameterIds.h"
#include "vstgui/plugin-bindings/PadController.h"
#include "vstgui/plugin-bindings/VST3Editor.h"

#include <cstring>

namespace Steinberg::Vst::Veru2ZOR3
{
using namespace VSTGUI;

namespace
{
bool contains(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

bool isKickButtonName(const std::string& name)
{
    return name == "ZadaKickButton" || name == "ZadaKickButtonDU" || name == "ZadaKickButtonU" ||
           name == "ZadaKickButtonD";
}

int32_t kickButtonMode(const std::string& name)
{
    if (name == "ZadaKickButtonDU") return CKickButtonZx::kDownUp;
    if (name == "ZadaKickButtonD") return CKickButtonZx::kDown;
    return CKickButtonZx::kUp;
}

bool hasMeterAttributes(const CustomViewAttributes& attributes)
{
    for (const char* name : {"size", "origin", "bitmap", "off-bitmap", "num-led"})
        if (!attributes.isPresent(name)) return false;
    return true;
}

int32_t withStyleBit(int32_t style, int32_t bit, bool set)
{
    return set ? (style | bit) : (style & ~bit);
}

// An analog meter's name carries its film strip: "..._H<frame height>_Z<zero frame>". Without
// both markers in that order the strip keeps the meter's defaults.
void readFilmStrip(const std::string& name, CVuMeterZx& meter)
{
    const auto h = name.find("_H");
    const auto z = h == std::string::npos ? h : name.find("_Z", h + 2);
    if (z == std::string::npos) return;
    meter.setFrameHeight(parseDecimal(name.substr(h + 2, z - h - 2).c_str()));
    meter.setZeroFrame(parseDecimal(name.c_str() + z + 2));
}

enum class PadIds
{
    Missing,
    Misordered,
    Found
};

// "..._X<x id>_Y<y id>": the two parameters a pad sub-controller pairs.
PadIds readPadIds(const std::string& name, ParamID& xId, ParamID& yId)
{
    const auto x = name.find("_X");
    const auto y = name.find("_Y");
    if (x == std::string::npos || y == std::string::npos) return PadIds::Missing;
    if (x >= y) return PadIds::Misordered;
    xId = static_cast<ParamID>(parseInteger(name.substr(x + 2, y - x - 2).c_str()));
    yId = static_cast<ParamID>(parseInteger(name.c_str() + y + 2));
    return PadIds::Found;
}
} // namespace

CustomViewFactory::CustomViewFactory(CPlugIn* effect, EditorMessage& message,
                                     EditController* controller)
    : m_pEffect(effect), m_Message(message), m_pController(controller)
{
}

CView* CustomViewFactory::createCustomView(UTF8StringPtr name, const UIAttributes& attributes,
                                           const IUIDescription* description, VST3Editor*)
{
    if (!m_pEffect || !name) return nullptr;
    const std::string viewName = name;
    const CustomViewAttributes a(attributes, description);
    if (isKickButtonName(viewName)) return createKickButton(viewName, a);
    if (viewName == "TrackPad" || viewName == "Joystick")
        return createPad(viewName == "Joystick", a);
    if (viewName == "UnitsEdit") return createUnitsEdit(a);
    if (viewName == "UnitsLabel") return createUnitsLabel(a);
    if (contains(viewName, "AnalogMeterView") && hasMeterAttributes(a))
        return createMeter(viewName, true, a);
    if ((viewName == "InvertedMeterView" || viewName == "MeterView") && hasMeterAttributes(a))
        return createMeter(viewName, false, a);
    if (viewName.empty()) return nullptr;
    return EffectViewRequest(*m_pEffect, m_Message).send(name, a);
}

CView* CustomViewFactory::createKickButton(const std::string& name,
                                           const CustomViewAttributes& a) const
{
    const auto bitmap = a.bitmap("bitmap");
    auto* button = new CKickButtonZx(a.viewRect(), a.listener("control-tag"), a.tag("control-tag"),
                                     bitmap.get(), a.point("background-offset"));
    button->setMode(kickButtonMode(name));
    return button;
}

CView* CustomViewFactory::createPad(bool joystick, const CustomViewAttributes& a) const
{
    CColor back = kWhiteCColor;
    CColor frame = kWhiteCColor;
    CColor font = kWhiteCColor;
    a.resolveColour("back-color", back);
    a.resolveColour("frame-color", frame);
    a.resolveColour("font-color", font);

    auto* pad = new CXYPadZx(a.viewRect());
    pad->setJoystick(joystick);
    pad->setBackColor(back);
    pad->setFrameColor(frame);
    pad->setFontColor(font);
    pad->setFrameWidth(a.integer("frame-width"));
    pad->setRoundRectRadius(a.integer("round-rect-radius"));
    pad->setStyle(withStyleBit(pad->getStyle(), kRoundRectStyle, a.isTrue("style-round-rect")));
    pad->setStyle(withStyleBit(pad->getStyle(), kNoFrame, a.isTrue("style-no-frame")));
    return pad;
}

const ControlRecord* CustomViewFactory::recordForTag(int32_t tag) const
{
    return tag < 0 ? nullptr : m_pEffect->m_Controls.find(static_cast<uint32_t>(tag));
}

CView* CustomViewFactory::createUnitsEdit(const CustomViewAttributes& a) const
{
    const auto bitmap = a.bitmap("bitmap");
    IControlListener* listener = a.listener("control-tag");
    const int32_t tag = a.tag("control-tag");
    const ControlRecord* record = recordForTag(tag);
    if (!record) return nullptr;
    auto* edit = new CTextEditZx(a.viewRect(), listener, tag, a.text("title"), bitmap.get(), 0);
    edit->setUnits(record->units ? record->units : "");
    return edit;
}

CView* CustomViewFactory::createUnitsLabel(const CustomViewAttributes& a) const
{
    const auto bitmap = a.bitmap("bitmap");
    // The tag only finds the control whose units the label shows.
    const ControlRecord* record = recordForTag(a.tag("control-tag"));
    if (!record) return nullptr;
    auto* label = new CTextLabelZx(a.viewRect(), a.text("title"), bitmap.get(), 0);
    label->setUnits(record->units ? record->units : "");
    return label;
}

CView* CustomViewFactory::createMeter(const std::string& name, bool analog,
                                      const CustomViewAttributes& a) const
{
    const auto on = a.bitmap("bitmap");
    const auto off = a.bitmap("off-bitmap");
    const bool inverted =
        analog ? contains(name, "InvertedAnalogMeterView") : name == "InvertedMeterView";
    auto* meter = new CVuMeterZx(a.viewRect(), on.get(), off.get(), a.integer("num-led"), inverted,
                                 analog, kVertical);
    if (analog)
    {
        readFilmStrip(name, *meter);
        meter->setFrameCount(parseDecimal(a.text("num-led")));
    }
    initMeterDetector(*meter, a, analog);
    // Bound like any control with a control-tag, so that it shows its (output) parameter.
    if (const int32_t tag = a.hasText("control-tag") ? a.tag("control-tag") : -1; tag != -1)
    {
        meter->setTag(tag);
        meter->setListener(a.listener("control-tag"));
    }
    return meter;
}

void CustomViewFactory::initMeterDetector(CVuMeterZx& meter, const CustomViewAttributes& a,
                                          bool needsMeterVariable) const
{
    const char* controlName = a.text("control-tag");
    if (!controlName) return;
    // The last record of that name counts.
    const ControlRecord* meterRecord = nullptr;
    for (uint32_t i = 0, n = m_pEffect->m_Controls.count(); i < n; ++i)
    {
        const ControlRecord* record = m_pEffect->m_Controls.find(i);
        if (record && record->name && std::strcmp(record->name, controlName) == 0 &&
            (!needsMeterVariable || record->meterVariable))
            meterRecord = record;
    }
    if (!meterRecord) return;
    // One detector step per 50 ms redraw of the editor.
    constexpr float kUpdatesPerSecond = 20.f;
    EnvelopeDetector& detector = meter.getDetector();
    detector.init(kUpdatesPerSecond, meterRecord->meterAttackMs, meterRecord->meterReleaseMs, true,
                  meterRecord->meterMode, meterRecord->meterLog);
    detector.reset();
}

IController* CustomViewFactory::createSubController(UTF8StringPtr name, const IUIDescription*,
                                                    VST3Editor* editor)
{
    if (!m_pEffect || !m_pController || !name || !editor) return nullptr;
    const std::string controllerName = name;
    if (controllerName == "VectorJoystick")
    {
        return new PadController(editor, m_pController,
                                 m_pController->getParameterObject(HostParameterIds::kJoystickX),
                                 m_pController->getParameterObject(HostParameterIds::kJoystickY));
    }
    ParamID xId = 0;
    ParamID yId = 0;
    if (contains(controllerName, "Joystick_"))
    {
        const PadIds ids = readPadIds(controllerName, xId, yId);
        if (ids == PadIds::Found) return createPadController(editor, xId, yId);
        if (ids == PadIds::Missing) return nullptr;
        // Markers out of order: perhaps a track pad's name.
    }
    if (contains(controllerName, "TrackPad_") &&
        readPadIds(controllerName, xId, yId) == PadIds::Found)
        return createPadController(editor, xId, yId);
    return nullptr;
}

IController* CustomViewFactory::createPadController(IController* parent, ParamID xId,
                                                    ParamID yId) const
{
    return new CPadControllerZx(parent, m_pController, m_pController->getParameterObject(xId),
                                m_pController->getParameterObject(yId));
}
} // namespace Steinberg::Vst::Veru2ZOR3
