#include "initializedcomponent.h"

namespace Steinberg
{
namespace Vst
{

IPtr<IComponent> createInitializedComponent(IPluginFactory& factory, const TUID classId,
                                            FUnknown* hostContext)
{
    FUnknown* instance = nullptr;
    if (factory.createInstance(classId, IComponent::iid, reinterpret_cast<void**>(&instance)) !=
            kResultOk ||
        !instance)
        return nullptr;
    IPtr<IComponent> component = owned(static_cast<IComponent*>(instance));
    if (component->initialize(hostContext) != kResultOk) return nullptr;
    return component;
}

} // namespace Vst
} // namespace Steinberg
