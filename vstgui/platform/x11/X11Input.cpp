#include "vstgui/platform/x11/X11Input.h"

namespace VSTGUI::X11
{
namespace
{
constexpr uint32_t kNoSymbol = 0;

bool isKeypadKeysym(uint32_t keysym)
{
    return keysym >= 0xff80 && keysym <= 0xffbd;
}

// Lower and upper case of the Latin letters, the only case pairs the core rules need when a
// row has a single column.
uint32_t lowerLatin(uint32_t keysym)
{
    return keysym >= 'A' && keysym <= 'Z' ? keysym + 0x20 : keysym;
}
uint32_t upperLatin(uint32_t keysym)
{
    return keysym >= 'a' && keysym <= 'z' ? keysym - 0x20 : keysym;
}
bool isLatinLetter(uint32_t keysym)
{
    return lowerLatin(keysym) >= 'a' && lowerLatin(keysym) <= 'z';
}

unsigned char keyModifiers(uint16_t state)
{
    unsigned char modifiers = 0;
    if (state & kShiftMask) modifiers |= MODIFIER_SHIFT;
    if (state & kControlMask) modifiers |= MODIFIER_CONTROL;
    if (state & kMod1Mask) modifiers |= MODIFIER_ALTERNATE;
    return modifiers;
}

// Keys without a character, and the keypad's navigation keys (Num Lock off).
unsigned char virtualKeyOf(uint32_t keysym)
{
    switch (keysym)
    {
    case 0xff08:
        return VKEY_BACK;
    case 0xff09:
    case 0xfe20:
        return VKEY_TAB; // Tab, ISO Left Tab (shift+tab)
    case 0xff0b:
        return VKEY_CLEAR;
    case 0xff0d:
        return VKEY_RETURN;
    case 0xff13:
        return VKEY_PAUSE;
    case 0xff1b:
        return VKEY_ESCAPE;
    case 0x0020:
        return VKEY_SPACE;
    case 0xff56:
    case 0xff9b:
        return VKEY_NEXT;
    case 0xff57:
    case 0xff9c:
        return VKEY_END;
    case 0xff50:
    case 0xff95:
        return VKEY_HOME;
    case 0xff51:
    case 0xff96:
        return VKEY_LEFT;
    case 0xff52:
    case 0xff97:
        return VKEY_UP;
    case 0xff53:
    case 0xff98:
        return VKEY_RIGHT;
    case 0xff54:
    case 0xff99:
        return VKEY_DOWN;
    case 0xff55:
    case 0xff9a:
        return VKEY_PAGEUP;
    case 0xff60:
        return VKEY_SELECT;
    case 0xff61:
        return VKEY_PRINT;
    case 0xff8d:
        return VKEY_ENTER;
    case 0xff63:
    case 0xff9e:
        return VKEY_INSERT;
    case 0xffff:
    case 0xff9f:
        return VKEY_DELETE;
    default:
        return 0;
    }
}

// The character a keysym types, or 0.
int32_t characterOf(uint32_t keysym)
{
    // Latin-1 keysyms are their own code points.
    if ((keysym >= 0x20 && keysym <= 0x7e) || (keysym >= 0xa0 && keysym <= 0xff))
        return static_cast<int32_t>(keysym);
    // Keysyms of the Unicode range carry the code point in their low bits.
    if (keysym >= 0x01000100 && keysym <= 0x0110ffff)
        return static_cast<int32_t>(keysym - 0x01000000);
    // The keypad's characters (Num Lock on).
    if (keysym >= 0xffb0 && keysym <= 0xffb9) return static_cast<int32_t>('0' + keysym - 0xffb0);
    switch (keysym)
    {
    case 0xffaa:
        return '*';
    case 0xffab:
        return '+';
    case 0xffac:
        return ',';
    case 0xffad:
        return '-';
    case 0xffae:
        return '.';
    case 0xffaf:
        return '/';
    case 0xffbd:
        return '=';
    default:
        return 0;
    }
}
} // namespace

int32_t modifierButtons(uint16_t state)
{
    int32_t buttons = 0;
    if (state & kShiftMask) buttons |= kShift;
    if (state & kControlMask) buttons |= kControl;
    if (state & kMod1Mask) buttons |= kAlt;
    return buttons;
}

int32_t heldButtons(uint16_t state)
{
    int32_t buttons = modifierButtons(state);
    if (state & kButton1Mask) buttons |= kLButton;
    if (state & kButton2Mask) buttons |= kMButton;
    if (state & kButton3Mask) buttons |= kRButton;
    return buttons;
}

int32_t buttonBit(uint8_t button)
{
    switch (button)
    {
    case 1:
        return kLButton;
    case 2:
        return kMButton;
    case 3:
        return kRButton;
    default:
        return 0;
    }
}

float wheelDistance(uint8_t button)
{
    return button == 4 ? 1.f : button == 5 ? -1.f : 0.f;
}

uint32_t selectKeysym(const uint32_t* row, int columns, uint16_t state)
{
    if (!row || columns <= 0) return kNoSymbol;
    uint32_t unshifted = row[0];
    uint32_t shifted = columns > 1 ? row[1] : kNoSymbol;
    if (shifted == kNoSymbol)
    {
        // A single-column letter stands for both cases.
        shifted = upperLatin(unshifted);
        unshifted = lowerLatin(unshifted);
    }
    const bool shift = (state & kShiftMask) != 0;
    if ((state & kMod2Mask) && isKeypadKeysym(shifted)) return shift ? unshifted : shifted;
    if ((state & kLockMask) && isLatinLetter(unshifted))
        return shift ? unshifted : upperLatin(unshifted);
    return shift ? shifted : unshifted;
}

VstKeyCode keyCodeFromKeysym(uint32_t keysym, uint16_t state)
{
    VstKeyCode code;
    code.modifier = keyModifiers(state);
    code.virt = virtualKeyOf(keysym);
    if (code.virt == 0 || code.virt == VKEY_SPACE) code.character = characterOf(keysym);
    return code;
}
} // namespace VSTGUI::X11
