#pragma once

#include <cstdint>

// One element of the value-exchange array shared between an effect and its binding.
// The array holds one slot per control plus two for the joystick axes X and Y.
struct ControlValueSlot
{
    uint32_t index = 0;     // position of the control
    uint32_t controlId = 0; // the control's id
    float value = 0.0f;     // normalised value on the way in, meter reading on the way out
    float joyValue = 0.0f;  // axis value, in the two joystick slots
    bool changed = false;
    bool rotate = false; // read from the joystick X slot
    uint32_t reserved = 0;
};
