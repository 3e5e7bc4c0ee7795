// Parameters, programs and state chunks: the UI-thread side of the adapter, and the edits the
// plug-in's own editor reports.
#include "Vst2Adapter.h"

#include "Vst2Text.h"

#include "public.sdk/source/common/memorystream.h"

namespace Steinberg
{
namespace Vst
{

// ---- parameters --------------------------------------------------------------------------------

void Vst2Adapter::setParameter(int32 hostIndex, float value)
{
    mirror.setFromHost(parameters.indexOfHost(hostIndex), value);
}

float Vst2Adapter::getParameter(int32 hostIndex) const
{
    return mirror.value(parameters.indexOfHost(hostIndex));
}

// The controller learns the host's values on the UI thread only.
void Vst2Adapter::syncController()
{
    mirror.takeForController([this](int32 i, float v)
                             { controller->setParamNormalized(parameters.info(i).id, v); });
}

void Vst2Adapter::refreshFromController()
{
    for (int32 i = 0; i < parameters.count(); ++i)
    {
        const auto v = static_cast<float>(controller->getParamNormalized(parameters.info(i).id));
        mirror.setFromController(i, v);
    }
    const int32 program = parameters.programIndex();
    if (program >= 0)
    {
        const int32 steps = parameters.info(program).stepCount;
        currentProgram = static_cast<int32>(mirror.value(program) * steps + 0.5f);
    }
}

intptr_t Vst2Adapter::stringToParameter(int32 hostIndex, const char* text)
{
    const int32 i = parameters.indexOfHost(hostIndex);
    if (i < 0 || !text) return 0;
    String128 string{};
    Vst2Text::toUtf16(text, string);
    ParamValue value = 0;
    if (controller->getParamValueByString(parameters.info(i).id, string, value) != kResultOk)
        return 0;
    mirror.setFromHost(i, static_cast<float>(value));
    return 1;
}

// ---- programs ----------------------------------------------------------------------------------

intptr_t Vst2Adapter::setProgram(intptr_t program)
{
    const int32 i = parameters.programIndex();
    if (i < 0 || program < 0 || program >= parameters.programCount()) return 0;
    const int32 steps = parameters.info(i).stepCount;
    const float value = steps > 0 ? static_cast<float>(program) / static_cast<float>(steps) : 0.0f;

    // Earlier host values first, so that the program's values are the ones that stay.
    syncController();
    flushPendingToProcessor();
    // The processor hands the program's values to its audio thread itself: playback goes on.
    mirror.setFromController(i, value);
    controller->setParamNormalized(parameters.info(i).id, value);
    refreshFromController();
    callHost(Vst2Abi::kHostUpdateDisplay);
    return 1;
}

intptr_t Vst2Adapter::programName(int32 program, char* text) const
{
    const int32 i = parameters.programIndex();
    if (!text) return 0;
    text[0] = 0;
    if (i < 0 || program < 0 || program >= parameters.programCount()) return 0;
    const int32 steps = parameters.info(i).stepCount;
    String128 name{};
    const ParamValue value = steps > 0 ? static_cast<ParamValue>(program) / steps : 0.0;
    if (controller->getParamStringByValue(parameters.info(i).id, value, name) != kResultOk)
        return 0;
    Vst2Text::fromUtf16(name, text, Vst2Abi::kProgramNameCapacity);
    return 1;
}

// ---- state chunks ------------------------------------------------------------------------------

// Bank and program chunks are the same thing here: the component's whole state stream.
intptr_t Vst2Adapter::getChunk(void** data)
{
    if (!data) return 0;
    *data = nullptr;
    flushPendingToProcessor();
    IPtr<MemoryStream> stream = owned(new MemoryStream);
    if (component->getState(stream) != kResultOk) return 0;
    const char* bytes = stream->getData();
    chunk.assign(bytes, bytes + stream->getSize());
    if (chunk.empty()) return 0;
    *data = chunk.data();
    return static_cast<intptr_t>(chunk.size());
}

intptr_t Vst2Adapter::setChunk(const void* data, intptr_t size)
{
    if (!data || size <= 0) return 0;
    // The processor hands the state to its audio thread itself: playback goes on. The stream
    // only reads: the host's memory is not written.
    IPtr<MemoryStream> stream = owned(new MemoryStream(const_cast<void*>(data), size));
    const tresult result = component->setState(stream);
    stream->seek(0, IBStream::kIBSeekSet, nullptr);
    controller->setComponentState(stream);
    mirror.dropPending(); // the new state replaces any value still on its way
    refreshFromController();
    callHost(Vst2Abi::kHostUpdateDisplay);
    return result == kResultOk ? 1 : 0;
}

// ---- edits from the plug-in's editor -----------------------------------------------------------

void Vst2Adapter::editorBeginsEdit(ParamID id)
{
    const int32 hostIndex = parameters.hostIndexOf(parameters.indexOf(id));
    if (hostIndex >= 0) callHost(Vst2Abi::kHostBeginEdit, hostIndex);
}

void Vst2Adapter::editorPerformsEdit(ParamID id, ParamValue value)
{
    const int32 i = parameters.indexOf(id);
    if (i < 0) return;
    mirror.setFromHost(i, static_cast<float>(value));
    const int32 hostIndex = parameters.hostIndexOf(i);
    if (hostIndex >= 0) callHost(Vst2Abi::kHostAutomate, hostIndex, 0, nullptr, mirror.value(i));
}

void Vst2Adapter::editorEndsEdit(ParamID id)
{
    const int32 hostIndex = parameters.hostIndexOf(parameters.indexOf(id));
    if (hostIndex >= 0) callHost(Vst2Abi::kHostEndEdit, hostIndex);
}

void Vst2Adapter::restartRequested(int32 flags)
{
    if (flags & kParamValuesChanged)
    {
        refreshFromController();
        callHost(Vst2Abi::kHostUpdateDisplay);
    }
    if (flags & kLatencyChanged)
    {
        record.delay = static_cast<int32_t>(processor->getLatencySamples());
        callHost(Vst2Abi::kHostIoChanged);
    }
}

} // namespace Vst
} // namespace Steinberg
