// Host parameter ids of the framework's own parameters; a control's id is its position in the
// control list. The editor's UI description uses the same numbers as control tags.
#pragma once

#include <cstdint>

namespace HostParameterIds
{

constexpr uint32_t kPitchBend = 0x800;
constexpr uint32_t kModWheel = 0x801;
constexpr uint32_t kMidiVolume = 0x802;
constexpr uint32_t kMidiPan = 0x803;
constexpr uint32_t kExpression = 0x804;
constexpr uint32_t kSustainPedal = 0x805;
constexpr uint32_t kChannelPressure = 0x806;
constexpr uint32_t kAllNotesOff = 0x807;
constexpr uint32_t kBypass = 0x808;
constexpr uint32_t kButton1 = 0x8000;
constexpr uint32_t kButtonCount = 3;
constexpr uint32_t kJoystickX = 0x8005;
constexpr uint32_t kJoystickY = 0x8006;
// "Factory Presets", the program change of the presets unit: the four characters "prst".
constexpr uint32_t kFactoryPresets =
    (uint32_t('p') << 24) | (uint32_t('r') << 16) | (uint32_t('s') << 8) | uint32_t('t');
// The reserved ids start here: a control list holds at most this many controls.
constexpr uint32_t kMaxControls = 0x800;

} // namespace HostParameterIds
