// Host parameter ids of the processor besides the controls (whose ids are their positions).
#pragma once

#include "pluginterfaces/base/futils.h"
#include "pluginterfaces/vst/vsttypes.h"

namespace Steinberg::Vst::Veru2ZOR3::ParameterIds
{

constexpr ParamID kPitchBend = 0x800;
constexpr ParamID kModWheel = 0x801;
constexpr ParamID kMidiVolume = 0x802;
constexpr ParamID kMidiPan = 0x803;
constexpr ParamID kExpression = 0x804;
constexpr ParamID kSustainPedal = 0x805;
constexpr ParamID kChannelPressure = 0x806;
constexpr ParamID kAllNotesOff = 0x807;
constexpr ParamID kBypass = 0x808;
constexpr ParamID kButton1 = 0x8000;
constexpr ParamID kButtonCount = 3;
constexpr ParamID kJoystickX = 0x8005;
constexpr ParamID kJoystickY = 0x8006;
// "Factory Presets", the program change of the presets unit: the four characters "prst".
constexpr ParamID kFactoryPresets = CCONST('p', 'r', 's', 't');
// The reserved ids start here: a control list holds at most this many controls.
constexpr uint32 kMaxControls = 0x800;

} // namespace Steinberg::Vst::Veru2ZOR3::ParameterIds
