// Processor and edit controller in one object, for plug-ins that need no separate controller.
//
// IComponent and IEditController both declare setState and getState with the same signature.
// As in the SDK, the edit controller's pair is renamed while its interface is declared, so the
// component keeps setState/getState and the controller's pair is setEditorState/getEditorState.
// This header therefore has to come before any other inclusion of the edit-controller headers.
#pragma once

#define setState setEditorState
#define getState getEditorState
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "public.sdk/source/vst/vsteditcontroller.h"
#undef setState
#undef getState

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "public.sdk/source/vst/vstbus.h"

namespace Steinberg
{
namespace Vst
{

class SingleComponentEffect : public EditController,
                              public IComponent,
                              public IAudioProcessor,
                              public IProcessContextRequirements
{
  public:
    SingleComponentEffect();
    ~SingleComponentEffect() override;

    //---IPluginBase
    tresult PLUGIN_API initialize(FUnknown* context) SMTG_OVERRIDE;
    tresult PLUGIN_API terminate() SMTG_OVERRIDE;

    //---IComponent
    tresult PLUGIN_API getControllerClassId(TUID classId) SMTG_OVERRIDE;
    tresult PLUGIN_API setIoMode(IoMode mode) SMTG_OVERRIDE;
    int32 PLUGIN_API getBusCount(MediaType type, BusDirection dir) SMTG_OVERRIDE;
    tresult PLUGIN_API getBusInfo(MediaType type, BusDirection dir, int32 index,
                                  BusInfo& info) SMTG_OVERRIDE;
    tresult PLUGIN_API getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) SMTG_OVERRIDE;
    tresult PLUGIN_API activateBus(MediaType type, BusDirection dir, int32 index,
                                   TBool state) SMTG_OVERRIDE;
    tresult PLUGIN_API setActive(TBool state) SMTG_OVERRIDE;
    tresult PLUGIN_API setState(IBStream* state) SMTG_OVERRIDE;
    tresult PLUGIN_API getState(IBStream* state) SMTG_OVERRIDE;

    //---IEditController's own state (the component state is the whole state here)
    tresult PLUGIN_API setEditorState(IBStream* state) SMTG_OVERRIDE;
    tresult PLUGIN_API getEditorState(IBStream* state) SMTG_OVERRIDE;

    //---IEditController: never let a bad index or value reach the SDK's containers
    tresult PLUGIN_API getParameterInfo(int32 paramIndex, ParameterInfo& info) SMTG_OVERRIDE;
    tresult PLUGIN_API getParamStringByValue(ParamID tag, ParamValue valueNormalized,
                                             String128 string) SMTG_OVERRIDE;

    //---IAudioProcessor
    tresult PLUGIN_API setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                          SpeakerArrangement* outputs, int32 numOuts) SMTG_OVERRIDE;
    tresult PLUGIN_API getBusArrangement(BusDirection dir, int32 index,
                                         SpeakerArrangement& arr) SMTG_OVERRIDE;
    tresult PLUGIN_API canProcessSampleSize(int32 symbolicSampleSize) SMTG_OVERRIDE;
    uint32 PLUGIN_API getLatencySamples() SMTG_OVERRIDE { return 0; }
    tresult PLUGIN_API setupProcessing(ProcessSetup& setup) SMTG_OVERRIDE;
    tresult PLUGIN_API setProcessing(TBool state) SMTG_OVERRIDE;
    tresult PLUGIN_API process(ProcessData& data) SMTG_OVERRIDE;
    uint32 PLUGIN_API getTailSamples() SMTG_OVERRIDE { return kNoTail; }

    //---IProcessContextRequirements
    uint32 PLUGIN_API getProcessContextRequirements() SMTG_OVERRIDE
    {
        return processContextRequirements;
    }

    //---Bus set-up, for initialize
    AudioBus* addAudioInput(const TChar* name, SpeakerArrangement arr, BusType busType = kMain,
                            int32 flags = BusInfo::kDefaultActive);
    AudioBus* addAudioOutput(const TChar* name, SpeakerArrangement arr, BusType busType = kMain,
                             int32 flags = BusInfo::kDefaultActive);
    EventBus* addEventInput(const TChar* name, int32 channels = 16, BusType busType = kMain,
                            int32 flags = BusInfo::kDefaultActive);
    EventBus* addEventOutput(const TChar* name, int32 channels = 16, BusType busType = kMain,
                             int32 flags = BusInfo::kDefaultActive);
    tresult removeAudioBusses();
    tresult removeEventBusses();

    OBJ_METHODS(SingleComponentEffect, EditController)
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) SMTG_OVERRIDE;
    REFCOUNT_METHODS(EditController)

  protected:
    BusList* getBusList(MediaType type, BusDirection dir);
    Bus* getBus(MediaType type, BusDirection dir, int32 index);

    ProcessSetup processSetup;
    // IProcessContextRequirements flags of the process-context fields the plug-in reads.
    uint32 processContextRequirements = 0;

    BusList audioInputs;
    BusList audioOutputs;
    BusList eventInputs;
    BusList eventOutputs;
};

} // namespace Vst
} // namespace Steinberg
