// The plug-in's one VST3 component: processor and edit controller at once, owning one effect.
#pragma once

// Must come first: it renames the edit controller's state pair (see there).
#include "public.sdk/source/vst/vstsinglecomponenteffect.h"

#include "core/CPlugIn.h"
#include "vst3/EffectHandOver.h"
#include "vst3/ParameterIds.h"
#include "vstgui/plugin-bindings/VST3EditorDelegate.h"

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "pluginterfaces/vst/ivstunits.h"

#include <map>
#include <memory>
#include <vector>

namespace Steinberg::Vst::Veru2ZOR3
{

class CVSTMidiEventList;
class CVSTParamUpdateQueue;

class Processor : public SingleComponentEffect,
                  public IMidiMapping,
                  public IUnitInfo,
                  public VSTGUI::VST3EditorDelegate
{
  public:
    // Makes the effect the processor owns; the default one makes the room effect.
    using EffectFactory = CPlugIn* (*)();

    Processor();
    explicit Processor(EffectFactory effectFactory);
    ~Processor() override;

    // The class id hosts store in their projects; it never changes.
    static const FUID cid;
    // The factory's create function: a new processor around the room effect.
    static FUnknown* createInstance(void* context);

    //---IPluginBase
    tresult PLUGIN_API initialize(FUnknown* context) SMTG_OVERRIDE;
    tresult PLUGIN_API terminate() SMTG_OVERRIDE;

    //---IComponent
    tresult PLUGIN_API setActive(TBool state) SMTG_OVERRIDE;
    tresult PLUGIN_API setState(IBStream* stream) SMTG_OVERRIDE;
    tresult PLUGIN_API getState(IBStream* stream) SMTG_OVERRIDE;

    //---IAudioProcessor
    tresult PLUGIN_API setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                          SpeakerArrangement* outputs, int32 numOuts) SMTG_OVERRIDE;
    uint32 PLUGIN_API getLatencySamples() SMTG_OVERRIDE;
    tresult PLUGIN_API setupProcessing(ProcessSetup& setup) SMTG_OVERRIDE;
    tresult PLUGIN_API setProcessing(TBool state) SMTG_OVERRIDE;
    tresult PLUGIN_API process(ProcessData& data) SMTG_OVERRIDE;
    uint32 PLUGIN_API getTailSamples() SMTG_OVERRIDE;

    //---IEditController
    tresult PLUGIN_API setComponentState(IBStream* stream) SMTG_OVERRIDE;
    ParamValue PLUGIN_API normalizedParamToPlain(ParamID id, ParamValue normalized) SMTG_OVERRIDE;
    ParamValue PLUGIN_API plainParamToNormalized(ParamID id, ParamValue plain) SMTG_OVERRIDE;
    tresult PLUGIN_API setParamNormalized(ParamID id, ParamValue value) SMTG_OVERRIDE;
    IPlugView* PLUGIN_API createView(FIDString name) SMTG_OVERRIDE;

    //---IMidiMapping
    tresult PLUGIN_API getMidiControllerAssignment(int32 busIndex, int16 channel,
                                                   CtrlNumber controller,
                                                   ParamID& id) SMTG_OVERRIDE;

    //---IUnitInfo
    int32 PLUGIN_API getUnitCount() SMTG_OVERRIDE;
    tresult PLUGIN_API getUnitInfo(int32 unitIndex, UnitInfo& info) SMTG_OVERRIDE;
    int32 PLUGIN_API getProgramListCount() SMTG_OVERRIDE;
    tresult PLUGIN_API getProgramListInfo(int32 listIndex, ProgramListInfo& info) SMTG_OVERRIDE;
    tresult PLUGIN_API getProgramName(ProgramListID listId, int32 programIndex,
                                      String128 name) SMTG_OVERRIDE;
    tresult PLUGIN_API getProgramInfo(ProgramListID listId, int32 programIndex, CString attributeId,
                                      String128 value) SMTG_OVERRIDE;
    tresult PLUGIN_API hasProgramPitchNames(ProgramListID listId, int32 programIndex) SMTG_OVERRIDE;
    tresult PLUGIN_API getProgramPitchName(ProgramListID listId, int32 programIndex,
                                           int16 midiPitch, String128 name) SMTG_OVERRIDE;
    UnitID PLUGIN_API getSelectedUnit() SMTG_OVERRIDE { return m_nSelectedUnit; }
    tresult PLUGIN_API selectUnit(UnitID unitId) SMTG_OVERRIDE;
    tresult PLUGIN_API getUnitByBus(MediaType type, BusDirection dir, int32 busIndex, int32 channel,
                                    UnitID& unitId) SMTG_OVERRIDE;
    tresult PLUGIN_API setUnitProgramData(int32 listOrUnitId, int32 programIndex,
                                          IBStream* data) SMTG_OVERRIDE;
    // As the SDK's extended edit controller offers them.
    tresult setProgramName(ProgramListID listId, int32 programIndex, const String128 name);
    tresult notifyUnitSelection();

