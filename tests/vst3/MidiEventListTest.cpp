// The event-list adapter an effect pulls its events through, one sample offset at a time.
#include "vst3/CVSTMidiEventList.h"

#include "core/CPlugIn.h"
#include "public.sdk/source/vst/hosting/eventlist.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace Steinberg::Vst::Veru2ZOR3;

namespace
{
class NoteRecorder : public CPlugIn
{
  public:
    bool midiNoteOn(int, int note, int velocity) override
    {
        notes.push_back(note);
        velocities.push_back(velocity);
        return true;
    }
    bool midiNoteOff(int, int note, int, bool) override
    {
        notes.push_back(-note);
        return true;
    }
    std::vector<int> notes;
    std::vector<int> velocities;
};

Event note(int type, int pitch, int offset)
{
    Event e{};
    e.type = static_cast<uint16>(type);
    e.sampleOffset = offset;
    e.noteOn.pitch = static_cast<int16>(pitch);
    e.noteOn.velocity = 0.5f;
    return e;
}
} // namespace

TEST(MidiEventList, DispatchesTheEventsOfEachOffset)
{
    NoteRecorder effect;
    CVSTMidiEventList adapter(&effect);
    EXPECT_EQ(adapter.getEventCount(), 0);
    EXPECT_FALSE(adapter.fireMidiEvents(0));

    EventList host(8);
    for (Event e : {note(Event::kNoteOnEvent, 60, 0), note(Event::kNoteOffEvent, 61, 0),
                    note(Event::kNoteOnEvent, 62, 5)})
        host.addEvent(e);
    adapter.setHostList(&host);
    EXPECT_EQ(adapter.getEventCount(), 3);
    EXPECT_TRUE(adapter.fireMidiEvents(0));
    EXPECT_EQ(effect.notes, (std::vector<int>{60, -61}));
    EXPECT_FALSE(adapter.fireMidiEvents(3));
    EXPECT_TRUE(adapter.fireMidiEvents(5));
    EXPECT_EQ(effect.notes, (std::vector<int>{60, -61, 62}));
    EXPECT_EQ(effect.velocities, (std::vector<int>{63, 63}));
    EXPECT_FALSE(adapter.fireMidiEvents(6));

    // A new block reads from the start again.
    adapter.setHostList(&host);
    EXPECT_TRUE(adapter.fireMidiEvents(0));
    EXPECT_EQ(effect.notes.size(), 5u);
}

TEST(MidiEventList, PassesOverOtherEventTypes)
{
    NoteRecorder effect;
    CVSTMidiEventList adapter(&effect);
    EventList host(4);
    Event chord = note(Event::kChordEvent, 0, 2);
    chord.chord.text = u"RODAVIDE";
    host.addEvent(chord);
    Event on = note(Event::kNoteOnEvent, 40, 2);
    host.addEvent(on);
    adapter.setHostList(&host);
    EXPECT_TRUE(adapter.fireMidiEvents(2)) << "the note after the chord counts";
    EXPECT_EQ(effect.notes, (std::vector<int>{40}));
}
