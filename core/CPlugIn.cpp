#include "core/CPlugIn.h"

#include "common/MathConstants.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace
{
constexpr float kTwoPiF = static_cast<float>(vevadur::kTwoPi);

// floor(v + 0.5), saturated to the target type so out-of-range input stays defined.
template <typename Int> Int roundToInteger(double v)
{
    const double r = std::floor(v + 0.5);
    if (!(r > static_cast<double>(std::numeric_limits<Int>::min())))
        return std::numeric_limits<Int>::min();
    if (!(r < static_cast<double>(std::numeric_limits<Int>::max())))
        return std::numeric_limits<Int>::max();
    return static_cast<Int>(r);
}

// Truncation toward zero, saturated likewise.
int32_t truncateToInt(double v)
{
    if (!(v > -2147483648.0)) return std::numeric_limits<int32_t>::min();
    if (!(v < 2147483647.0)) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(v);
}
} // namespace

CPlugIn::CPlugIn()
{
    double running = 8.175798915636872;
    for (int n = 0; n < kNoteCount; ++n)
    {
        m_fNoteFrequency[n] = static_cast<float>(running);
        running *= 1.059463094359;
    }
    initJoystickRecords();
}

CPlugIn::~CPlugIn()
{
    m_pValueSlots.reset();
    // The ids are read before any removal: with two records of one id, removing by the later
    // one's id frees the earlier record, whose pointer would be read next.
    std::vector<uint32_t> ids;
    ids.reserve(m_uControlCount);
    for (uint32_t i = 0; i < m_uControlCount; ++i)
        if (const ControlRecord* record = control(i)) ids.push_back(record->id);
    for (auto id = ids.rbegin(); id != ids.rend(); ++id)
        m_Controls.removeById(*id);
    m_ppControls.reset();
    m_Controls.clear();
}

void CPlugIn::initJoystickRecords()
{
    ControlRecord x;
    x.name = "MIDI JS X";
    x.midiController = 16;
    m_JoystickX = x;
    ControlRecord y;
    y.name = "MIDI JS Y";
    y.midiController = 17;
    m_JoystickY = y;
}

ControlRecord* CPlugIn::control(uint32_t index) const
{
    if (!m_ppControls || index >= m_uControlCount) return nullptr;
    return m_ppControls[index];
}

// ---- default operations ----------------------------------------------------------------

bool CPlugIn::processFrame(const float*, float*, unsigned, unsigned)
{
    return true;
}
bool CPlugIn::controlChanged(uint32_t)
{
    return true;
}
bool CPlugIn::postConstruct()
{
    return true;
}
bool CPlugIn::joystickChanged(float, float, float, float, float, float)
{
    return true;
}
bool CPlugIn::processBuffer(const float*, float*, unsigned, unsigned, unsigned)
{
    return true;
}
bool CPlugIn::processChannelBuffers(float**, float**, unsigned, unsigned)
{
    return true;
}
bool CPlugIn::midiNoteOn(int, int, int)
{
    return true;
}
bool CPlugIn::midiNoteOff(int, int, int, bool)
{
    return true;
}
bool CPlugIn::midiModWheel(int, int)
{
    return true;
}
bool CPlugIn::midiPitchBend(int, int, float)
{
    return true;
}
bool CPlugIn::midiClock()
{
    return true;
}
bool CPlugIn::midiMessage(int, int, int, int)
{
    return true;
}
bool CPlugIn::buildControls()
{
    return true;
}
bool CPlugIn::collectLinkedUpdates(uint32_t, float, LinkedUpdate**, bool)
{
    return false;
}
bool CPlugIn::sidechainInput(AuxInputInfo*)
{
    return true;
}
bool CPlugIn::reservedHook()
{
    return true;
}

bool CPlugIn::freeLinkedUpdates(LinkedUpdate* updates)
{
    while (updates)
    {
        LinkedUpdate* next = updates->next;
        delete updates;
        updates = next;
    }
    return true;
}

uint32_t CPlugIn::editorMessage(EditorMessage*)
{
    // Timer ticks (2), and codes 9 to 12, are recognised and need no answer here.
    return 0;
}

// ---- exchange arrays ----------------------------------------------------------------------

