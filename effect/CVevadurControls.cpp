// The room effect's control table, its framework settings and its joystick records.
#include "effect/CVevadur.h"

namespace
{
// Every non-enumerated control carries this list; nothing reads it.
constexpr const char* kPlaceholderList = "SEL1,SEL2,SEL3";

ControlRecord makeRecord(uint32_t id, const char* name, const char* units, const char* variableName,
                         float minValue, float maxValue, float initial, const char* enumList)
{
    ControlRecord r;
    r.type = ControlRecord::kControl;
    r.id = id;
    r.outputIndex = static_cast<int32_t>(id);
    r.name = name;
    r.units = units;
    r.variableName = variableName;
    r.enumList = enumList;
    r.minValue = minValue;
    r.maxValue = maxValue;
    r.precision = 2;
    r.presetValue[0] = initial;
    return r;
}

ControlRecord floatControl(uint32_t id, const char* name, const char* units,
                           const char* variableName, float minValue, float maxValue,
                           float* variable)
{
    ControlRecord r =
        makeRecord(id, name, units, variableName, minValue, maxValue, *variable, kPlaceholderList);
    r.valueType = ControlRecord::kFloat;
    r.floatVariable = variable;
    r.initFloat = *variable;
    return r;
}

ControlRecord intControl(uint32_t id, const char* name, const char* variableName, float minValue,
                         float maxValue, int32_t* variable)
{
    ControlRecord r = makeRecord(id, name, "", variableName, minValue, maxValue,
                                 static_cast<float>(*variable), kPlaceholderList);
    r.valueType = ControlRecord::kInt;
    r.intVariable = variable;
    r.initInt = static_cast<float>(*variable);
    return r;
}

ControlRecord enumControl(uint32_t id, const char* name, const char* variableName, float maxValue,
                          const char* enumList, uint32_t* variable)
{
    ControlRecord r = makeRecord(id, name, "", variableName, 0.0f, maxValue,
                                 static_cast<float>(*variable), enumList);
    r.valueType = ControlRecord::kUint;
    r.uintVariable = variable;
    r.initUint = static_cast<float>(*variable);
    return r;
}
} // namespace

bool CVevadur::buildControls()
{
    if (m_Controls.count() > 0) return true;
    appendControls();
    applyFrameworkSettings();
    configureJoystickRecords();
    buildExchangeArrays();
    return true;
}

void CVevadur::appendControls()
{
    m_fGain = 0.5f;
    m_Controls.append(floatControl(kGain, "Gain", "", "m_fGain", 0, 1, &m_fGain));
    m_uPosition = 0;
    m_Controls.append(enumControl(kPosition, "Position", "m_uPosition", 10,
                                  "Center,L22,L32,L45,L64,L90,R22,R32,R45,R64,R90", &m_uPosition));
    m_fVolLR = 1.0f;
    m_Controls.append(floatControl(kVolLR, "Vol L-R", "", "m_fVolLR", 0, 1, &m_fVolLR));
    m_fAbsLR = 7.0f;
    m_Controls.append(floatControl(kAbsLR, "Abs L-R", "", "m_fAbsLR", 0, 14, &m_fAbsLR));
    m_fVolFB = 1.0f;
    m_Controls.append(floatControl(kVolFB, "Vol F-B", "", "m_fVolFB", 0, 1, &m_fVolFB));
    m_fAbsFB = 7.0f;
    m_Controls.append(floatControl(kAbsFB, "Abs F-B", "", "m_fAbsFB", 0, 14, &m_fAbsFB));
    m_fVolCF = 1.0f;
    m_Controls.append(floatControl(kVolCF, "Vol C-F", "", "m_fVolCF", 0, 1, &m_fVolCF));
    m_fAbsCF = 7.0f;
    m_Controls.append(floatControl(kAbsCF, "Abs C-F", "", "m_fAbsCF", 0, 14, &m_fAbsCF));
    m_nCurveType = 1;
    m_Controls.append(intControl(kDecayType, "Decay Type", "m_nCurveType", 0, 1, &m_nCurveType));
    m_fStereoMono = 0;
    m_Controls.append(
        enumControl(kStereoMono, "Stereo/Mono", "m_fStereoMono", 1, "Stereo,Mono", &m_fStereoMono));
    m_fLeftRight = 0;
    m_Controls.append(
        enumControl(kLeftRight, "Left/Right", "m_fLeftRight", 1, "Left,Right", &m_fLeftRight));
    m_fSpeed = 0.0f;
    m_Controls.append(floatControl(kSpeed, "Speed", "Hz", "m_fSpeed", 0, 8, &m_fSpeed));
    m_uReverse = 0;
    m_Controls.append(enumControl(kReverse, "Reverse", "m_uReverse", 1, "OFF,ON", &m_uReverse));
}

void CVevadur::applyFrameworkSettings()
{
    m_pButtonLabel[0] = "B1";
    m_pButtonLabel[1] = "B2";
    m_pButtonLabel[2] = "B3";
    m_fTailMs = 500.0f;
    m_fLatencySamples = 0.0f;
    m_nSidechain = 0;
    m_nAutomationQueues = 0;
    m_nQueueSetting = 0;
    m_nInfiniteTail = 0;
    m_pPresetName[0] = "Factory Preset";
    for (int p = 1; p < kPresetCount; ++p)
        m_pPresetName[p] = "";
}

void CVevadur::configureJoystickRecords()
{
    ControlRecord x;
    x.name = "MIDI JS X";
    x.id = 32773;
    x.valueType = ControlRecord::kFloat;
    x.midiController = 16;
    x.joyRotate = true;
    x.outputIndex = 13;
    m_JoystickX = x;

    ControlRecord y;
    y.name = "MIDI JS Y";
    y.id = 32774;
    y.midiController = 17;
    y.joyRotate = true;
    y.outputIndex = 14;
    m_JoystickY = y;
}
