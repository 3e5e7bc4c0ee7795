// The adapter's pieces on their own: text conversion into host buffers, class facts, MIDI
// translation, and the block's pre-sized parameter changes and value mirror.
#include "Vst2BlockChanges.h"
#include "Vst2ClassFacts.h"
#include "Vst2MidiInput.h"
#include "Vst2ParameterMirror.h"
#include "Vst2PluginMain.h"
#include "Vst2Text.h"

#include "public.sdk/source/vst/hosting/eventlist.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

TEST(Vst2Text, CutsUtf8AtCharacterBoundaries)
{
    const char16 text[] = {u'a', 0x221E, u'b', 0xD83D, 0xDE00, 0}; // a, infinity, b, emoji
    char buffer[16];
    Vst2Text::fromUtf16(text, buffer, sizeof(buffer));
    EXPECT_EQ(std::string(buffer), "a\xE2\x88\x9E"
                                   "b\xF0\x9F\x98\x80");
    Vst2Text::fromUtf16(text, buffer, 4); // "a" + 3 bytes of infinity need 5 with terminator
    EXPECT_EQ(std::string(buffer), "a");
    Vst2Text::fromUtf16(text, buffer, 9); // the emoji's 4 bytes do not fit after 5 bytes
    EXPECT_EQ(std::string(buffer), "a\xE2\x88\x9E"
                                   "b");

    const char16 lone[] = {0xDC00, u'x', 0};
    Vst2Text::fromUtf16(lone, buffer, sizeof(buffer));
    EXPECT_EQ(std::string(buffer), "\xEF\xBF\xBDx");

    Vst2Text::fromUtf8("R45\xC3", buffer, sizeof(buffer)); // a truncated sequence
    EXPECT_EQ(std::string(buffer), "R45\xEF\xBF\xBD");
    Vst2Text::fromUtf8(nullptr, buffer, sizeof(buffer));
    EXPECT_EQ(std::string(buffer), "");
}

TEST(Vst2Text, ReadsUtf8IntoSixteenBits)
{
    String128 s{};
    Vst2Text::toUtf16("\xE2\x88\x9E\xF0\x9F\x98\x80z", s);
    EXPECT_EQ(s[0], 0x221E);
    EXPECT_EQ(s[1], 0xD83D);
    EXPECT_EQ(s[2], 0xDE00);
    EXPECT_EQ(s[3], u'z');
    EXPECT_EQ(s[4], 0);

    const std::string longText(300, 'x');
    Vst2Text::toUtf16(longText.c_str(), s);
    EXPECT_EQ(s[126], u'x');
    EXPECT_EQ(s[127], 0);
}

TEST(Vst2ClassFacts, VersionsAndCategories)
{
    EXPECT_EQ(vst2VersionOf("0.0.1.0"), 10);
    EXPECT_EQ(vst2VersionOf("1.2.3.4"), 1234);
    EXPECT_EQ(vst2VersionOf("12.3"), 12300);
    EXPECT_EQ(vst2VersionOf("1.15.2 beta"), 1920);
    EXPECT_EQ(vst2VersionOf(""), 0);
    EXPECT_EQ(vst2VersionOf(nullptr), 0);

    EXPECT_EQ(vst2CategoryOf("FX|Reverb"), Vst2Abi::kCategoryRoomFx);
    EXPECT_EQ(vst2CategoryOf("Instrument|Synth"), Vst2Abi::kCategorySynth);
    EXPECT_EQ(vst2CategoryOf("Fx|ReverbX"), Vst2Abi::kCategoryEffect);
    EXPECT_EQ(vst2CategoryOf(""), Vst2Abi::kCategoryEffect);
}

namespace
{
// Maps controller 7 of every channel to parameter 100 and pitch bend to parameter 101.
class TestMapping : public IMidiMapping
{
  public:
    tresult PLUGIN_API getMidiControllerAssignment(int32 bus, int16, CtrlNumber controller,
                                                   ParamID& id) SMTG_OVERRIDE
    {
        if (bus != 0) return kResultFalse;
        if (controller == 7)
            id = 100;
        else if (controller == kPitchBend)
            id = 101;
        else
            return kResultFalse;
        return kResultOk;
    }
    tresult PLUGIN_API queryInterface(const TUID, void**) SMTG_OVERRIDE { return kNoInterface; }
    uint32 PLUGIN_API addRef() SMTG_OVERRIDE { return 1; }
    uint32 PLUGIN_API release() SMTG_OVERRIDE { return 1; }
};

Vst2Abi::MidiEvent midi(int32_t frame, uint8_t status, uint8_t d1, uint8_t d2)
{
    Vst2Abi::MidiEvent e{};
    e.type = Vst2Abi::kMidiEventType;
    e.byteSize = sizeof(e);
    e.deltaFrames = frame;
    e.midiData[0] = status;
    e.midiData[1] = d1;
    e.midiData[2] = d2;
    return e;
}

struct HostEvents
{
    std::vector<Vst2Abi::MidiEvent> events;
    std::vector<Vst2Abi::Event*> pointers;
    std::vector<char> memory;