void CPlugIn::buildExchangeArrays()
{
    const uint32_t n = m_Controls.count();
    m_uControlCount = n;
    m_ppControls.reset(new ControlRecord*[n + 2]());
    m_pValueSlots.reset(new ControlValueSlot[n + 2]());
    for (uint32_t i = 0; i < n; ++i)
    {
        ControlRecord* record = m_Controls.find(i);
        if (!record) continue;
        m_ppControls[i] = record;
        m_pValueSlots[i].index = i;
        m_pValueSlots[i].controlId = record->id;
    }
    m_smoothing = anyControlSmooths();
}

// ---- value access ------------------------------------------------------------------------

float CPlugIn::getControlValue(uint32_t index) const
{
    const ControlRecord* r = control(index);
    if (!r) return 0.0f;
    switch (r->valueType)
    {
    case ControlRecord::kInt:
        return r->intVariable ? static_cast<float>(*r->intVariable) : 0.0f;
    case ControlRecord::kFloat:
        return r->floatVariable ? *r->floatVariable : 0.0f;
    case ControlRecord::kDouble:
        return r->doubleVariable ? static_cast<float>(*r->doubleVariable) : 0.0f;
    case ControlRecord::kUint:
        return r->uintVariable ? static_cast<float>(*r->uintVariable) : 0.0f;
    default:
        return 0.0f;
    }
}

void CPlugIn::getJoystickPosition(float& x, float& y) const
{
    x = m_JoystickX.joyValue;
    y = m_JoystickY.joyValue;
}

void CPlugIn::setNormalizedValue(uint32_t index, float normalized, bool immediate)
{
    setNormalizedValue(control(index), normalized, immediate);
}

void CPlugIn::setNormalizedValue(ControlRecord* r, float normalized, bool immediate)
{
    if (!r || !std::isfinite(normalized)) return;
    const float v = (r->maxValue - r->minValue) * normalized + r->minValue;
    writeValue(r, v, true, !immediate);
}

void CPlugIn::setPlainValue(uint32_t index, float value)
{
    setPlainValue(control(index), value);
}

void CPlugIn::setPlainValue(ControlRecord* r, float v)
{
    if (!r || !std::isfinite(v)) return;
    writeValue(r, v, false, true);
}

// Normalised values round an int control to the nearest step, plain values truncate it;
// unsigned controls always round and notify only when their value changes.
void CPlugIn::writeValue(ControlRecord* r, float v, bool roundInt, bool smoothable)
{
    switch (r->valueType)
    {
    case ControlRecord::kInt:
        if (r->intVariable)
            *r->intVariable = roundInt ? roundToInteger<int32_t>(v) : truncateToInt(v);
        controlChanged(r->id);
        break;
    case ControlRecord::kFloat:
        if (r->smooth && smoothable)
            r->smoothTarget = v;
        else if (r->floatVariable)
            *r->floatVariable = v;
        controlChanged(r->id);
        break;
    case ControlRecord::kDouble:
        if (r->smooth && smoothable)
            r->smoothTarget = v;
        else if (r->doubleVariable)
            *r->doubleVariable = v;
        controlChanged(r->id);
        break;
    case ControlRecord::kUint:
    {
        const uint32_t u = roundToInteger<uint32_t>(v);
        if (!r->uintVariable || *r->uintVariable == u) return;
        *r->uintVariable = u;
        controlChanged(r->id);
        break;
    }
    default:
        break;
    }
}

float CPlugIn::valueAsStored(uint32_t index, float v, bool rounding) const
{
    const ControlRecord* r = control(index);
    if (!r) return 0.0f;
    switch (r->valueType)
    {
    case ControlRecord::kInt:
        return static_cast<float>(rounding ? roundToInteger<int32_t>(v) : truncateToInt(v));
    case ControlRecord::kFloat:
    case ControlRecord::kDouble:
        return v;
    case ControlRecord::kUint:
        return static_cast<float>(roundToInteger<uint32_t>(v));
    default:
        return 0.0f;
    }
}

// ---- smoothing ---------------------------------------------------------------------------

