#include "Vst2MidiInput.h"

namespace Steinberg
{
namespace Vst
{

namespace
{
enum MidiStatus : uint8
{
    kNoteOffStatus = 0x80,
    kNoteOnStatus = 0x90,
    kPolyPressureStatus = 0xA0,
    kControlChangeStatus = 0xB0,
    kChannelPressureStatus = 0xD0,
    kPitchBendStatus = 0xE0,
};

float seventhBits(uint8 v)
{
    return static_cast<float>(v & 0x7F) / 127.0f;
}

Event makeEvent(int32 offset, uint16 type)
{
    Event e{};
    e.busIndex = 0;
    e.sampleOffset = offset;
    e.flags = Event::kIsLive;
    e.type = type;
    return e;
}
} // namespace

void Vst2MidiInput::mapControllers(IMidiMapping* mapping)
{
    controllerMap.assign(static_cast<size_t>(kChannels * kControllers), kNoParamId);
    if (!mapping) return;
    for (int32 channel = 0; channel < kChannels; ++channel)
    {
        for (int32 controller = 0; controller < kControllers; ++controller)
        {
            ParamID id = kNoParamId;
            const auto number = static_cast<CtrlNumber>(controller);
            if (mapping->getMidiControllerAssignment(0, static_cast<int16>(channel), number, id) ==
                kResultOk)
                controllerMap[static_cast<size_t>(channel * kControllers + controller)] = id;
        }
    }
}

ParamID Vst2MidiInput::parameterFor(int32 channel, int32 controller) const
{
    if (channel < 0 || channel >= kChannels || controller < 0 || controller >= kControllers ||
        controllerMap.empty())
        return kNoParamId;
    return controllerMap[static_cast<size_t>(channel * kControllers + controller)];
}

void Vst2MidiInput::receive(const Vst2Abi::Events* events)
{
    if (!events) return;
    for (int32 i = 0; i < events->numEvents && used < kCapacity; ++i)
    {
        const Vst2Abi::Event* e = events->events[i];
        if (!e || e->type != Vst2Abi::kMidiEventType) continue;
        const auto* midi = reinterpret_cast<const Vst2Abi::MidiEvent*>(e);
        const int32 frame = midi->deltaFrames > 0 ? midi->deltaFrames : 0;
        insertSorted({frame, midi->midiData[0], midi->midiData[1], midi->midiData[2]});
    }
}

// VST3 wants events in frame order; hosts mostly send them so, and this keeps a stray one from
// holding back the rest. Equal frames keep their arrival order.
void Vst2MidiInput::insertSorted(const Message& m)
{
    int32 at = used;
    while (at > 0 && messages[static_cast<size_t>(at - 1)].frame > m.frame)
    {
        messages[static_cast<size_t>(at)] = messages[static_cast<size_t>(at - 1)];
        --at;
    }
    messages[static_cast<size_t>(at)] = m;
    ++used;
}

void Vst2MidiInput::deliver(int32 start, int32 length, bool lastPart, IEventList& events,
                            Vst2BlockChanges& changes) const
{
    const int32 end = start + length;
    for (int32 i = 0; i < used; ++i)
    {
        const Message& m = messages[static_cast<size_t>(i)];
        if (m.frame >= start && m.frame < end)
            deliverOne(m, m.frame - start, events, changes);
        else if (lastPart && m.frame >= end && length > 0)
            deliverOne(m, length - 1, events, changes);
    }
}

void Vst2MidiInput::deliverOne(const Message& m, int32 offset, IEventList& events,
                               Vst2BlockChanges& changes) const
{
    const int16 channel = m.status & 0x0F;
    const uint8 pitch = m.data1 & 0x7F;
    switch (m.status & 0xF0)
    {
    case kNoteOnStatus:
        if (m.data2 != 0)
        {
            Event e = makeEvent(offset, Event::kNoteOnEvent);
            e.noteOn = {channel, pitch, 0.0f, seventhBits(m.data2), 0, -1};
            events.addEvent(e);
            break;
        }
        [[fallthrough]]; // note-on with velocity 0 is a note-off
    case kNoteOffStatus:
    {
        Event e = makeEvent(offset, Event::kNoteOffEvent);
        const uint8 velocity = (m.status & 0xF0) == kNoteOffStatus ? m.data2 : 0;
        e.noteOff = {channel, pitch, seventhBits(velocity), -1, 0.0f};
        events.addEvent(e);
        break;
    }
    case kPolyPressureStatus:
    {
        Event e = makeEvent(offset, Event::kPolyPressureEvent);
        e.polyPressure = {channel, pitch, seventhBits(m.data2), -1};
        events.addEvent(e);
        break;
    }
    case kControlChangeStatus:
        addPoint(changes, channel, m.data1 & 0x7F, offset, seventhBits(m.data2));
        break;
    case kChannelPressureStatus:
        addPoint(changes, channel, kAfterTouch, offset, seventhBits(m.data1));
        break;
    case kPitchBendStatus:
    {
        const int32 bend = ((m.data2 & 0x7F) << 7) | (m.data1 & 0x7F);
        addPoint(changes, channel, Vst::kPitchBend, offset, bend / 16383.0);
        break;
    }
    default:
        break;
    }
}

void Vst2MidiInput::addPoint(Vst2BlockChanges& changes, int32 channel, int32 controller,
                             int32 offset, ParamValue value) const
{
    const ParamID id = parameterFor(channel, controller);
    if (id != kNoParamId) changes.addPoint(id, offset, value);
}

} // namespace Vst
} // namespace Steinberg
