// The parameter, program and state model of the plug-in's one VST3 component: the host
// parameters of the effect's controls and the fixed extras, the units and the factory program,
// the state stream, and the MIDI-controller mapping. Its writes to the effect go through the
// hand-over of the audio side.
//
// Threads: every operation here is called by the host's UI thread.
#pragma once

#include "vst3/ProcessorAudio.h"

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstunits.h"

#include <map>

namespace Steinberg::Vst::Veru2ZOR3
{

class ProcessorModel : public ProcessorAudio, public IMidiMapping, public IUnitInfo
{
  public:
    explicit ProcessorModel(EffectFactory effectFactory);
    ~ProcessorModel() override;

    //---IPluginBase: parameters, units and the program list
    tresult PLUGIN_API initialize(FUnknown* context) SMTG_OVERRIDE;
    tresult PLUGIN_API terminate() SMTG_OVERRIDE;

    //---IComponent (ProcessorState.cpp)
    tresult PLUGIN_API setState(IBStream* stream) SMTG_OVERRIDE;
    tresult PLUGIN_API getState(IBStream* stream) SMTG_OVERRIDE;

    //---IEditController
    tresult PLUGIN_API setComponentState(IBStream* stream) SMTG_OVERRIDE;
    ParamValue PLUGIN_API normalizedParamToPlain(ParamID id, ParamValue normalized) SMTG_OVERRIDE;
    ParamValue PLUGIN_API plainParamToNormalized(ParamID id, ParamValue plain) SMTG_OVERRIDE;
    tresult PLUGIN_API setParamNormalized(ParamID id, ParamValue value) SMTG_OVERRIDE;

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
    UnitID PLUGIN_API getSelectedUnit() SMTG_OVERRIDE { return m_selectedUnit; }
    tresult PLUGIN_API selectUnit(UnitID unitId) SMTG_OVERRIDE;
    tresult PLUGIN_API getUnitByBus(MediaType type, BusDirection dir, int32 busIndex, int32 channel,
                                    UnitID& unitId) SMTG_OVERRIDE;
    tresult PLUGIN_API setUnitProgramData(int32 listOrUnitId, int32 programIndex,
                                          IBStream* data) SMTG_OVERRIDE;
    // As the SDK's extended edit controller offers them.
    tresult setProgramName(ProgramListID listId, int32 programIndex, const String128 name);
    tresult notifyUnitSelection();

    //---FObject: a program list reports a change
    void PLUGIN_API update(FUnknown* changed, int32 message) SMTG_OVERRIDE;

    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) SMTG_OVERRIDE;
    REFCOUNT_METHODS(SingleComponentEffect)

  protected:
    // A program's new values reach the host on the next editor timer tick, never from inside
    // the host's own call (ProcessorPresets.cpp); the editor delegate counts open editors.
    void deliverParameterRefresh();
    int32 m_openEditors = 0;
    bool m_refreshPending = false;

  private:
    // Set-up (ProcessorParameters.cpp, ProcessorUnits.cpp).
    void registerControlParameters();
    void registerControlParameter(uint32 position, const ControlRecord& record);
    void registerExtraParameters();
    void addUnitsAndPresets();
    Parameter* presetParameter() const;

    // Program change and the effect's linked controls (ProcessorPresets.cpp).
    void applyFactoryPreset(ParamValue value);
    void requestParameterRefresh();
    void refreshLinkedControls();
    void applyLinkedUpdate(const LinkedUpdate& update);
    tresult setHostValue(ParamID id, ParamValue normalized);

    std::vector<IPtr<Unit>> m_units;
    std::map<ProgramListID, IPtr<ProgramList>> m_programLists;
    int32 m_selectedUnit = kRootUnitId;
};

} // namespace Steinberg::Vst::Veru2ZOR3
