#include "ProbeEffect.h"

#include "core/IMidiEventList.h"
#include "core/IParamUpdateQueue.h"

#include <initializer_list>

namespace
{
ControlRecord makeControl(uint32_t id, const char* name, const char* units, float minValue,
                          float maxValue, int32_t valueType)
{
    ControlRecord r;
    r.type = ControlRecord::kControl;
    r.id = id;
    r.outputIndex = static_cast<int32_t>(id);
    r.name = name;
    r.units = units;
    r.variableName = "";
    r.enumList = "";
    r.extraText = "";
    r.minValue = minValue;
    r.maxValue = maxValue;
    r.valueType = valueType;
    r.precision = 2;
    return r;
}

ControlRecord floatControl(uint32_t id, const char* name, const char* units, float minValue,
                           float maxValue, float* variable)
{
    ControlRecord r = makeControl(id, name, units, minValue, maxValue, ControlRecord::kFloat);
    r.floatVariable = variable;
    r.presetValue[0] = *variable;
    return r;
}

ControlRecord listControl(uint32_t id, const char* name, const char* items, float maxValue,
                          uint32_t* variable)
{
    ControlRecord r = makeControl(id, name, "", 0, maxValue, ControlRecord::kUint);
    r.enumList = items;
    r.uintVariable = variable;
    r.presetValue[0] = *variable;
    return r;
}

ControlRecord meterControl(uint32_t id, const char* name, float* variable)
{
    ControlRecord r = makeControl(id, name, "", 0, 1, ControlRecord::kNone);
    r.type = ControlRecord::kMeter;
    r.meterVariable = variable;
    return r;
}
} // namespace

ProbeEffect::ProbeEffect(Flavour flavour) : m_flavour(flavour)
{
    buildControls();
    m_pEffectName = "Probe";
    m_bAllMidi = true;
    if (flavour == Flavour::Instrument)
    {
        m_bInstrument = true;
        m_bChannelBuffers = true;
        m_nAutomationQueues = 1;
        m_nQueueSetting = 16;
        m_nInfiniteTail = 1;
        for (const char*& label : m_pButtonLabel)
            label = "";
        return;
    }
    if (flavour == Flavour::Gliding)
    {
        ControlRecord* level = m_Controls.find(kLevel);
        level->smooth = true;
        level->smoothMs = 2.0f;
    }
    m_fLatencySamples = 7.9f;
    m_fTailMs = 250.0f;
    m_pPresetName[0] = "Init";
    m_pPresetName[1] = "Bright";
    m_pButtonLabel[1] = "";
}

bool ProbeEffect::buildControls()
{
    if (m_Controls.count() > 0) return true;
    appendControls();
    appendMeters();
    initJoystickRecords();
    // Program 1 ("Bright") moves the level, the switch and the joystick.
    ControlRecord* level = m_Controls.find(kLevel);
    level->presetValue[1] = 0.25;
    m_Controls.find(kSwitch)->presetValue[1] = 1;
    m_Controls.find(kSteps)->presetValue[1] = 2;
    m_Controls.find(kFine)->presetValue[1] = 0.25;
    m_Controls.find(kCutoff)->presetValue[1] = 632;
    m_Controls.find(kDrive)->presetValue[1] = 1;
    m_JoystickX.presetValue[1] = 0.5;
    m_JoystickY.presetValue[1] = 0.5;
    buildExchangeArrays();
    return true;
}

void ProbeEffect::appendControls()
{
    m_Controls.append(floatControl(kLevel, "Level", "", 0, 1, &m_fLevel));
    ControlRecord steps = makeControl(kSteps, "Steps", "", 0, 4, ControlRecord::kInt);
    steps.intVariable = &m_nSteps;
    steps.presetValue[0] = m_nSteps;
    m_Controls.append(steps);
    m_Controls.append(listControl(kSwitch, "Switch", "SWITCH_OFF,SWITCH_ON", 1, &m_uSwitch));
    ControlRecord fine = makeControl(kFine, "Fine", "", -1, 1, ControlRecord::kDouble);
    fine.doubleVariable = &m_dFine;
    fine.presetValue[0] = m_dFine;
    fine.precision = 3;
    m_Controls.append(fine);
    ControlRecord cutoff = floatControl(kCutoff, "Cutoff", "Hz", 20, 20000, &m_fCutoff);
    cutoff.voltOctave = true;
    cutoff.precision = 1;
    m_Controls.append(cutoff);
    ControlRecord drive = floatControl(kDrive, "Drive", "dB", 0, 10, &m_fDrive);
    drive.logScale = true;
    m_Controls.append(drive);
    ControlRecord hidden = floatControl(kHidden, "Hidden", "", 0, 1, &m_fHidden);
    hidden.type = 101;
    m_Controls.append(hidden);
    for (uint32_t id : {uint32_t(kLearn), uint32_t(kLearnToo)})
    {
        ControlRecord learn = floatControl(id, id == kLearn ? "Learn" : "Learn Too", "", 0, 1,
                                           id == kLearn ? &m_fLearn : &m_fLearnToo);
        learn.midiEnabled = true;
        learn.midiController = 20;
        m_Controls.append(learn);
    }
    m_Controls.append(listControl(kMode, "Mode", "Audio,Calls", 1, &m_uMode));
}