    //---ComponentBase: the editor's timer pings and view recreations (ProcessorEditor.cpp)
    tresult receiveText(const char8* text) SMTG_OVERRIDE;

    //---VST3EditorDelegate: the framework's custom views and pad sub-controllers
    // (ProcessorCustomViews.cpp)
    VSTGUI::CView* createCustomView(VSTGUI::UTF8StringPtr name,
                                    const VSTGUI::UIAttributes& attributes,
                                    const VSTGUI::IUIDescription* description,
                                    VSTGUI::VST3Editor* editor) override;
    VSTGUI::IController* createSubController(VSTGUI::UTF8StringPtr name,
                                             const VSTGUI::IUIDescription* description,
                                             VSTGUI::VST3Editor* editor) override;
    //---VST3EditorDelegate: the editor's open and close notices (ProcessorEditor.cpp)
    void didOpen(VSTGUI::VST3Editor* editor) override;
    void willClose(VSTGUI::VST3Editor* editor) override;

    //---FObject: a program list reports a change
    void PLUGIN_API update(FUnknown* changed, int32 message) SMTG_OVERRIDE;

    OBJ_METHODS(Processor, SingleComponentEffect)
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) SMTG_OVERRIDE;
    REFCOUNT_METHODS(SingleComponentEffect)

  private:
    void createEffect();
    void sendEditorMessage(uint32 code, int32 index = 0, double value = 0.0);
    // Resets the processor's own editor record for a code and sends it (ProcessorEditor.cpp).
    void sendResetEditorMessage(uint32 code);
    void setEffectRate(SampleRate rate);
    ControlRecord* controlAt(uint32 position) const;

    // Set-up (ProcessorParameters.cpp, ProcessorUnits.cpp).
    void handOverEventList();
    void registerControlParameters();
    void registerControlParameter(uint32 position, const ControlRecord& record);
    void registerExtraParameters();
    void addUnitsAndPresets();
    Parameter* presetParameter() const;

    // Program change and the effect's linked controls (ProcessorPresets.cpp).
    void applyFactoryPreset(ParamValue value);
    // Tells the host that the parameter values changed, on the next editor timer tick: never
    // from inside the host's own call (ProcessorPresets.cpp).
    void requestParameterRefresh();
    void deliverParameterRefresh();
    void refreshLinkedControls();
    void applyLinkedUpdate(const LinkedUpdate& update);
    tresult setHostValue(ParamID id, ParamValue normalized);

    // The process call (ProcessorProcess.cpp).
    tresult processBlock(ProcessData& data);
    void applyParameterChanges(ProcessData& data);
    void detachAutomationQueues(int32 numSamples);
    void applyControlChange(uint32 position, ParamValue value, IParamValueQueue& queue,
                            int32 pointCount, int32 numSamples);
    void applyExtraParameter(ParamID id, ParamValue value);
    void processBypassed(ProcessData& data, int32 channels);
    void processChannelBuffers(ProcessData& data, int32 channels);
    void processFrames(ProcessData& data, int32 channels, TimingBlock& timing,
                       ::HostMessage& transport, double secondsPerSample);
    void reportMeters(ProcessData& data, bool asZero);
    void reportHandedOverParameters(ProcessData& data);

    int32 m_nLatencySamples = 0;
    std::unique_ptr<CPlugIn> m_pPlugIn;
    bool m_bBypass = false;
    std::vector<int32> m_MeterIndexes;
    bool m_bEnableSidechain = false;
    std::vector<std::unique_ptr<CVSTParamUpdateQueue>> m_ppParamUpdateQueues;
    int32 m_nSampleAccuracy = 1;
    bool m_bSampleAccurate = false;
    std::unique_ptr<CVSTMidiEventList> m_pMidiEventList;
    std::vector<IPtr<Unit>> m_Units;
    std::map<ProgramListID, IPtr<ProgramList>> m_ProgramLists;
    int32 m_nSelectedUnit = kRootUnitId;
    EditorMessage m_EditorMessage;
    // The UI thread's writes to the effect on their way to the audio thread.
    EffectHandOver m_handOver;
    // Editors open now, whose timer ticks can carry a deferred parameter refresh.
    int32 m_nOpenEditors = 0;
    bool m_bRefreshPending = false;

    EffectFactory m_createEffect;
};

} // namespace Steinberg::Vst::Veru2ZOR3