void CPlugIn::prepareSmoother(ControlRecord& r, float value)
{
    const float denominator = r.smoothMs * 0.001f * static_cast<float>(m_nRateHz);
    // A zero or negative time (or rate) means no smoothing: the output follows the target.
    const float b = denominator > 0.0f ? std::exp(-kTwoPiF / denominator) : 0.0f;
    const float a = 1.0f - b;
    r.coefB = b;
    r.coefA = a;
    r.coefBD = b;
    r.coefAD = a;
    r.stateF = r.lastF = value;
    r.stateD = r.lastD = value;
}

bool CPlugIn::prepare()
{
    if (!m_ppControls) return true;
    for (uint32_t i = 0; i < m_uControlCount; ++i)
    {
        ControlRecord* r = m_ppControls[i];
        if (!r || !r->smooth) continue;
        if (r->valueType == ControlRecord::kFloat && r->floatVariable)
        {
            prepareSmoother(*r, *r->floatVariable);
            r->smoothTarget = *r->floatVariable;
        }
        else if (r->valueType == ControlRecord::kDouble && r->doubleVariable)
        {
            const float v = static_cast<float>(*r->doubleVariable);
            prepareSmoother(*r, v);
            r->smoothTarget = v;
        }
    }
    if (m_JoystickX.smooth)
    {
        prepareSmoother(m_JoystickX, m_JoystickX.joyValue);
        m_JoystickX.smoothTarget = m_JoystickX.joyValue;
    }
    if (m_JoystickY.smooth)
    {
        prepareSmoother(m_JoystickY, m_JoystickY.joyValue);
        m_JoystickY.smoothTarget = m_JoystickY.joyValue;
    }
    m_smoothing = anyControlSmooths();
    return true;
}

bool CPlugIn::anyControlSmooths() const
{
    if (!m_ppControls) return false;
    for (uint32_t i = 0; i < m_uControlCount; ++i)
    {
        if (m_ppControls[i] && m_ppControls[i]->smooth) return true;
    }
    return m_JoystickX.smooth;
}

bool CPlugIn::processRun(const float* const* in, float* const* out, unsigned numIn, unsigned numOut,
                         unsigned frames)
{
    constexpr unsigned kMaxChannels = 2;
    float inFrame[kMaxChannels] = {};
    float outFrame[kMaxChannels] = {};
    const unsigned inChannels = in ? std::min(numIn, kMaxChannels) : 0;
    const unsigned outChannels = out ? std::min(numOut, kMaxChannels) : 0;
    for (unsigned i = 0; i < frames; ++i)
    {
        for (unsigned c = 0; c < inChannels; ++c)
            inFrame[c] = in[c] ? in[c][i] : 0.0f;
        processFrame(inFrame, outFrame, inChannels, outChannels);
        for (unsigned c = 0; c < outChannels; ++c)
        {
            if (out[c]) out[c][i] = outFrame[c];
        }
    }
    return true;
}

bool CPlugIn::processesRuns() const
{
    return false;
}

void CPlugIn::smoothControls()
{
    if (!m_ppControls) return;
    for (uint32_t i = 0; i < m_uControlCount; ++i)
    {
        ControlRecord* r = m_ppControls[i];
        if (!r || !r->smooth) continue;
        if (r->valueType == ControlRecord::kFloat && r->floatVariable)
        {
            const float y = r->smoothTarget * r->coefA + r->stateF * r->coefB;
            r->stateF = y;
            if (y == r->lastF)
            {
                *r->floatVariable = r->smoothTarget;
                continue;
            }
            r->lastF = y;
            *r->floatVariable = y;
            controlChanged(r->id);
        }
        else if (r->valueType == ControlRecord::kDouble && r->doubleVariable)
        {
            const double y = r->smoothTarget * r->coefAD + r->stateD * r->coefBD;
            r->stateD = y;
            if (y == r->lastD)
            {
                *r->doubleVariable = r->smoothTarget;
                continue;
            }
            r->lastD = y;
            *r->doubleVariable = y;
            controlChanged(r->id);
        }
    }
    if (m_JoystickX.smooth)
    {
        stepJoystickAxis(m_JoystickX);
        stepJoystickAxis(m_JoystickY);
        notifyJoystick(m_JoystickX.joyRotate);
    }
}