    const Vst2Abi::Events* list()
    {
        for (auto& e : events)
            pointers.push_back(reinterpret_cast<Vst2Abi::Event*>(&e));
        memory.assign(sizeof(Vst2Abi::Events) + pointers.size() * sizeof(void*), 0);
        auto* l = reinterpret_cast<Vst2Abi::Events*>(memory.data());
        l->numEvents = static_cast<int32_t>(pointers.size());
        std::copy(pointers.begin(), pointers.end(), l->events);
        return l;
    }
};

ParamValue lastPoint(Vst2BlockChanges& changes, ParamID id, int32* offset = nullptr)
{
    IParameterChanges& list = changes.get();
    for (int32 q = 0; q < list.getParameterCount(); ++q)
    {
        IParamValueQueue* queue = list.getParameterData(q);
        if (queue->getParameterId() != id) continue;
        int32 o = 0;
        ParamValue v = -1;
        queue->getPoint(queue->getPointCount() - 1, o, v);
        if (offset) *offset = o;
        return v;
    }
    return -1;
}
} // namespace

TEST(Vst2MidiInput, NotesBecomeEventsInFrameOrder)
{
    Vst2MidiInput input;
    input.mapControllers(nullptr);
    HostEvents host;
    host.events = {midi(9, 0x91, 60, 127), midi(2, 0x80, 61, 64), midi(2, 0x93, 62, 0),
                   midi(40, 0xA0, 63, 32)};
    input.receive(host.list());
    ASSERT_EQ(input.size(), 4);

    EventList events(16);
    Vst2BlockChanges changes;
    changes.prepare(4);
    input.deliver(0, 32, true, events, changes);
    ASSERT_EQ(events.getEventCount(), 4);
    Event e{};
    events.getEvent(0, e); // frame 2, note-off 61 first (arrival order among equals)
    EXPECT_EQ(e.type, Event::kNoteOffEvent);
    EXPECT_EQ(e.sampleOffset, 2);
    EXPECT_EQ(e.noteOff.pitch, 61);
    EXPECT_FLOAT_EQ(e.noteOff.velocity, 64.0f / 127.0f);
    events.getEvent(1, e); // note-on with velocity 0 is a note-off
    EXPECT_EQ(e.type, Event::kNoteOffEvent);
    EXPECT_EQ(e.noteOff.channel, 3);
    events.getEvent(2, e);
    EXPECT_EQ(e.type, Event::kNoteOnEvent);
    EXPECT_EQ(e.sampleOffset, 9);
    EXPECT_EQ(e.noteOn.channel, 1);
    EXPECT_FLOAT_EQ(e.noteOn.velocity, 1.0f);
    events.getEvent(3, e); // stamped past the block: its last frame
    EXPECT_EQ(e.type, Event::kPolyPressureEvent);
    EXPECT_EQ(e.sampleOffset, 31);
}

TEST(Vst2MidiInput, ControllersBecomeMappedParameterChanges)
{
    TestMapping mapping;
    Vst2MidiInput input;
    input.mapControllers(&mapping);
    EXPECT_EQ(input.parameterFor(5, 7), 100u);
    EXPECT_EQ(input.parameterFor(5, 8), kNoParamId);
    EXPECT_EQ(input.parameterFor(16, 7), kNoParamId);

    HostEvents host;
    host.events = {midi(3, 0xB0, 7, 127), midi(20, 0xE0, 0x00, 0x40), midi(21, 0xB0, 8, 1)};
    input.receive(host.list());
    EventList events(16);
    Vst2BlockChanges changes;
    changes.prepare(4);

    input.deliver(0, 16, false, events, changes); // the first part of a split host block
    int32 offset = -1;
    EXPECT_DOUBLE_EQ(lastPoint(changes, 100, &offset), 1.0);
    EXPECT_EQ(offset, 3);
    EXPECT_EQ(lastPoint(changes, 101), -1); // not in this part

    changes.clear();
    input.deliver(16, 16, true, events, changes);
    EXPECT_NEAR(lastPoint(changes, 101, &offset), 8192.0 / 16383.0, 1e-12);
    EXPECT_EQ(offset, 4);
    EXPECT_EQ(events.getEventCount(), 0);
}

