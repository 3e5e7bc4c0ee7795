#include "RecordingHandler.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

tresult PLUGIN_API RecordingHandler::beginEdit(ParamID id)
{
    events.push_back({'b', id, 0});
    return kResultOk;
}

tresult PLUGIN_API RecordingHandler::performEdit(ParamID id, ParamValue value)
{
    events.push_back({'p', id, value});
    return kResultOk;
}

tresult PLUGIN_API RecordingHandler::endEdit(ParamID id)
{
    events.push_back({'e', id, 0});
    return kResultOk;
}

tresult PLUGIN_API RecordingHandler::queryInterface(const TUID iid, void** obj)
{
    QUERY_INTERFACE(iid, obj, FUnknown::iid, IComponentHandler)
    QUERY_INTERFACE(iid, obj, IComponentHandler::iid, IComponentHandler)
    *obj = nullptr;
    return kNoInterface;
}

int RecordingHandler::count(char kind) const
{
    int n = 0;
    for (const Event& e : events)
        n += e.kind == kind ? 1 : 0;
    return n;
}

double RecordingHandler::lastValue(ParamID id) const
{
    for (auto it = events.rbegin(); it != events.rend(); ++it)
        if (it->kind == 'p' && it->id == id) return it->value;
    return -1;
}
