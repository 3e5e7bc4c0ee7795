#include "host/HostContext.h"

#include "pluginterfaces/base/ustring.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

using namespace Steinberg;

namespace vevadur::host
{

tresult PLUGIN_API HostContext::getName(Vst::String128 name)
{
    UString(name, 128).assign(STR16("Vevadur Host"));
    return kResultOk;
}

tresult PLUGIN_API HostContext::createInstance(TUID cid, TUID iid, void** obj)
{
    if (!obj) return kInvalidArgument;
    *obj = nullptr;
    const FUID classId = FUID::fromTUID(cid);
    const FUID interfaceId = FUID::fromTUID(iid);
    if (classId == Vst::IMessage::iid && interfaceId == Vst::IMessage::iid)
        *obj = static_cast<Vst::IMessage*>(new Vst::HostMessage);
    else if (classId == Vst::IAttributeList::iid && interfaceId == Vst::IAttributeList::iid)
        *obj = static_cast<Vst::IAttributeList*>(new Vst::HostAttributeList);
    return *obj ? kResultOk : kResultFalse;
}

tresult PLUGIN_API HostContext::queryInterface(const TUID iid, void** obj)
{
    QUERY_INTERFACE(iid, obj, FUnknown::iid, Vst::IHostApplication)
    QUERY_INTERFACE(iid, obj, Vst::IHostApplication::iid, Vst::IHostApplication)
    *obj = nullptr;
    return kNoInterface;
}

} // namespace vevadur::host