void ProbeEffect::appendMeters()
{
    m_Controls.append(meterControl(kMeterCalls, "Calls", &m_fCalls));
    m_Controls.append(meterControl(kMeterOp, "Op", &m_fOp));
    m_Controls.append(meterControl(kMeterArg1, "Arg1", &m_fArg[0]));
    m_Controls.append(meterControl(kMeterArg2, "Arg2", &m_fArg[1]));
    m_Controls.append(meterControl(kMeterArg3, "Arg3", &m_fArg[2]));
    m_Controls.append(meterControl(kMeterArg4, "Arg4", &m_fArg[3]));
    m_Controls.append(meterControl(kMeterRate, "Rate", &m_fRate));
    m_Controls.append(meterControl(kMeterTempo, "Tempo", &m_fTempo));
    m_Controls.append(meterControl(kMeterPrepares, "Prepares", &m_fPrepares));
}

void ProbeEffect::record(Op op, float arg1, float arg2, float arg3, float arg4)
{
    m_fCalls += 1.0f;
    m_fOp = static_cast<float>(op);
    m_fArg[0] = arg1;
    m_fArg[1] = arg2;
    m_fArg[2] = arg3;
    m_fArg[3] = arg4;
}

bool ProbeEffect::prepare()
{
    m_fRate = static_cast<float>(m_nRateHz);
    m_fPrepares += 1.0f;
    return CPlugIn::prepare();
}

bool ProbeEffect::processFrame(const float* in, float* out, unsigned numIn, unsigned numOut)
{
    if (m_flavour == Flavour::Gliding) smoothControls();
    m_fTempo = static_cast<float>(m_TimingBlock.tempo);
    for (unsigned c = 0; c < numOut && c < 2; ++c)
    {
        const float input = c < numIn ? in[c] : 0.0f;
        out[c] = input * m_fLevel;
    }
    if (m_uMode == 1)
    {
        // Calls so far, and the frame's transport position as the binding reports it.
        out[0] = m_fCalls;
        if (numOut > 1) out[1] = static_cast<float>(m_TimingBlock.samplePosition);
    }
    return true;
}

bool ProbeEffect::processChannelBuffers(float**, float** out, unsigned numChannels, unsigned frames)
{
    // Pulls its events per frame and its level automation as interpolated values:
    // channel 0 carries the automation, channel 1 the number of calls so far.
    auto* automation = static_cast<IParamUpdateQueue*>(control(kLevel)->automationQueue);
    for (unsigned i = 0; i < frames; ++i)
    {
        if (m_pEvents) m_pEvents->fireMidiEvents(static_cast<int32_t>(i));
        double value = 0.0;
        if (automation && automation->getNextValue(value))
            m_fAutomation = static_cast<float>(value);
        out[0][i] = m_fAutomation;
        if (numChannels > 1) out[1][i] = m_fCalls;
    }
    return true;
}

bool ProbeEffect::controlChanged(uint32_t controlId)
{
    if (controlId >= 50 && controlId <= 52) record(kButton, static_cast<float>(controlId));
    return true;
}

bool ProbeEffect::midiNoteOn(int channel, int note, int velocity)
{
    record(kNoteOn, channel, note, velocity);
    return true;
}

bool ProbeEffect::midiNoteOff(int channel, int note, int velocity, bool allNotesOff)
{
    record(kNoteOff, channel, note, velocity, allNotesOff ? 1.0f : 0.0f);
    return true;
}

bool ProbeEffect::midiModWheel(int channel, int value)
{
    record(kModWheel, channel, value);
    return true;
}

bool ProbeEffect::midiPitchBend(int channel, int bend, float bendNormalized)
{
    record(kPitchBend, channel, bend, bendNormalized);
    return true;
}

bool ProbeEffect::midiClock()
{
    record(kClock);
    return true;
}

bool ProbeEffect::midiMessage(int channel, int status, int data1, int data2)
{
    record(kMessage, channel, status, data1, data2);
    return true;
}

void ProbeEffect::hostMessage(int code, HostMessage* message)
{
    if (code == HostMessage::kEventList && message) m_pEvents = message->eventList;
    CPlugIn::hostMessage(code, message);
}

uint32_t ProbeEffect::editorMessage(EditorMessage* message)
{
    if (message)
        record(kEditor, static_cast<float>(message->code),
               static_cast<float>(message->parameterIndex),
               static_cast<float>(message->parameterValue));
    return 0;
}
