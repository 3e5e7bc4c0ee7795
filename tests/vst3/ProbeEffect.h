// A test effect that stands in for the room effect in the binding's tests. It has controls of
// every kind the binding maps, and it reports what reached it through its meters (which a
// host reads as output parameter changes) and through its audio output.
#pragma once

#include "core/CPlugIn.h"

#include <cstdint>

class ProbeEffect : public CPlugIn
{
  public:
    // Control positions (= host parameter ids).
    enum Position : uint32_t
    {
        kLevel = 0, // float 0..1: output = input x level
        kSteps,     // int 0..4
        kSwitch,    // enumerated "SWITCH_OFF,SWITCH_ON"
        kFine,      // double -1..1
        kCutoff,    // float 20..20000, volt/octave
        kDrive,     // float 0..10, logarithmic
        kHidden,    // a control type the binding does not publish
        kLearn,     // answers MIDI controller 20
        kLearnToo,  // answers controller 20 as well: the last one wins
        kMode,      // enumerated "Audio,Calls": what the output carries
        kMeterCalls,
        kMeterOp,
        kMeterArg1,
        kMeterArg2,
        kMeterArg3,
        kMeterArg4,
        kMeterRate,
        kMeterTempo,
        kMeterPrepares,
        kControlCount
    };

    // What kMeterOp reports: the last operation the binding called.
    enum Op
    {
        kNone = 0,
        kNoteOn,
        kNoteOff,
        kModWheel,
        kPitchBend,
        kClock,
        kMessage,
        kButton,
        kEditor,
        kAuxInput
    };

    // How the instance is built: an ordinary effect, the same with a level that glides to each
    // new value, or an instrument that processes whole buffers, pulls its events and
    // automation, and has no presets.
    enum class Flavour
    {
        Effect,
        Gliding,
        Instrument
    };

    explicit ProbeEffect(Flavour flavour);

    bool buildControls() override;
    bool prepare() override;
    bool processFrame(const float* in, float* out, unsigned numIn, unsigned numOut) override;
    bool processChannelBuffers(float** in, float** out, unsigned numChannels,
                               unsigned frames) override;
    bool controlChanged(uint32_t controlId) override;
    bool midiNoteOn(int channel, int note, int velocity) override;
    bool midiNoteOff(int channel, int note, int velocity, bool allNotesOff) override;
    bool midiModWheel(int channel, int value) override;
    bool midiPitchBend(int channel, int bend, float bendNormalized) override;
    bool midiClock() override;
    bool midiMessage(int channel, int status, int data1, int data2) override;
    void hostMessage(int code, HostMessage* message) override;
    uint32_t editorMessage(EditorMessage* message) override;

    float m_fLevel = 1.0f;
    int32_t m_nSteps = 2;
    uint32_t m_uSwitch = 0;
    double m_dFine = 0.25;
    float m_fCutoff = 632.0f;
    float m_fDrive = 1.0f;
    float m_fHidden = 0.0f;
    float m_fLearn = 0.0f;
    float m_fLearnToo = 0.0f;
    uint32_t m_uMode = 0;

  private:
    void record(Op op, float arg1 = 0, float arg2 = 0, float arg3 = 0, float arg4 = 0);
    void appendControls();
    void appendMeters();

    Flavour m_flavour;
    IMidiEventList* m_pEvents = nullptr;
    float m_fCalls = 0.0f;
    float m_fOp = 0.0f;
    float m_fArg[4] = {};
    float m_fRate = 0.0f;
    float m_fTempo = 0.0f;
    float m_fPrepares = 0.0f;
    float m_fAutomation = 0.0f;
};
