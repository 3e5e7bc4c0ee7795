// The model's lifecycle and its edit-controller operations: registering the parameters, units
// and program list, and the host's parameter writes.
#include "vst3/ProcessorModel.h"

#include <cmath>

namespace Steinberg::Vst::Veru2ZOR3
{

ProcessorModel::ProcessorModel(EffectFactory effectFactory) : ProcessorAudio(effectFactory) {}

ProcessorModel::~ProcessorModel() = default;

tresult PLUGIN_API ProcessorModel::queryInterface(const TUID iid, void** obj)
{
    QUERY_INTERFACE(iid, obj, IMidiMapping::iid, IMidiMapping)
    QUERY_INTERFACE(iid, obj, IUnitInfo::iid, IUnitInfo)
    return SingleComponentEffect::queryInterface(iid, obj);
}

tresult PLUGIN_API ProcessorModel::initialize(FUnknown* context)
{
    const tresult result = ProcessorAudio::initialize(context);
    if (result == kResultOk)
    {
        registerControlParameters();
        registerExtraParameters();
    }
    // The units are there even when the base refused the context.
    addUnitsAndPresets();
    return result;
}

tresult PLUGIN_API ProcessorModel::terminate()
{
    m_units.clear();
    m_programLists.clear();
    return ProcessorAudio::terminate();
}

// ---- edit controller -----------------------------------------------------------------------

ParamValue PLUGIN_API ProcessorModel::normalizedParamToPlain(ParamID id, ParamValue normalized)
{
    return EditController::normalizedParamToPlain(id, normalized);
}

ParamValue PLUGIN_API ProcessorModel::plainParamToNormalized(ParamID id, ParamValue plain)
{
    return EditController::plainParamToNormalized(id, plain);
}

tresult PLUGIN_API ProcessorModel::setParamNormalized(ParamID id, ParamValue value)
{
    // A NaN would be stored as it is and later index the program list.
    if (std::isnan(value)) return kInvalidArgument;
    const tresult result = EditController::setParamNormalized(id, value);
    m_handOver.sendEditorMessage(EditorMessage::kParameterValue, static_cast<int32>(id), value);
    if (result == kResultOk && id == ParameterIds::kFactoryPresets) applyFactoryPreset(value);
    return result;
}

} // namespace Steinberg::Vst::Veru2ZOR3
