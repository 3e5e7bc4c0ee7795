// The state extension: the component's whole state stream, the one VST3 and VST2 hosts store,
// as one property of type atom:Chunk. A property of another type or size is refused and the
// state stays as it was.
#include "Lv2Adapter.h"

#include "public.sdk/source/common/memorystream.h"

#include <lv2/atom/atom.h>

#include <vector>

namespace Steinberg
{
namespace Vst
{

namespace
{
std::vector<char> stateOf(IComponent& component)
{
    IPtr<MemoryStream> stream = owned(new MemoryStream);
    if (component.getState(stream) != kResultOk) return {};
    return std::vector<char>(stream->getData(), stream->getData() + stream->getSize());
}

tresult applyState(IComponent& component, IEditController& controller, const void* data,
                   size_t size)
{
    // The stream only reads: the host's memory is not written.
    IPtr<MemoryStream> stream =
        owned(new MemoryStream(const_cast<void*>(data), static_cast<TSize>(size)));
    const tresult result = component.setState(stream);
    stream->seek(0, IBStream::kIBSeekSet, nullptr);
    controller.setComponentState(stream);
    return result;
}
} // namespace

LV2_State_Status Lv2Adapter::save(LV2_State_Store_Function store, LV2_State_Handle handle)
{
    if (!store || !map) return LV2_STATE_ERR_NO_FEATURE;
    const std::vector<char> state = stateOf(*component);
    if (state.empty()) return LV2_STATE_ERR_UNKNOWN;
    return store(handle, stateKey, state.data(), state.size(), chunkType,
                 LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
}

LV2_State_Status Lv2Adapter::restore(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle)
{
    if (!retrieve || !map) return LV2_STATE_ERR_NO_FEATURE;
    size_t size = 0;
    uint32_t type = 0;
    uint32_t flags = 0;
    const void* data = retrieve(handle, stateKey, &size, &type, &flags);
    if (!data) return LV2_STATE_ERR_NO_PROPERTY;
    if (type != chunkType) return LV2_STATE_ERR_BAD_TYPE;
    // Only a whole stream of the layout this build writes: a shorter one would be applied in
    // part, a longer one comes from another layout.
    const std::vector<char> before = stateOf(*component);
    if (before.empty() || size != before.size()) return LV2_STATE_ERR_UNKNOWN;
    // Hosts restore between runs, often right after activation. Applied while processing is
    // off, the state sounds from the first block on, as a VST3 host's restore does, instead of
    // fading in over the response's length.
    const bool wasActive = active;
    deactivate();
    const bool applied = applyState(*component, *controller, data, size) == kResultOk;
    if (!applied) applyState(*component, *controller, before.data(), before.size());
    if (wasActive) activate();
    if (!applied) return LV2_STATE_ERR_UNKNOWN;
    learnValuesFromController();
    return LV2_STATE_SUCCESS;
}

// The ports' reference values become the restored ones: a host that restores its ports to
// the same values changes nothing, a port it moves afterwards still counts.
void Lv2Adapter::learnValuesFromController()
{
    for (int32 i = 0; i < portList.controlCount(); ++i)
    {
        const ParamID id = portList.control(i).id;
        lastValues[static_cast<size_t>(i)] = static_cast<float>(
            controller->normalizedParamToPlain(id, controller->getParamNormalized(id)));
    }
    if (portList.hasBypass())
        lastValues.back() =
            controller->getParamNormalized(portList.bypassId()) >= 0.5 ? 0.0f : 1.0f;
}

} // namespace Vst
} // namespace Steinberg
