// Events and MIDI-controller parameters reaching the effect's MIDI operations.
#include "PluginTestSupport.h"

#include "public.sdk/source/vst/hosting/hostclasses.h"

namespace vevadur::test
{
namespace
{
struct Call
{
    double op, arg1, arg2, arg3, arg4;
};

class MidiSession
{
  public:
    MidiSession() : instance(probeInstance())
    {
        activate(*instance);
        block = std::make_unique<ProcessBlock>(*instance);
    }

    // Runs one block and returns the last call the effect saw and how many it saw in all.
    Call run(int frames = 16)
    {
        Audio in(2, frames), out(2, frames);
        block->process(in.channels(), out.channels(), frames);
        lastOutput = out.data;
        return {meter(*block, kOp), meter(*block, kArg1), meter(*block, kArg2),
                meter(*block, kArg3), meter(*block, kArg4)};
    }
    double calls() { return meter(*block, kCalls); }
    Call afterParameter(ParamID id, double value)
    {
        block->addParameterChange(id, 0, value);
        return run();
    }

    std::unique_ptr<PluginInstance> instance;
    std::unique_ptr<ProcessBlock> block;
    std::vector<std::vector<float>> lastOutput;
};

Event noteOn(int channel, int pitch, float velocity, int offset = 0)
{
    Event e{};
    e.type = Event::kNoteOnEvent;
    e.sampleOffset = offset;
    e.noteOn.channel = static_cast<int16>(channel);
    e.noteOn.pitch = static_cast<int16>(pitch);
    e.noteOn.velocity = velocity;
    return e;
}

// A raw MIDI message as hosts of this framework carry it: a chord event marked "RODAVIDE".
Event rawMidi(int channel, int status, int data1, int data2)
{
    static const TChar kMarker[] = u"RODAVIDE";
    Event e{};
    e.type = Event::kChordEvent;
    e.chord.root = static_cast<int16>(channel);
    e.chord.bassNote = static_cast<int16>(status);
    e.chord.mask = static_cast<int16>(data1);
    e.chord.textLen = static_cast<uint16>(data2);
    e.chord.text = kMarker;
    return e;
}

void expectCall(const Call& call, ProbeOp op, double a1, double a2 = 0, double a3 = 0,
                double a4 = 0)
{
    EXPECT_EQ(call.op, op);
    EXPECT_EQ(call.arg1, a1);
    EXPECT_EQ(call.arg2, a2);
    EXPECT_EQ(call.arg3, a3);
    EXPECT_EQ(call.arg4, a4);
}
} // namespace

TEST(MidiEvents, NotesReachTheEffectWithMidiVelocities)
{
    MidiSession s;
    s.block->addEvent(noteOn(3, 60, 1.0f));
    expectCall(s.run(), kOpNoteOn, 3, 60, 127);
    s.block->addEvent(noteOn(0, 61, 0.5f));
    expectCall(s.run(), kOpNoteOn, 0, 61, 63);

    Event off{};
    off.type = Event::kNoteOffEvent;
    off.noteOff.channel = 2;
    off.noteOff.pitch = 64;
    off.noteOff.velocity = 0.25f;
    s.block->addEvent(off);
    expectCall(s.run(), kOpNoteOff, 2, 64, 31, 0);

    Event pressure{};
    pressure.type = Event::kPolyPressureEvent;
    pressure.polyPressure.channel = 1;
    pressure.polyPressure.pitch = 70;
    pressure.polyPressure.pressure = 2.0f; // out of range: limited to 127
    s.block->addEvent(pressure);
    expectCall(s.run(), kOpMessage, 1, 0xA0, 70, 127);
}

TEST(MidiEvents, EventsArriveAtTheirFrames)
{
    MidiSession s;
    s.block->addParameterChange(kMode, 0, 1.0); // channel 0 counts the calls per frame
    s.block->addEvent(noteOn(0, 1, 1.0f, 3));
    s.block->addEvent(noteOn(0, 2, 1.0f, 3));
    s.block->addEvent(noteOn(0, 3, 1.0f, 7));
    s.run(10);
    const std::vector<float> expected = {0, 0, 0, 2, 2, 2, 2, 3, 3, 3};
    EXPECT_EQ(s.lastOutput[0], expected);

    // An event beyond the block's end is never dispatched.
    s.block->addEvent(noteOn(0, 4, 1.0f, 5));
    s.run(4);
    EXPECT_EQ(s.calls(), 3.0);
}

TEST(MidiEvents, RawMidiMessagesInChordEvents)
{
    MidiSession s;
    s.block->addEvent(rawMidi(4, 0xB0, 1, 99));
    expectCall(s.run(), kOpModWheel, 4, 99);
    s.block->addEvent(rawMidi(5, 0xB0, 123, 0));
    expectCall(s.run(), kOpNoteOff, 5, 0, 0, 1);
    s.block->addEvent(rawMidi(0, 0xF8, 0, 0));
    expectCall(s.run(), kOpClock, 0);
    s.block->addEvent(rawMidi(2, 0xE0, 0x00, 0x00));
    expectCall(s.run(), kOpPitchBend, 2, -8192, -1.0);
    s.block->addEvent(rawMidi(2, 0xE0, 0x7F, 0x7F));
    expectCall(s.run(), kOpPitchBend, 2, 8191, 1.0);
    // Anything else reaches midiMessage, since the probe asks for all MIDI.
    s.block->addEvent(rawMidi(6, 0xB0, 74, 12));
    expectCall(s.run(), kOpMessage, 6, 0xB0, 74, 12);

    // A chord that is just a chord is ignored.
    Event chord = rawMidi(0, 0xF8, 0, 0);
    chord.chord.text = u"Cmaj7";
    const double before = s.calls();
    s.block->addEvent(chord);
    s.run();
    EXPECT_EQ(s.calls(), before);
}

TEST(MidiParameters, BecomeMidiCallsOnChannelZero)
{
    MidiSession s;
    expectCall(s.afterParameter(0x800, 0.0), kOpPitchBend, 0, -8192, -1.0);
    expectCall(s.afterParameter(0x800, 1.0), kOpPitchBend, 0, 8191, 1.0);
    expectCall(s.afterParameter(0x800, 0.5), kOpPitchBend, 0, 0, 0.0);
    expectCall(s.afterParameter(0x801, 1.0), kOpModWheel, 0, 127);
    expectCall(s.afterParameter(0x802, 0.5), kOpMessage, 0, 7, 63, 0);
    expectCall(s.afterParameter(0x803, 0.25), kOpMessage, 0, 10, 31, 0);
    expectCall(s.afterParameter(0x804, 1.0), kOpMessage, 0, 11, 127, 0);
    expectCall(s.afterParameter(0x805, 0.5), kOpMessage, 0, 64, 0, 0);
    expectCall(s.afterParameter(0x805, 0.51), kOpMessage, 0, 64, 127, 0);
    expectCall(s.afterParameter(0x806, 1.0), kOpMessage, 0, 0xD0, 127, 0);
    expectCall(s.afterParameter(0x807, 1.0), kOpNoteOff, 0, 0, 0, 1);
}

TEST(MidiParameters, ButtonsAndJoystick)
{
    MidiSession s;
    expectCall(s.afterParameter(0x8000, 1.0), kOpButton, 50);
    expectCall(s.afterParameter(0x8002, 0.0), kOpButton, 52);

    s.block->addParameterChange(kJoystickX, 0, 0.75);
    s.block->addParameterChange(kJoystickY, 0, 0.0);
    s.run();
    const std::vector<std::uint8_t> state = s.instance->saveState();
    EXPECT_EQ(stateValue<float>(state, state.size() - 8), 0.5f);
    EXPECT_EQ(stateValue<float>(state, state.size() - 4), -1.0f);
}

TEST(EditorMessages, FollowHostEdits)
{
    MidiSession s;
    ASSERT_EQ(s.instance->controller().setParamNormalized(kSteps, 0.75), kResultOk);
    // Code 13 carries the parameter and its value.
    expectCall(s.run(), kOpEditor, 13, kSteps, 0.75);
}

TEST(EditorMessages, TextMessagesFromTheEditor)
{
    MidiSession s;
    auto connection = s.instance->query<IConnectionPoint>();
    ASSERT_TRUE(connection);
    auto send = [&](const char16_t* text)
    {
        IPtr<HostMessage> message = owned(new HostMessage);
        message->setMessageID("TextMessage");
        message->getAttributes()->setString("Text", text);
        return connection->notify(message);
    };
    EXPECT_EQ(send(u"VSTGUITimerPing"), kResultOk);
    expectCall(s.run(), kOpEditor, 2, 0, 0);
    EXPECT_EQ(send(u"RecreateView"), kResultOk);
    expectCall(s.run(), kOpEditor, 0, 0, 0);
    const double calls = s.calls();
    EXPECT_EQ(send(u"Something else"), kResultOk);
    s.run();
    EXPECT_EQ(s.calls(), calls);
}

TEST(Instrument, PullsEventsAndInterpolatedAutomation)
{
    auto instance = probeInstrument();
    SpeakerArrangement stereo = SpeakerArr::kStereo;
    ASSERT_EQ(instance->processor().setBusArrangements(nullptr, 0, &stereo, 1), kResultOk);
    activate(*instance);
    ProcessBlock block(*instance);
    block.addEvent(noteOn(0, 1, 1.0f, 0));
    block.addEvent(noteOn(0, 2, 1.0f, 0));
    block.addEvent(noteOn(0, 3, 1.0f, 5));
    block.addParameterChange(kLevel, 0, 0.2);
    block.addParameterChange(kLevel, 63, 1.0);
    Audio out(2, 64);
    ASSERT_EQ(block.process(nullptr, out.channels(), 64), kResultOk);

    EXPECT_EQ(out[1][0], 2.0f);
    EXPECT_EQ(out[1][4], 2.0f);
    EXPECT_EQ(out[1][5], 3.0f);
    // Granularity 16: new values at 16, 32, 48 and at the last point.
    EXPECT_EQ(out[0][15], 0.0f);
    EXPECT_NEAR(out[0][16], 0.2 + 16 * 0.8 / 63, 1e-6);
    EXPECT_NEAR(out[0][32], 0.2 + 32 * 0.8 / 63, 1e-6);
    EXPECT_NEAR(out[0][48], 0.2 + 48 * 0.8 / 63, 1e-6);
    EXPECT_EQ(out[0][62], out[0][48]);
    EXPECT_EQ(out[0][63], 1.0f);
}

} // namespace vevadur::test
