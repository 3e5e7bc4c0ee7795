// A VST3 plug-in class seen by a VST2 host. The adapter owns one component created from the
// module's factory, drives it through IComponent, IAudioProcessor and IEditController, and
// answers the VST2 host through the effect record it fills: dispatcher opcodes, replacing and
// accumulating process calls, parameter get/set. The host's parameter values, MIDI messages and
// transport reach the processor as the parameter changes, events and process context of each
// block; everything the audio thread needs is made ready when processing resumes.
#pragma once

#include "Vst2Abi.h"
#include "Vst2BlockChanges.h"
#include "Vst2ClassFacts.h"
#include "Vst2ComponentHandler.h"
#include "Vst2Editor.h"
#include "Vst2HostContext.h"
#include "Vst2MidiInput.h"
#include "Vst2ParameterMap.h"
#include "Vst2ParameterMirror.h"

#include "base/source/fobject.h"
#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivsthostapplication.h"
#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include "public.sdk/source/vst/hosting/eventlist.h"
#include "public.sdk/source/vst/hosting/processdata.h"

#include <atomic>
#include <memory>
#include <vector>

namespace Steinberg
{
namespace Vst
{

class Vst2Adapter
{
  public:
    // Creates and initialises an instance of the class, fills the effect record; null when the
    // factory has no such class or the class is not a single-component audio effect.
    static Vst2Adapter* create(IPluginFactory& factory, const TUID classId, int32 uniqueId,
                               Vst2Abi::HostCallback host);
    ~Vst2Adapter();
    Vst2Adapter(const Vst2Adapter&) = delete;
    Vst2Adapter& operator=(const Vst2Adapter&) = delete;

    vst_effect* effect() { return &record; }

    // ---- effect record entry points (the record's trampolines land here)
    intptr_t dispatch(int32 opcode, int32 index, intptr_t value, void* ptr, float opt);
    void process(const float* const* inputs, float** outputs, int32 frames, bool accumulate);
    void setParameter(int32 hostIndex, float value);
    float getParameter(int32 hostIndex) const;

    // ---- from the plug-in's component handler
    void editorBeginsEdit(ParamID id);
    void editorPerformsEdit(ParamID id, ParamValue value);
    void editorEndsEdit(ParamID id);
    void restartRequested(int32 flags);

  private:
    static constexpr int32 kChannels = 2;

    explicit Vst2Adapter(Vst2Abi::HostCallback host);
    bool open(IPluginFactory& factory, const TUID classId);
    void fillRecord(int32 uniqueId);
    intptr_t callHost(int32 opcode, int32 index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0.0f);

    // lifecycle (Vst2Adapter.cpp)
    void setSampleRate(float rate);
    void setBlockSize(intptr_t frames);
    void resume();
    void suspend();
    bool setUpProcessing();
    bool activate();
    void deactivate();

    // audio (Vst2AdapterProcess.cpp)
    void renderPart(const float* const* inputs, float** outputs, int32 start, int32 length,
                    bool lastPart, bool accumulate);
    void bindBuffers(const float* const* inputs, float** outputs, int32 start, int32 length,
                     bool accumulate);
    void fillContext(int32 start);
    void learnProcessedValues();
    void flushPendingToProcessor();

    // parameters, programs and state (Vst2AdapterState.cpp)
    void syncController();
    void refreshFromController();
    intptr_t getChunk(void** data);
    intptr_t setChunk(const void* data, intptr_t size);
    intptr_t setProgram(intptr_t program);
    intptr_t programName(int32 program, char* text) const;
    intptr_t stringToParameter(int32 hostIndex, const char* text);

    // opcodes answered from what the adapter knows (Vst2AdapterInfo.cpp)
    intptr_t parameterText(int32 opcode, int32 hostIndex, char* text) const;
    intptr_t parameterProperties(int32 hostIndex, Vst2Abi::ParameterProperties* properties) const;
    intptr_t pinProperties(BusDirection dir, int32 pin, Vst2Abi::PinProperties* properties) const;
    intptr_t canDo(const char* feature) const;
    intptr_t tailSize() const;
    intptr_t editorRect(vst_rect** rect);
    intptr_t acceptsArrangement(const void* inputs, const void* outputs) const;
    bool hasEventInput() const;

    // Lets a process call that is still running finish before the processor stops.
    void waitForProcessCall() const;

    vst_effect record{};
    Vst2Abi::HostCallback host;
    Vst2ClassFacts facts;

    // The SDK's host application counts no references: it lives exactly as long as the adapter.
    Vst2HostContext hostContext;
    IPtr<IComponent> component;
    IPtr<IAudioProcessor> processor;
    IPtr<IEditController> controller;
    Vst2ComponentHandler handler{*this};
    std::unique_ptr<Vst2Editor> editor; // none when the class has no editor

    Vst2ParameterMap parameters;
    Vst2ParameterMirror mirror;
    Vst2MidiInput midi;
    Vst2BlockChanges inputChanges;
    Vst2BlockChanges outputChanges;
    IPtr<EventList> events;
    HostProcessData processData;
    ProcessContext context{};

    double sampleRate = 44100.0;
    int32 maxBlock = 1024;
    int64 framePosition = 0;
    bool active = false;
    std::atomic<bool> resumed{false};
    std::atomic<bool> inProcess{false};
    std::vector<float> scratch; // kChannels inputs, then kChannels outputs, maxBlock each
    std::vector<char> chunk;
    int32 currentProgram = 0;
};

} // namespace Vst
} // namespace Steinberg
