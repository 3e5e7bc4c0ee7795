// Units and the factory program list.
#include "vst3/ProcessorModel.h"

#include "vst3/ParameterText.h"

namespace Steinberg::Vst::Veru2ZOR3
{
namespace
{
// The root unit holds every parameter but the program change, which lives in the presets
// unit beneath it, together with the program list it selects from.
constexpr UnitID kPresetsUnitId = 1;

bool hasText(const char* text)
{
    return text && text[0] != 0;
}
} // namespace

void ProcessorModel::addUnitsAndPresets()
{
    m_units.clear();
    int32 presetCount = 0;
    if (m_plugIn)
    {
        for (const char* name : m_plugIn->m_pPresetName)
            presetCount += hasText(name) ? 1 : 0;
    }
    m_units.push_back(
        owned(new Unit(STR16("RootUnit"), kRootUnitId, kNoParentUnitId, kNoProgramListId)));
    if (presetCount == 0) return;
    m_units.push_back(owned(new Unit(STR16("PresetsUnit"), kPresetsUnitId, kRootUnitId,
                                     ParameterIds::kFactoryPresets)));
    auto* presets = new StringListParameter(
        STR16("Factory Presets"), ParameterIds::kFactoryPresets, STR16(""),
        ParameterInfo::kIsProgramChange | ParameterInfo::kIsList, kPresetsUnitId);
    for (const char* name : m_plugIn->m_pPresetName)
    {
        if (hasText(name)) presets->appendString(toString128(name));
    }
    parameters.addParameter(presets);
}

Parameter* ProcessorModel::presetParameter() const
{
    return parameters.getParameter(ParameterIds::kFactoryPresets);
}

// ---- IUnitInfo -----------------------------------------------------------------------------

int32 PLUGIN_API ProcessorModel::getUnitCount()
{
    return static_cast<int32>(m_units.size());
}

tresult PLUGIN_API ProcessorModel::getUnitInfo(int32 unitIndex, UnitInfo& info)
{
    if (unitIndex < 0 || unitIndex >= getUnitCount()) return kResultFalse;
    info = m_units[static_cast<size_t>(unitIndex)]->getInfo();
    return kResultOk;
}

int32 PLUGIN_API ProcessorModel::getProgramListCount()
{
    return presetParameter() ? 1 : 0;
}

tresult PLUGIN_API ProcessorModel::getProgramListInfo(int32 listIndex, ProgramListInfo& info)
{
    Parameter* presets = presetParameter();
    if (!presets || listIndex != 0) return kResultFalse;
    info.id = ParameterIds::kFactoryPresets;
    UString(info.name, str16BufferSize(String128)).assign(STR16("Presets"));
    info.programCount = static_cast<int32>(presets->toPlain(1.0)) + 1;
    return kResultOk;
}

tresult PLUGIN_API ProcessorModel::getProgramName(ProgramListID listId, int32 programIndex,
                                                  String128 name)
{
    Parameter* presets = presetParameter();
    if (listId != ParameterIds::kFactoryPresets || !presets) return kResultFalse;
    // Outside the list the parameter's mapping would fall back to its first or last entry.
    if (programIndex < 0 || programIndex > static_cast<int32>(presets->toPlain(1.0)))
        return kResultFalse;
    presets->toString(presets->toNormalized(programIndex), name);
    return kResultOk;
}

tresult PLUGIN_API ProcessorModel::getProgramInfo(ProgramListID listId, int32 programIndex,
                                                  CString attributeId, String128 value)
{
    auto it = m_programLists.find(listId);
    if (it == m_programLists.end()) return kResultFalse;
    return it->second->getProgramInfo(programIndex, attributeId, value);
}

tresult PLUGIN_API ProcessorModel::hasProgramPitchNames(ProgramListID listId, int32 programIndex)
{
    auto it = m_programLists.find(listId);
    if (it == m_programLists.end()) return kResultFalse;
    return it->second->hasPitchNames(programIndex);
}

tresult PLUGIN_API ProcessorModel::getProgramPitchName(ProgramListID listId, int32 programIndex,
                                                       int16 midiPitch, String128 name)
{
    auto it = m_programLists.find(listId);
    if (it == m_programLists.end()) return kResultFalse;
    return it->second->getPitchName(programIndex, midiPitch, name);
}

tresult PLUGIN_API ProcessorModel::selectUnit(UnitID unitId)
{
    m_selectedUnit = unitId;
    return kResultOk;
}

tresult PLUGIN_API ProcessorModel::getUnitByBus(MediaType, BusDirection, int32, int32, UnitID&)
{
    return kResultFalse;
}

tresult PLUGIN_API ProcessorModel::setUnitProgramData(int32, int32, IBStream*)
{
    return kResultFalse;
}

tresult ProcessorModel::setProgramName(ProgramListID listId, int32 programIndex,
                                       const String128 name)
{
    auto it = m_programLists.find(listId);
    if (it == m_programLists.end()) return kResultFalse;
    return it->second->setProgramName(programIndex, name);
}

tresult ProcessorModel::notifyUnitSelection()
{
    FUnknownPtr<IUnitHandler> unitHandler(componentHandler);
    if (!unitHandler) return kResultFalse;
    return unitHandler->notifyUnitSelection(m_selectedUnit);
}

void PLUGIN_API ProcessorModel::update(FUnknown* changed, int32 message)
{
    SingleComponentEffect::update(changed, message);
    auto* list = FCast<ProgramList>(changed);
    if (!list) return;
    FUnknownPtr<IUnitHandler> unitHandler(componentHandler);
    if (unitHandler) unitHandler->notifyProgramListChange(list->getID(), kAllProgramInvalid);
}

} // namespace Steinberg::Vst::Veru2ZOR3
