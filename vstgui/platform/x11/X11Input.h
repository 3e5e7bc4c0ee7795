#pragma once

#include "vstgui/CButtonState.h"

#include <cstdint>

// Translation of X11 input (core-protocol modifier state, button numbers and keysyms) into the
// toolkit's mouse buttons and key codes. Plain numbers in, so it needs no display to test.
namespace VSTGUI::X11
{
// Core-protocol state bits (KeyButMask).
enum StateMask : uint16_t
{
    kShiftMask = 1 << 0,
    kLockMask = 1 << 1,
    kControlMask = 1 << 2,
    kMod1Mask = 1 << 3, // Alt on every common layout
    kMod2Mask = 1 << 4, // Num Lock on every common layout
    kButton1Mask = 1 << 8,
    kButton2Mask = 1 << 9,
    kButton3Mask = 1 << 10
};

// The modifier keys of a state as mouse-state bits (kShift, kControl, kAlt).
int32_t modifierButtons(uint16_t state);
// The mouse buttons held in a state, plus its modifiers.
int32_t heldButtons(uint16_t state);
// The mouse-state bit of a pressed button number (1 left, 2 middle, 3 right); 0 for others.
int32_t buttonBit(uint8_t button);
// The wheel distance of a button number (4 up: +1, 5 down: -1); 0 for other buttons.
float wheelDistance(uint8_t button);

// The keysym that a key's symbol row stands for under a state: the first two columns of the
// row (unshifted, shifted), with Shift, Caps Lock and Num Lock applied as the core protocol
// says. 0 (NoSymbol) when the row has none.
uint32_t selectKeysym(const uint32_t* row, int columns, uint16_t state);
// A keysym as the toolkit's key code: a virtual key for keys without a character (Return,
// arrows, ...), a Unicode character otherwise; modifiers from the state. A keysym that stands
// for neither gives an empty key code (no character, no virtual key).
VstKeyCode keyCodeFromKeysym(uint32_t keysym, uint16_t state);
} // namespace VSTGUI::X11
