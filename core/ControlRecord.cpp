#include "core/ControlRecord.h"

#include <cstring>

namespace
{
// Copies at most capacity - 1 characters and always terminates; a null source is empty.
void copyText(char* destination, const char* source, int capacity)
{
    if (!source)
    {
        destination[0] = '\0';
        return;
    }
    size_t length = strnlen(source, static_cast<size_t>(capacity - 1));
    std::memmove(destination, source, length);
    destination[length] = '\0';
}
} // namespace

ControlRecord::ControlRecord()
    : name(m_nameText), units(m_unitsText), variableName(m_variableNameText),
      enumList(m_enumListText), extraText(m_extraText)
{
}

ControlRecord::ControlRecord(const ControlRecord& other) : ControlRecord()
{
    copyFields(other);
    copyTexts(other);
    // A copy starts its smoother afresh.
    coefB = coefA = stateF = lastF = 0.0f;
    coefBD = coefAD = stateD = lastD = 0.0;
}

ControlRecord& ControlRecord::operator=(const ControlRecord& other)
{
    if (this == &other) return *this;
    // The smoother's coefficients and state belong to the destination and stay as they are.
    const float keepF[] = {coefB, coefA, stateF, lastF};
    const double keepD[] = {coefBD, coefAD, stateD, lastD};
    copyFields(other);
    coefB = keepF[0];
    coefA = keepF[1];
    stateF = keepF[2];
    lastF = keepF[3];
    coefBD = keepD[0];
    coefAD = keepD[1];
    stateD = keepD[2];
    lastD = keepD[3];
    copyTexts(other);
    return *this;
}

void ControlRecord::copyFields(const ControlRecord& o)
{
    type = o.type;
    id = o.id;
    meterMode = o.meterMode;
    minValue = o.minValue;
    maxValue = o.maxValue;
    valueType = o.valueType;
    initInt = o.initInt;
    initFloat = o.initFloat;
    initDouble = o.initDouble;
    initUint = o.initUint;
    smoothTarget = o.smoothTarget;
    coefB = o.coefB;
    coefA = o.coefA;
    stateF = o.stateF;
    lastF = o.lastF;
    coefBD = o.coefBD;
    coefAD = o.coefAD;
    stateD = o.stateD;
    lastD = o.lastD;
    smoothMs = o.smoothMs;
    smooth = o.smooth;
    joyValue = o.joyValue;
    joyRotate = o.joyRotate;
    intVariable = o.intVariable;
    floatVariable = o.floatVariable;
    doubleVariable = o.doubleVariable;
    uintVariable = o.uintVariable;
    meterVariable = o.meterVariable;
    meterLog = o.meterLog;
    logScale = o.logScale;
    voltOctave = o.voltOctave;
    meterAttackMs = o.meterAttackMs;
    meterReleaseMs = o.meterReleaseMs;
    precision = o.precision;
    midiEnabled = o.midiEnabled;
    midiStatus = o.midiStatus;
    midiController = o.midiController;
    outputIndex = o.outputIndex;
    for (int p = 0; p < kPresetCount; ++p)
        presetValue[p] = o.presetValue[p];
    automationQueue = o.automationQueue;
}

void ControlRecord::copyTexts(const ControlRecord& o)
{
    copyText(m_nameText, o.name, kTextCapacity);
    copyText(m_unitsText, o.units, kTextCapacity);
    copyText(m_variableNameText, o.variableName, kTextCapacity);
    copyText(m_enumListText, o.enumList, kTextCapacity);
    copyText(m_extraText, o.extraText, kTextCapacity);
    name = m_nameText;
    units = m_unitsText;
    variableName = m_variableNameText;
    enumList = m_enumListText;
    extraText = m_extraText;
}
