// The non-linear mappings between a control's plain value and a host's normalised value.
// The parameter classes show values through them, and the process call and program change
// turn host values into the effect's linear positions with them.
#pragma once

namespace Steinberg::Vst::Veru2ZOR3::ValueTapers
{

// Host text side of a logarithmic control: normalised = 10^(2.4 (lin - 1)).
double logToNormalized(double plain, double minPlain, double maxPlain);
double logToPlain(double normalized, double minPlain, double maxPlain);

// The effect side of a logarithmic control: the linear position log10(9 v + 1) of a host
// value v, and its inverse (10^lin - 1) / 9.
float logLinearPosition(double normalized);
double logHostValue(double linearPosition);

// Volt/octave: plain = min (max / min)^normalised, through the fast approximations.
// Usable when both ends are positive and differ; otherwise the mapping is linear.
bool voltOctaveUsable(double minPlain, double maxPlain);
double voltOctaveToNormalized(double plain, double minPlain, double maxPlain);
double voltOctaveToPlain(double normalized, double minPlain, double maxPlain);
// The linear position in the range of the plain value a host value stands for.
double voltOctaveLinearPosition(double normalized, double minPlain, double maxPlain);

} // namespace Steinberg::Vst::Veru2ZOR3::ValueTapers