void CPlugIn::stepJoystickAxis(ControlRecord& axis)
{
    const float y = axis.smoothTarget * axis.coefA + axis.stateF * axis.coefB;
    axis.stateF = y;
    if (y == axis.lastF)
    {
        axis.joyValue = axis.smoothTarget;
        return;
    }
    axis.lastF = y;
    axis.joyValue = y;
}

// ---- joystick ----------------------------------------------------------------------------

VectorMix CPlugIn::computeVectorMix(double x, double y, bool rotate) const
{
    return ::computeVectorMix(x, y, rotate);
}

void CPlugIn::notifyJoystick(bool rotate)
{
    const VectorMix m = computeVectorMix(m_JoystickX.joyValue, m_JoystickY.joyValue, rotate);
    joystickChanged(static_cast<float>(m.a), static_cast<float>(m.b), static_cast<float>(m.c),
                    static_cast<float>(m.d), static_cast<float>(m.mixAC),
                    static_cast<float>(m.mixBD));
}

void CPlugIn::setJoystickX(float x, bool rotate)
{
    if (!std::isfinite(x)) return;
    if (m_JoystickX.smooth)
        m_JoystickX.smoothTarget = x;
    else
        m_JoystickX.joyValue = x;
    m_JoystickX.joyRotate = rotate;
    if (m_JoystickX.smooth) return;
    notifyJoystick(rotate);
}

void CPlugIn::setJoystickY(float y, bool rotate)
{
    if (!std::isfinite(y)) return;
    if (m_JoystickY.smooth)
        m_JoystickY.smoothTarget = y;
    else
        m_JoystickY.joyValue = y;
    m_JoystickY.joyRotate = rotate;
    if (m_JoystickX.smooth) return;
    // The mix follows the X record's rotate flag, not the argument.
    notifyJoystick(m_JoystickX.joyRotate);
}

// ---- host messages -----------------------------------------------------------------------

void CPlugIn::hostMessage(int code, HostMessage* message)
{
    if (!message) return;
    const int32_t expectedCount = static_cast<int32_t>(m_uControlCount) + 2;
    switch (code)
    {
    case HostMessage::kTiming:
        if (message->timing) m_TimingBlock = *message->timing;
        break;
    case HostMessage::kMeterReadout:
    {
        if (!m_pValueSlots || !m_ppControls || message->count != expectedCount) return;
        for (uint32_t i = 0; i < m_uControlCount; ++i)
        {
            const ControlRecord* r = m_ppControls[i];
            if (!r || r->outputIndex < 0 || r->outputIndex >= expectedCount) continue;
            ControlValueSlot& slot = m_pValueSlots[r->outputIndex];
            slot.changed = false;
            if (r->type == ControlRecord::kMeter && r->meterVariable)
            {
                slot.value = *r->meterVariable;
                slot.changed = true;
            }
        }
        message->slotsOut = m_pValueSlots.get();
        break;
    }
    case HostMessage::kValueBlock:
    {
        if (!message->slots || !message->timing || !m_ppControls || message->count != expectedCount)
            return;
        m_TimingBlock = *message->timing;
        for (uint32_t i = 0; i < m_uControlCount; ++i)
        {
            if (m_ppControls[i] && message->slots[i].changed)
                setNormalizedValue(m_ppControls[i], message->slots[i].value, message->immediate);
        }
        applyJoystickSlots(message->slots[m_uControlCount], message->slots[m_uControlCount + 1],
                           message->immediate);
        break;
    }
    default:
        break;
    }
}

void CPlugIn::applyJoystickSlots(const ControlValueSlot& sx, const ControlValueSlot& sy,
                                 bool immediate)
{
    if (!sx.changed && !sy.changed) return;
    if (!std::isfinite(sx.joyValue) || !std::isfinite(sy.joyValue)) return;
    m_JoystickX.joyRotate = m_JoystickY.joyRotate = sx.rotate;
    const bool smoothX = m_JoystickX.smooth && !immediate;
    const bool smoothY = m_JoystickY.smooth && !immediate;
    (smoothX ? m_JoystickX.smoothTarget : m_JoystickX.joyValue) = sx.joyValue;
    (smoothY ? m_JoystickY.smoothTarget : m_JoystickY.joyValue) = sy.joyValue;
    if (smoothX) return;
    notifyJoystick(m_JoystickX.joyRotate);
}
