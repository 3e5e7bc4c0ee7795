// What the state stream stores, and where each of those values sits when the hand-over keeps
// them as a row of fields: the controls by position, then bypass, then the joystick.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Steinberg::Vst::Veru2ZOR3
{

struct StoredValues
{
    std::vector<float> controls; // one per control position
    bool bypass = false;
    float joystickX = 0.0f;
    float joystickY = 0.0f;
};

class StoredFields
{
  public:
    explicit StoredFields(std::size_t controlCount = 0) : m_controlCount(controlCount) {}

    std::size_t controlCount() const { return m_controlCount; }
    std::size_t count() const { return m_controlCount + 3; }

    std::size_t control(uint32_t position) const { return position; }
    std::size_t bypass() const { return m_controlCount; }
    std::size_t joystickX() const { return m_controlCount + 1; }
    std::size_t joystickY() const { return m_controlCount + 2; }

    // The row's field for values.
    static float bypassField(bool bypass) { return bypass ? 1.0f : 0.0f; }

    // Fills fields[0 .. count()) from values, whose controls hold controlCount() entries.
    void toFields(const StoredValues& values, float* fields) const;
    // Fills values from fields[0 .. count()); values.controls must hold controlCount() entries.
    void fromFields(const float* fields, StoredValues& values) const;
    // Sets one field of values.
    void setField(std::size_t field, float value, StoredValues& values) const;

  private:
    std::size_t m_controlCount;
};

} // namespace Steinberg::Vst::Veru2ZOR3