TEST(Vst2BlockChanges, FullQueuesKeepTheNewestValueWithoutGrowing)
{
    Vst2BlockChanges changes;
    changes.prepare(2);
    for (int32 i = 0; i < Vst2BlockChanges::kPointsPerQueue + 10; ++i)
        EXPECT_TRUE(changes.addPoint(7, i, i / 100.0));
    IParamValueQueue* queue = changes.get().getParameterData(0);
    ASSERT_NE(queue, nullptr);
    EXPECT_EQ(queue->getPointCount(), Vst2BlockChanges::kPointsPerQueue);
    int32 offset = 0;
    EXPECT_DOUBLE_EQ(lastPoint(changes, 7, &offset),
                     (Vst2BlockChanges::kPointsPerQueue + 9) / 100.0);

    EXPECT_TRUE(changes.addPoint(8, 0, 0.5));
    EXPECT_FALSE(changes.addPoint(9, 0, 0.5)); // a third parameter has no room
    changes.clear();
    EXPECT_EQ(changes.get().getParameterCount(), 0);
}

TEST(Vst2ParameterMirror, PendingValuesGoOnceToEachSide)
{
    Vst2ParameterMirror mirror;
    mirror.resize(3);
    mirror.setFromHost(1, 0.25f);
    mirror.setFromHost(2, NAN);
    mirror.setFromHost(5, 0.5f); // out of range: ignored
    mirror.setFromProcessor(0, 2.0f);

    std::vector<std::pair<int32, float>> toProcessor, toController;
    mirror.takeForProcessor([&](int32 i, float v) { toProcessor.emplace_back(i, v); });
    mirror.takeForController([&](int32 i, float v) { toController.emplace_back(i, v); });
    EXPECT_EQ(toProcessor, (std::vector<std::pair<int32, float>>{{1, 0.25f}, {2, 0.0f}}));
    EXPECT_EQ(toController,
              (std::vector<std::pair<int32, float>>{{0, 1.0f}, {1, 0.25f}, {2, 0.0f}}));

    toProcessor.clear();
    mirror.takeForProcessor([&](int32 i, float v) { toProcessor.emplace_back(i, v); });
    EXPECT_TRUE(toProcessor.empty());

    mirror.setFromHost(0, 0.75f);
    mirror.dropPending();
    EXPECT_FALSE(mirror.pendingForProcessor());
    EXPECT_EQ(mirror.value(0), 0.75f);
}

namespace
{
// The entry's steps with counting stand-ins for the module: which ones ran, and in what order.
struct EntryLog
{
    std::vector<std::string> steps;
    bool initialises = true;
};
EntryLog g_entryLog;

bool countingInit()
{
    g_entryLog.steps.push_back("init");
    return g_entryLog.initialises;
}
IPluginFactory* countingFactory()
{
    g_entryLog.steps.push_back("factory");
    return nullptr; // no module behind it: the entry must give up cleanly
}
intptr_t answersVersion(vst_effect*, int32_t opcode, int32_t, intptr_t, void*, float)
{
    g_entryLog.steps.push_back("version " + std::to_string(opcode));
    return 2400;
}
intptr_t answersZero(vst_effect*, int32_t opcode, int32_t, intptr_t, void*, float)
{
    g_entryLog.steps.push_back("version " + std::to_string(opcode));
    return 0;
}
const Vst2EntryFacts kCountingFacts{&countingInit, &countingFactory, "0123456789abcdef", 1};
} // namespace

TEST(Vst2EntrySteps, AHostOfVersionZeroGetsNothingAndNothingIsInitialised)
{
    g_entryLog = {};
    EXPECT_EQ(vst2PluginMain(&answersZero, kCountingFacts), nullptr);
    EXPECT_EQ(g_entryLog.steps, std::vector<std::string>{"version 1"});
}

TEST(Vst2EntrySteps, VersionThenInitialisationThenTheFactory)
{
    g_entryLog = {};
    EXPECT_EQ(vst2PluginMain(&answersVersion, kCountingFacts), nullptr);
    EXPECT_EQ(g_entryLog.steps, (std::vector<std::string>{"version 1", "init", "factory"}));

    g_entryLog = {};
    g_entryLog.initialises = false; // a module that cannot start is never asked for its factory
    EXPECT_EQ(vst2PluginMain(&answersVersion, kCountingFacts), nullptr);
    EXPECT_EQ(g_entryLog.steps, (std::vector<std::string>{"version 1", "init"}));
}
