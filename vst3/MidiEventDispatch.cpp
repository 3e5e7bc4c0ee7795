#include "vst3/MidiEventDispatch.h"

#include "core/CPlugIn.h"

#include <cstdint>

namespace Steinberg::Vst::Veru2ZOR3
{
namespace
{
// A 0..1 velocity or pressure as a MIDI value 0..127; out-of-range and NaN input are limited.
int toMidiValue(float amount)
{
    if (!(amount > 0.0f)) return 0;
    if (amount >= 1.0f) return 127;
    return static_cast<int>(amount * 127.0f);
}

int toByte(int value)
{
    return value & 0xFF;
}

bool isRawMidiChord(const ChordEvent& chord)
{
    static const char16 kMarker[] = STR16("RODAVIDE");
    if (!chord.text) return false;
    int i = 0;
    for (; kMarker[i] != 0; ++i)
    {
        if (chord.text[i] != kMarker[i]) return false;
    }
    return chord.text[i] == 0;
}

void dispatchPitchBend(CPlugIn& effect, int channel, int data1, int data2)
{
    const int value = (((data2 & 0x7F) << 7) | (data1 & 0x7F)) - 8192;
    const int forScale = value == -8192 ? -8191 : value;
    effect.midiPitchBend(channel, value, static_cast<float>(forScale) / 8191.0f);
}
} // namespace

bool dispatchNoteEvent(CPlugIn& effect, const Event& event)
{
    switch (event.type)
    {
    case Event::kNoteOnEvent:
        effect.midiNoteOn(event.noteOn.channel, event.noteOn.pitch,
                          toMidiValue(event.noteOn.velocity));
        return true;
    case Event::kNoteOffEvent:
        effect.midiNoteOff(event.noteOff.channel, event.noteOff.pitch,
                           toMidiValue(event.noteOff.velocity), false);
        return true;
    case Event::kPolyPressureEvent:
        effect.midiMessage(toByte(event.polyPressure.channel), 0xA0,
                           toByte(event.polyPressure.pitch),
                           toMidiValue(event.polyPressure.pressure));
        return true;
    default:
        return false;
    }
}

void dispatchEvent(CPlugIn& effect, const Event& event)
{
    if (dispatchNoteEvent(effect, event)) return;
    if (event.type == Event::kChordEvent && isRawMidiChord(event.chord))
    {
        dispatchRawMidi(effect, event.chord.root, event.chord.bassNote, event.chord.mask,
                        event.chord.textLen);
    }
}

void dispatchRawMidi(CPlugIn& effect, int channel, int status, int data1, int data2)
{
    if (status == 0xB0 && data1 == 1)
        effect.midiModWheel(channel, data2);
    else if (status == 0xB0 && data1 == 123)
        effect.midiNoteOff(channel, 0, 0, true);
    else if (status == 0xF8)
        effect.midiClock();
    else if (status == 0xE0)
        dispatchPitchBend(effect, channel, data1, data2);
    else if (effect.m_bAllMidi)
        effect.midiMessage(toByte(channel), toByte(status), toByte(data1), toByte(data2));
}

} // namespace Steinberg::Vst::Veru2ZOR3
