#pragma once

#include "vstgui/VSTGUIFwd.h"

namespace VSTGUI
{
enum CButton : int32_t
{
    kLButton = 1 << 1,
    kMButton = 1 << 2,
    kRButton = 1 << 3,
    kShift = 1 << 4,
    kControl = 1 << 5,
    kAlt = 1 << 6,
    kApple = 1 << 7,
    kButton4 = 1 << 8,
    kButton5 = 1 << 9,
    kDoubleClick = 1 << 10
};

// Holding ctrl (alt on macOS) while clicking a control resets it to its default value.
constexpr int32_t kDefaultValueModifier = kControl;
// Holding shift while dragging a knob or turning the wheel moves in finer steps.
constexpr int32_t kZoomModifier = kShift;

// Mouse buttons and modifier keys of one mouse event.
class CButtonState
{
  public:
    CButtonState(int32_t state = 0) : m_state(state) {}

    bool isLeftButton() const { return (m_state & kLButton) != 0; }
    bool isRightButton() const { return (m_state & kRButton) != 0; }
    bool isDoubleClick() const { return (m_state & kDoubleClick) != 0; }
    int32_t getButtonState() const
    {
        return m_state & (kLButton | kMButton | kRButton | kButton4 | kButton5);
    }
    int32_t getModifierState() const { return m_state & (kShift | kControl | kAlt | kApple); }
    int32_t operator()() const { return m_state; }
    int32_t operator&(int32_t mask) const { return m_state & mask; }
    bool operator==(const CButtonState& other) const { return m_state == other.m_state; }
    bool operator!=(const CButtonState& other) const { return m_state != other.m_state; }

  private:
    int32_t m_state;
};

// Keys without a character, in VST's numbering.
enum VirtualKey : unsigned char
{
    VKEY_BACK = 1,
    VKEY_TAB,
    VKEY_CLEAR,
    VKEY_RETURN,
    VKEY_PAUSE,
    VKEY_ESCAPE,
    VKEY_SPACE,
    VKEY_NEXT,
    VKEY_END,
    VKEY_HOME,
    VKEY_LEFT,
    VKEY_UP,
    VKEY_RIGHT,
    VKEY_DOWN,
    VKEY_PAGEUP,
    VKEY_PAGEDOWN,
    VKEY_SELECT,
    VKEY_PRINT,
    VKEY_ENTER,
    VKEY_SNAPSHOT,
    VKEY_INSERT,
    VKEY_DELETE
};

enum KeyModifier : unsigned char
{
    MODIFIER_SHIFT = 1 << 0,
    MODIFIER_ALTERNATE = 1 << 1,
    MODIFIER_COMMAND = 1 << 2,
    MODIFIER_CONTROL = 1 << 3
};

// One key press: a character (Unicode code point, 0 if none) or a virtual key, and modifiers.
struct VstKeyCode
{
    int32_t character = 0;
    unsigned char virt = 0;
    unsigned char modifier = 0;
};
} // namespace VSTGUI
