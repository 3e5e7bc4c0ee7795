// Turns VST3 events into the effect's MIDI operations.
#pragma once

#include "pluginterfaces/vst/ivstevents.h"

class CPlugIn;

namespace Steinberg::Vst::Veru2ZOR3
{

// Note on, note off and polyphonic pressure; false (nothing called) for any other event.
bool dispatchNoteEvent(CPlugIn& effect, const Event& event);

// Any event the process call passes on: the three note events, and raw MIDI messages carried
// by chord events marked "RODAVIDE". Other events are ignored.
void dispatchEvent(CPlugIn& effect, const Event& event);

// A raw MIDI message: modulation wheel, all notes off, clock and pitch bend have their own
// operations; the rest reaches midiMessage when the effect asks for all MIDI.
void dispatchRawMidi(CPlugIn& effect, int channel, int status, int data1, int data2);

} // namespace Steinberg::Vst::Veru2ZOR3
