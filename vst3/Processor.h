// The plug-in's one VST3 component: processor and edit controller at once, owning one effect.
// Its roles are layered by thread: ProcessorAudio (the audio side), ProcessorModel
// (parameters, programs and state, UI thread) and ProcessorEditorDelegate (the editor, UI
// thread). This class only makes it.
#pragma once

#include "vst3/ProcessorEditorDelegate.h"

namespace Steinberg::Vst::Veru2ZOR3
{

class Processor : public ProcessorEditorDelegate
{
  public:
    Processor();
    explicit Processor(EffectFactory effectFactory);
    ~Processor() override;

    // The class id hosts store in their projects; it never changes.
    static const FUID cid;
    // The factory's create function: a new processor around the room effect.
    static FUnknown* createInstance(void* context);

    OBJ_METHODS(Processor, SingleComponentEffect)
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) SMTG_OVERRIDE
    {
        return ProcessorModel::queryInterface(iid, obj);
    }
    REFCOUNT_METHODS(SingleComponentEffect)
};

} // namespace Steinberg::Vst::Veru2ZOR3
