#pragma once

#include "core/AuxInputInfo.h"
#include "core/ControlList.h"
#include "core/ControlRecord.h"
#include "core/ControlValueSlot.h"
#include "core/EditorMessage.h"
#include "core/HostMessage.h"
#include "core/LinkedUpdate.h"
#include "core/TimingBlock.h"
#include "core/VectorMix.h"

#include <cstdint>
#include <memory>

// The plug-in-independent base class of an audio effect. It owns the control list, writes
// control values into the derived effect's members, smooths them per frame, mixes the vector
// joystick and answers every operation with a harmless default. A host binding drives it.
class CPlugIn
{
  public:
    static constexpr int kPresetCount = 16;
    static constexpr int kButtonCount = 3;
    static constexpr int kNoteCount = 127;
    // The assignable buttons reach controlChanged with these control ids and the next two.
    static constexpr uint32_t kFirstButtonControlId = 50;

    CPlugIn();
    CPlugIn(const CPlugIn&) = delete;
    CPlugIn& operator=(const CPlugIn&) = delete;
    virtual ~CPlugIn();

    virtual bool prepare();
    virtual bool processFrame(const float* in, float* out, unsigned numIn, unsigned numOut);
    virtual bool controlChanged(uint32_t controlId);
    virtual bool postConstruct();
    virtual bool joystickChanged(float a, float b, float c, float d, float mixAC, float mixBD);
    virtual bool processBuffer(const float* in, float* out, unsigned numIn, unsigned numOut,
                               unsigned frames);
    virtual bool processChannelBuffers(float** in, float** out, unsigned numChannels,
                                       unsigned frames);
    virtual bool midiNoteOn(int channel, int note, int velocity);
    virtual bool midiNoteOff(int channel, int note, int velocity, bool allNotesOff);
    virtual bool midiModWheel(int channel, int value);
    virtual bool midiPitchBend(int channel, int bend, float bendNormalized);
    virtual bool midiClock();
    virtual bool midiMessage(int channel, int status, int data1, int data2);
    virtual bool buildControls();
    virtual void hostMessage(int code, HostMessage* message);
    virtual bool collectLinkedUpdates(uint32_t controlId, float value, LinkedUpdate** updates,
                                      bool loading);
    virtual bool freeLinkedUpdates(LinkedUpdate* updates);
    virtual uint32_t editorMessage(EditorMessage* message);
    virtual bool sidechainInput(AuxInputInfo* info);
    virtual bool reservedHook();
    // A run of frames between two points where the host changes something (events, parameter
    // points): in[c][i] and out[c][i] for channels c below numIn / numOut and frames i below
    // frames. The default hands processFrame one frame at a time; an effect that works on whole
    // runs overrides it, gives the same output, and says so with processesRuns.
    virtual bool processRun(const float* const* in, float* const* out, unsigned numIn,
                            unsigned numOut, unsigned frames);
    // True: the host may hand this effect runs; it then tells the transport (hostMessage code 2)
    // once per run instead of once per frame. False (the default): frame by frame.
    virtual bool processesRuns() const;

    // The control's variable as float; 0 when there is no such control or it has no variable.
    float getControlValue(uint32_t index) const;
    void getJoystickPosition(float& x, float& y) const;
    void setNormalizedValue(uint32_t index, float normalized, bool immediate);
    void setNormalizedValue(ControlRecord* record, float normalized, bool immediate);
    void setPlainValue(uint32_t index, float value);
    void setPlainValue(ControlRecord* record, float value);
    void setJoystickX(float x, bool rotate);
    void setJoystickY(float y, bool rotate);
    // What getControlValue reports once setPlainValue (rounding false) or setNormalizedValue
    // (rounding true) has settled on value, given in the control's own units; 0 for a control
    // without a variable. Reads only the record's fixed description.
    float valueAsStored(uint32_t index, float value, bool rounding) const;
    void smoothControls();
    // True when any control (or the joystick) smooths, so values move frame by frame. A control's
    // smooth flag is part of its definition: it is read when the controls are built and again
    // when prepare readies the smoothers, not by every block (a silent block would otherwise
    // fetch every record from memory just to ask).
    bool smoothingActive() const { return m_smoothing; }
    VectorMix computeVectorMix(double x, double y, bool rotate) const;

    // The control at a position of the exchange arrays, or null.
    ControlRecord* control(uint32_t index) const;

    bool m_bInstrument = false;
    bool m_bAllMidi = false;
    bool m_bChannelBuffers = false;
    int32_t m_nRateHz = 44100;
    const char* m_pPresetName[kPresetCount] = {};
    const char* m_pEffectName = "Name Not Set.";
    bool m_bEditorMessages = false;
    int32_t m_nKnobMode = 0;
    int32_t m_nSidechain = 0;
    int32_t m_nAutomationQueues = 0;
    int32_t m_nQueueSetting = 0;
    int32_t m_nInfiniteTail = 0;
    float m_fLatencySamples = 0.0f;
    float m_fTailMs = 0.0f;
    const char* m_pButtonLabel[kButtonCount] = {"B1", "B2", "B3"};
    float m_fNoteFrequency[kNoteCount] = {};
    ControlRecord m_JoystickX;
    ControlRecord m_JoystickY;
    TimingBlock m_TimingBlock;
    std::unique_ptr<ControlRecord*[]> m_ppControls;
    uint32_t m_uControlCount = 0;
    std::unique_ptr<ControlValueSlot[]> m_pValueSlots;
    ControlList m_Controls;

  protected:
    // The tail of every buildControls: rebuilds the pointer and exchange arrays from the list.
    void buildExchangeArrays();
    // Gives the two joystick records their base identity (names and MIDI controllers 16, 17).
    void initJoystickRecords();

  private:
    void writeValue(ControlRecord* record, float value, bool roundInt, bool smoothable);
    void prepareSmoother(ControlRecord& record, float value);
    void notifyJoystick(bool rotate);
    void stepJoystickAxis(ControlRecord& axis);
    bool anyControlSmooths() const;
    void applyJoystickSlots(const ControlValueSlot& sx, const ControlValueSlot& sy, bool immediate);

    bool m_smoothing = false;
};
