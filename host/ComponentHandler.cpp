#include "host/ComponentHandler.h"

using namespace Steinberg;

namespace vevadur::host
{

tresult PLUGIN_API ComponentHandler::beginEdit(Vst::ParamID)
{
    return kResultOk;
}

tresult PLUGIN_API ComponentHandler::performEdit(Vst::ParamID id, Vst::ParamValue value)
{
    m_edits.push_back({id, value});
    return kResultOk;
}

tresult PLUGIN_API ComponentHandler::endEdit(Vst::ParamID)
{
    return kResultOk;
}

tresult PLUGIN_API ComponentHandler::restartComponent(int32 flags)
{
    m_restartFlags |= flags;
    ++m_restartCount;
    return kResultOk;
}

tresult PLUGIN_API ComponentHandler::notifyUnitSelection(Vst::UnitID unitId)
{
    m_selectedUnit = unitId;
    return kResultOk;
}

tresult PLUGIN_API ComponentHandler::notifyProgramListChange(Vst::ProgramListID, int32)
{
    return kResultOk;
}

tresult PLUGIN_API ComponentHandler::queryInterface(const TUID iid, void** obj)
{
    QUERY_INTERFACE(iid, obj, FUnknown::iid, Vst::IComponentHandler)
    QUERY_INTERFACE(iid, obj, Vst::IComponentHandler::iid, Vst::IComponentHandler)
    QUERY_INTERFACE(iid, obj, Vst::IUnitHandler::iid, Vst::IUnitHandler)
    *obj = nullptr;
    return kNoInterface;
}

void ComponentHandler::clear()
{
    m_edits.clear();
    m_restartFlags = 0;
    m_restartCount = 0;
}

} // namespace vevadur::host
