#pragma once

#include "vstgui/CButtonState.h"

#include <cstdint>

// Translation of Win32 input (virtual-key codes, the modifier keys held) into the toolkit's
// mouse buttons and key codes. Plain numbers in.
namespace VSTGUI::Win32
{
// The modifier keys held now, as mouse-state bits (kShift, kControl, kAlt).
int32_t heldModifiers();
// A key without a character (Return, arrows, ...) as the toolkit's virtual key; 0 for others.
unsigned char virtualKeyOf(uint32_t windowsKey);
// The modifier keys held now, as key-code modifier bits.
unsigned char keyModifiers();
} // namespace VSTGUI::Win32
