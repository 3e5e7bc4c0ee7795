#include "ViewTestEffect.h"

namespace
{
ControlRecord floatControl(uint32_t id, const char* name, const char* units, float* variable)
{
    ControlRecord r;
    r.type = ControlRecord::kControl;
    r.id = id;
    r.name = name;
    r.units = units;
    r.variableName = "";
    r.enumList = "";
    r.extraText = "";
    r.minValue = 0;
    r.maxValue = 1;
    r.valueType = ControlRecord::kFloat;
    r.floatVariable = variable;
    r.precision = 2;
    return r;
}

std::optional<EditorColour> copied(const EditorColour* colour)
{
    return colour ? std::optional<EditorColour>(*colour) : std::nullopt;
}
} // namespace

ViewTestEffect::ViewTestEffect()
{
    buildControls();
}

bool ViewTestEffect::buildControls()
{
    if (m_Controls.count() > 0) return true;
    m_Controls.append(floatControl(kGain, "Gain", "  dB \n", &m_fGain));
    m_Controls.append(floatControl(kRate, "Rate", "Hz", &m_fRate));
    ControlRecord meter = floatControl(kLevelMeter, "Level", "", nullptr);
    meter.type = ControlRecord::kMeter;
    meter.valueType = ControlRecord::kNone;
    meter.meterVariable = &m_fLevel;
    meter.meterAttackMs = 100.f;
    meter.meterReleaseMs = 300.f;
    meter.meterMode = 1;
    meter.meterLog = true;
    m_Controls.append(meter);
    ControlRecord levelControl = floatControl(kLevelControl, "Level", "", &m_fLevelControl);
    levelControl.meterAttackMs = 40.f;
    levelControl.meterReleaseMs = 80.f;
    levelControl.meterMode = 0;
    levelControl.meterLog = false;
    m_Controls.append(levelControl);
    m_Controls.append(floatControl(kPan, "Pan", "", &m_fPan));
    initJoystickRecords();
    buildExchangeArrays();
    return true;
}

uint32_t ViewTestEffect::editorMessage(EditorMessage* m)
{
    if (!m || m->code != EditorMessage::kCustomView) return 0;
    requests.push_back({*m, m->viewName, m->auxText, m->bitmapFile, m->handleBitmapFile,
                        m->offBitmapFile, m->orientation, copied(m->backColor),
                        copied(m->frameColor), copied(m->fontColor)});
    return viewAnswer;
}
