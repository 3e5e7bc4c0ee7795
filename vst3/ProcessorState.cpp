// The state stream: version, every control's value by its value type, bypass, joystick.
#include "vst3/ProcessorModel.h"

#include "base/source/fstreamer.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Steinberg::Vst::Veru2ZOR3
{
namespace
{
constexpr int64 kStateVersion = 1;

bool isStoredType(int32 valueType)
{
    return valueType >= ControlRecord::kInt && valueType <= ControlRecord::kUint;
}

// One control's value as the stream holds it; false on a short read.
bool readControlValue(IBStreamer& in, int32 valueType, double& value)
{
    if (valueType == ControlRecord::kDouble) return in.readDouble(value);
    if (valueType == ControlRecord::kFloat)
    {
        float v = 0.0f;
        if (!in.readFloat(v)) return false;
        value = v;
        return true;
    }
    if (valueType == ControlRecord::kInt)
    {
        int32 v = 0;
        if (!in.readInt32(v)) return false;
        value = v;
        return true;
    }
    uint32 v = 0;
    if (!in.readInt32u(v)) return false;
    value = v;
    return true;
}

// Truncation toward zero into the integer field, saturated (and 0 for a NaN).
template <typename Int> Int truncated(float value)
{
    if (!(value == value)) return 0;
    constexpr float low = static_cast<float>(std::numeric_limits<Int>::min());
    // The largest float below the type's maximum + 1.
    constexpr float high = static_cast<float>(std::numeric_limits<Int>::max() / 256 * 256);
    return static_cast<Int>(std::clamp(value, low, high));
}

bool writeControlValue(IBStreamer& out, int32 valueType, float value)
{
    switch (valueType)
    {
    case ControlRecord::kInt:
        return out.writeInt32(truncated<int32>(value));
    case ControlRecord::kFloat:
        return out.writeFloat(value);
    case ControlRecord::kDouble:
        return out.writeDouble(value);
    default:
        return out.writeInt32u(truncated<uint32>(value));
    }
}

// A stored value from a damaged or foreign project must not reach the effect as it is:
// it is limited to the control's range, and a value that is not a number at all becomes the
// control's default.
double sanitizedValue(const ControlRecord& record, double value)
{
    if (!std::isfinite(value)) return record.presetValue[0];
    const double low = std::min(record.minValue, record.maxValue);
    const double high = std::max(record.minValue, record.maxValue);
    return std::clamp(value, low, high);
}

// Joystick axes run from -1 to 1 and rest at 0.
float sanitizedAxis(float value)
{
    return std::isfinite(value) ? std::clamp(value, -1.0f, 1.0f) : 0.0f;
}
} // namespace

tresult PLUGIN_API ProcessorModel::getState(IBStream* stream)
{
    if (!m_plugIn || !stream) return kResultFalse;
    // The values as the audio thread holds them, with the changes on their way applied.
    StoredValues values;
    m_handOver.readStoredValues(values);
    IBStreamer out(stream, kLittleEndian);
    if (!out.writeInt64(kStateVersion)) return kResultFalse;
    const uint32 count = m_plugIn->m_Controls.count();
    for (uint32 i = 0; i < count; ++i)
    {
        const ControlRecord* record = controlAt(i);
        if (!record || !isStoredType(record->valueType)) continue;
        const float value = i < values.controls.size() ? values.controls[i] : 0.0f;
        if (!writeControlValue(out, record->valueType, value)) return kResultFalse;
    }
    if (!out.writeInt16(values.bypass ? 1 : 0)) return kResultFalse;
    if (!out.writeFloat(values.joystickX) || !out.writeFloat(values.joystickY)) return kResultFalse;
    return kResultOk;
}

// While processing is active the values reach the effect at the start of the next process call.
tresult PLUGIN_API ProcessorModel::setState(IBStream* stream)
{
    if (!m_plugIn || !stream) return kResultFalse;
    IBStreamer in(stream, kLittleEndian);
    int64 version = 0;
    if (!in.readInt64(version)) return kResultFalse;
    const uint32 count = m_plugIn->m_Controls.count();
    for (uint32 i = 0; i < count; ++i)
    {
        ControlRecord* record = controlAt(i);
        if (!record || !isStoredType(record->valueType)) continue;
        double value = 0.0;
        if (!readControlValue(in, record->valueType, value)) return kResultFalse;
        m_handOver.setPlainValue(i, static_cast<float>(sanitizedValue(*record, value)));
    }
    int16 bypass = 0;
    if (!in.readInt16(bypass)) return kResultFalse;
    m_handOver.setBypass(bypass != 0);
    if (version != 0)
    {
        float x = 0.0f;
        if (!in.readFloat(x)) return kResultFalse;
        m_handOver.setJoystickX(sanitizedAxis(x));
        float y = 0.0f;
        if (!in.readFloat(y)) return kResultFalse;
        m_handOver.setJoystickY(sanitizedAxis(y));
    }
    return kResultOk;
}

tresult PLUGIN_API ProcessorModel::setComponentState(IBStream* stream)
{
    if (!m_plugIn || !stream) return kResultFalse;
    IBStreamer in(stream, kLittleEndian);
    int64 version = 0;
    if (!in.readInt64(version)) return kResultFalse;
    const uint32 count = m_plugIn->m_Controls.count();
    for (uint32 i = 0; i < count; ++i)
    {
        const ControlRecord* record = controlAt(i);
        if (!record || !isStoredType(record->valueType)) continue;
        double value = 0.0;
        if (!readControlValue(in, record->valueType, value)) return kResultFalse;
        if (Parameter* parameter = getParameterObject(i))
            setHostValue(i, parameter->toNormalized(sanitizedValue(*record, value)));
    }
    int16 bypass = 0;
    if (!in.readInt16(bypass)) return kResultFalse;
    setHostValue(ParameterIds::kBypass,
                 plainParamToNormalized(ParameterIds::kBypass, bypass != 0 ? 1.0 : 0.0));
    if (version != 0)
    {
        for (ParamID axis : {ParameterIds::kJoystickX, ParameterIds::kJoystickY})
        {
            float position = 0.0f;
            if (!in.readFloat(position)) return kResultFalse;
            const double plain = sanitizedAxis(position) * 0.5 + 0.5;
            setHostValue(axis, plainParamToNormalized(axis, plain));
        }
    }
    refreshLinkedControls();
    return kResultOk;
}

} // namespace Steinberg::Vst::Veru2ZOR3
