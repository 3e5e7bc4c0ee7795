// Translation of X11 input: keysym choice under modifiers, key codes, mouse buttons.
#include "vstgui/platform/x11/X11Input.h"

#include <gtest/gtest.h>

using namespace VSTGUI;
using namespace VSTGUI::X11;

namespace
{
// Keysyms of the core protocol's tables, written out for the tests.
constexpr uint32_t kKeypadLeft = 0xff96;
constexpr uint32_t kKeypad4 = 0xffb4;
constexpr uint32_t kReturn = 0xff0d;
constexpr uint32_t kKeypadEnter = 0xff8d;
constexpr uint32_t kBackSpace = 0xff08;
constexpr uint32_t kDelete = 0xffff;
constexpr uint32_t kKeypadDecimal = 0xffae;
constexpr uint32_t kShiftL = 0xffe1;
constexpr uint32_t kEuroSign = 0x20ac + 0x01000000;
} // namespace

TEST(X11Keysyms, ShiftAndCapsLockChooseTheColumn)
{
    const uint32_t letter[] = {'a', 'A'};
    EXPECT_EQ(selectKeysym(letter, 2, 0), 'a');
    EXPECT_EQ(selectKeysym(letter, 2, kShiftMask), 'A');
    EXPECT_EQ(selectKeysym(letter, 2, kLockMask), 'A');
    EXPECT_EQ(selectKeysym(letter, 2, kLockMask | kShiftMask), 'a');

    // Caps Lock leaves keys that are not letters alone.
    const uint32_t digit[] = {'1', '!'};
    EXPECT_EQ(selectKeysym(digit, 2, kLockMask), '1');
    EXPECT_EQ(selectKeysym(digit, 2, kShiftMask), '!');

    // A letter listed once stands for both cases.
    const uint32_t single[] = {'b', 0, 0, 0};
    EXPECT_EQ(selectKeysym(single, 4, 0), 'b');
    EXPECT_EQ(selectKeysym(single, 4, kShiftMask), 'B');
    EXPECT_EQ(selectKeysym(single, 1, kShiftMask), 'B');

    EXPECT_EQ(selectKeysym(letter, 0, 0), 0u);
    EXPECT_EQ(selectKeysym(nullptr, 2, 0), 0u);
}

TEST(X11Keysyms, NumLockTurnsTheKeypadIntoDigits)
{
    const uint32_t keypad[] = {kKeypadLeft, kKeypad4};
    EXPECT_EQ(selectKeysym(keypad, 2, 0), kKeypadLeft);
    EXPECT_EQ(selectKeysym(keypad, 2, kMod2Mask), kKeypad4);
    // Shift undoes Num Lock on the keypad.
    EXPECT_EQ(selectKeysym(keypad, 2, kMod2Mask | kShiftMask), kKeypadLeft);
    // Num Lock does nothing to other keys.
    const uint32_t letter[] = {'q', 'Q'};
    EXPECT_EQ(selectKeysym(letter, 2, kMod2Mask), 'q');
}

TEST(X11Keysyms, KeyCodesCarryCharactersOrVirtualKeys)
{
    VstKeyCode a = keyCodeFromKeysym('a', 0);
    EXPECT_EQ(a.character, 'a');
    EXPECT_EQ(a.virt, 0);

    VstKeyCode enter = keyCodeFromKeysym(kReturn, 0);
    EXPECT_EQ(enter.virt, VKEY_RETURN);
    EXPECT_EQ(enter.character, 0);
    EXPECT_EQ(keyCodeFromKeysym(kKeypadEnter, 0).virt, VKEY_ENTER);
    EXPECT_EQ(keyCodeFromKeysym(kBackSpace, 0).virt, VKEY_BACK);
    EXPECT_EQ(keyCodeFromKeysym(kDelete, 0).virt, VKEY_DELETE);
    EXPECT_EQ(keyCodeFromKeysym(kKeypadLeft, 0).virt, VKEY_LEFT);

    // Space is both a virtual key and a character.
    VstKeyCode space = keyCodeFromKeysym(' ', 0);
    EXPECT_EQ(space.virt, VKEY_SPACE);
    EXPECT_EQ(space.character, ' ');

    EXPECT_EQ(keyCodeFromKeysym(kKeypad4, 0).character, '4');
    EXPECT_EQ(keyCodeFromKeysym(kKeypadDecimal, 0).character, '.');
    EXPECT_EQ(keyCodeFromKeysym(0xe9, 0).character, 0xe9); // Latin-1 é
    EXPECT_EQ(keyCodeFromKeysym(kEuroSign, 0).character, 0x20ac);

    // Modifier keys themselves type nothing.
    VstKeyCode shift = keyCodeFromKeysym(kShiftL, kShiftMask);
    EXPECT_EQ(shift.virt, 0);
    EXPECT_EQ(shift.character, 0);
}

TEST(X11Keysyms, ModifiersOfTheState)
{
    VstKeyCode code = keyCodeFromKeysym('A', kShiftMask | kControlMask | kMod1Mask | kMod2Mask);
    EXPECT_EQ(code.modifier, MODIFIER_SHIFT | MODIFIER_CONTROL | MODIFIER_ALTERNATE);
    EXPECT_EQ(keyCodeFromKeysym('a', kLockMask).modifier, 0);
}

TEST(X11Mouse, ButtonsAndModifiers)
{
    EXPECT_EQ(buttonBit(1), kLButton);
    EXPECT_EQ(buttonBit(2), kMButton);
    EXPECT_EQ(buttonBit(3), kRButton);
    EXPECT_EQ(buttonBit(4), 0);
    EXPECT_EQ(wheelDistance(4), 1.f);
    EXPECT_EQ(wheelDistance(5), -1.f);
    EXPECT_EQ(wheelDistance(1), 0.f);

    EXPECT_EQ(heldButtons(kButton1Mask | kShiftMask), kLButton | kShift);
    EXPECT_EQ(heldButtons(kButton3Mask | kControlMask | kMod1Mask), kRButton | kControl | kAlt);
    EXPECT_EQ(modifierButtons(kButton1Mask | kLockMask | kMod2Mask), 0);
}
