#include "Vst2ComponentHandler.h"

#include "Vst2Adapter.h"

namespace Steinberg
{
namespace Vst
{

tresult PLUGIN_API Vst2ComponentHandler::beginEdit(ParamID id)
{
    adapter.editorBeginsEdit(id);
    return kResultOk;
}

tresult PLUGIN_API Vst2ComponentHandler::performEdit(ParamID id, ParamValue valueNormalized)
{
    adapter.editorPerformsEdit(id, valueNormalized);
    return kResultOk;
}

tresult PLUGIN_API Vst2ComponentHandler::endEdit(ParamID id)
{
    adapter.editorEndsEdit(id);
    return kResultOk;
}

tresult PLUGIN_API Vst2ComponentHandler::restartComponent(int32 flags)
{
    adapter.restartRequested(flags);
    return kResultOk;
}

tresult PLUGIN_API Vst2ComponentHandler::queryInterface(const TUID iid, void** obj)
{
    if (!obj) return kInvalidArgument;
    QUERY_INTERFACE(iid, obj, FUnknown::iid, IComponentHandler)
    QUERY_INTERFACE(iid, obj, IComponentHandler::iid, IComponentHandler)
    *obj = nullptr;
    return kNoInterface;
}

} // namespace Vst
} // namespace Steinberg
