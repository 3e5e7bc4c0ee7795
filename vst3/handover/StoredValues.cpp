#include "vst3/handover/StoredValues.h"

namespace Steinberg::Vst::Veru2ZOR3
{

void StoredFields::toFields(const StoredValues& values, float* fields) const
{
    for (std::size_t i = 0; i < m_controlCount; ++i)
        fields[i] = values.controls[i];
    fields[bypass()] = bypassField(values.bypass);
    fields[joystickX()] = values.joystickX;
    fields[joystickY()] = values.joystickY;
}

void StoredFields::fromFields(const float* fields, StoredValues& values) const
{
    for (std::size_t f = 0; f < count(); ++f)
        setField(f, fields[f], values);
}

void StoredFields::setField(std::size_t field, float value, StoredValues& values) const
{
    if (field < m_controlCount)
        values.controls[field] = value;
    else if (field == bypass())
        values.bypass = value != 0.0f;
    else if (field == joystickX())
        values.joystickX = value;
    else if (field == joystickY())
        values.joystickY = value;
}

} // namespace Steinberg::Vst::Veru2ZOR3
