#include "vstgui/platform/win32/Win32Input.h"

#include <windows.h>

namespace VSTGUI::Win32
{
namespace
{
bool isDown(int key)
{
    return (GetKeyState(key) & 0x8000) != 0;
}
} // namespace

int32_t heldModifiers()
{
    int32_t buttons = 0;
    if (isDown(VK_SHIFT)) buttons |= kShift;
    if (isDown(VK_CONTROL)) buttons |= kControl;
    if (isDown(VK_MENU)) buttons |= kAlt;
    return buttons;
}

unsigned char keyModifiers()
{
    unsigned char modifiers = 0;
    if (isDown(VK_SHIFT)) modifiers |= MODIFIER_SHIFT;
    if (isDown(VK_CONTROL)) modifiers |= MODIFIER_CONTROL;
    if (isDown(VK_MENU)) modifiers |= MODIFIER_ALTERNATE;
    return modifiers;
}

unsigned char virtualKeyOf(uint32_t windowsKey)
{
    switch (windowsKey)
    {
    case VK_BACK:
        return VKEY_BACK;
    case VK_TAB:
        return VKEY_TAB;
    case VK_CLEAR:
        return VKEY_CLEAR;
    case VK_RETURN:
        return VKEY_RETURN;
    case VK_PAUSE:
        return VKEY_PAUSE;
    case VK_ESCAPE:
        return VKEY_ESCAPE;
    case VK_SPACE:
        return VKEY_SPACE;
    case VK_NEXT:
        return VKEY_PAGEDOWN;
    case VK_PRIOR:
        return VKEY_PAGEUP;
    case VK_END:
        return VKEY_END;
    case VK_HOME:
        return VKEY_HOME;
    case VK_LEFT:
        return VKEY_LEFT;
    case VK_UP:
        return VKEY_UP;
    case VK_RIGHT:
        return VKEY_RIGHT;
    case VK_DOWN:
        return VKEY_DOWN;
    case VK_SELECT:
        return VKEY_SELECT;
    case VK_PRINT:
        return VKEY_PRINT;
    case VK_SNAPSHOT:
        return VKEY_SNAPSHOT;
    case VK_INSERT:
        return VKEY_INSERT;
    case VK_DELETE:
        return VKEY_DELETE;
    default:
        return 0;
    }
}
} // namespace VSTGUI::Win32
