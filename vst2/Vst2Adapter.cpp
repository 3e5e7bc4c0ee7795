#include "Vst2Adapter.h"

#include "public.sdk/source/vst/hosting/initializedcomponent.h"

#include "Vst2Text.h"

#include <cmath>
#include <new>
#include <thread>

namespace Steinberg
{
namespace Vst
{

namespace
{
Vst2Adapter* adapterOf(vst_effect* effect)
{
    return effect ? static_cast<Vst2Adapter*>(effect->effect_internal) : nullptr;
}

// The record's entry points. Nothing may unwind into the host: a failure answers 0.
intptr_t VST_FUNCTION_INTERFACE dispatchEntry(vst_effect* effect, VST_EFFECT_OPCODE opcode,
                                              int32_t index, intptr_t value, void* ptr, float opt)
{
    Vst2Adapter* adapter = adapterOf(effect);
    if (!adapter) return 0;
    try
    {
        return adapter->dispatch(static_cast<int32>(opcode), index, value, ptr, opt);
    }
    catch (...)
    {
        return 0;
    }
}

void VST_FUNCTION_INTERFACE replacingEntry(vst_effect* effect, const float* const* inputs,
                                           float** outputs, int32_t frames)
{
    if (Vst2Adapter* adapter = adapterOf(effect)) adapter->process(inputs, outputs, frames, false);
}

void VST_FUNCTION_INTERFACE accumulatingEntry(vst_effect* effect, const float* const* inputs,
                                              float** outputs, int32_t frames)
{
    if (Vst2Adapter* adapter = adapterOf(effect)) adapter->process(inputs, outputs, frames, true);
}

void VST_FUNCTION_INTERFACE setParameterEntry(vst_effect* effect, uint32_t index, float value)
{
    if (Vst2Adapter* adapter = adapterOf(effect))
        adapter->setParameter(static_cast<int32>(index), value);
}

float VST_FUNCTION_INTERFACE getParameterEntry(vst_effect* effect, uint32_t index)
{
    const Vst2Adapter* adapter = adapterOf(effect);
    return adapter ? adapter->getParameter(static_cast<int32>(index)) : 0.0f;
}
} // namespace

// ---- creation --------------------------------------------------------------------------------

Vst2Adapter* Vst2Adapter::create(IPluginFactory& factory, const TUID classId, int32 uniqueId,
                                 Vst2Abi::HostCallback host)
{
    auto* adapter = new (std::nothrow) Vst2Adapter(host);
    if (adapter && !adapter->open(factory, classId))
    {
        delete adapter;
        return nullptr;
    }
    if (adapter) adapter->fillRecord(uniqueId);
    return adapter;
}

Vst2Adapter::Vst2Adapter(Vst2Abi::HostCallback host) : host(host) {}

bool Vst2Adapter::open(IPluginFactory& factory, const TUID classId)
{
    if (!facts.read(factory, classId)) return false;
    component =
        createInitializedComponent(factory, classId, static_cast<IHostApplication*>(&hostContext));
    if (!component) return false;
    processor = FUnknownPtr<IAudioProcessor>(component);
    controller = FUnknownPtr<IEditController>(component);
    if (!processor || !controller || component->getBusCount(kAudio, kOutput) < 1) return false;

    controller->setComponentHandler(&handler);
    parameters.build(*controller);
    mirror.resize(parameters.count());
    refreshFromController();
    midi.mapControllers(FUnknownPtr<IMidiMapping>(controller));
    events = owned(new EventList(Vst2MidiInput::kCapacity));
    editor = std::make_unique<Vst2Editor>(*controller, host, record);
    if (!editor->isAvailable()) editor.reset();
    return true;
}

void Vst2Adapter::fillRecord(int32 uniqueId)
{
    record.magic_number = Vst2Abi::kMagic;
    record.control = dispatchEntry;
    record.process = accumulatingEntry;
    record.set_parameter = setParameterEntry;
    record.get_parameter = getParameterEntry;
    record.num_programs = parameters.programCount();
    record.num_params = parameters.hostCount();
    record.num_inputs = component->getBusCount(kAudio, kInput) > 0 ? kChannels : 0;
    record.num_outputs = kChannels;
    record.flags = Vst2Abi::kFlagCanReplacing | Vst2Abi::kFlagProgramChunks;
    if (editor) record.flags |= Vst2Abi::kFlagHasEditor;
    if (facts.category == Vst2Abi::kCategorySynth) record.flags |= Vst2Abi::kFlagIsSynth;
    record.delay = static_cast<int32_t>(processor->getLatencySamples());
    record._unknown_float_00 = 1.0f; // input/output sample-rate ratio
    record.effect_internal = this;
    record.unique_id = uniqueId;
    record.version = facts.version;
    record.process_float = replacingEntry;
    record.process_double = nullptr;
}

Vst2Adapter::~Vst2Adapter()
{
    editor.reset(); // the view goes before the controller it belongs to
    if (!component) return;
    suspend();
    if (controller) controller->setComponentHandler(nullptr);
    component->terminate();
    processData.unprepare();
}

intptr_t Vst2Adapter::callHost(int32 opcode, int32 index, intptr_t value, void* ptr, float opt)
{
    return host ? host(&record, opcode, index, value, ptr, opt) : 0;
}

// ---- dispatcher ------------------------------------------------------------------------------

intptr_t Vst2Adapter::dispatch(int32 opcode, int32 index, intptr_t value, void* ptr, float opt)
{
    using namespace Vst2Abi;
    auto* text = static_cast<char*>(ptr);
    switch (opcode)
    {
    case kOpen:
        return 1; // the component was created and initialised with the record
    case kClose:
        delete this;
        return 1;
    case kSetProgram:
        return setProgram(value);
    case kGetProgram:
        return currentProgram;
    case kGetProgramName:
        return programName(currentProgram, text);
    case kGetProgramNameIndexed:
        return programName(index, text);
    case kGetParamLabel:
    case kGetParamDisplay:
    case kGetParamName:
        return parameterText(opcode, index, text);
    case kGetParameterProperties:
        return parameterProperties(index, static_cast<ParameterProperties*>(ptr));
    case kCanBeAutomated:
    {
        const int32 i = parameters.indexOfHost(index);
        return i >= 0 && (parameters.info(i).flags & ParameterInfo::kCanAutomate) ? 1 : 0;
    }
    case kStringToParameter:
        return stringToParameter(index, text);
    case kSetSampleRate:
        setSampleRate(opt);
        return 1;
    case kSetBlockSize:
        setBlockSize(value);
        return 1;
    case kMainsChanged:
        value ? resume() : suspend();
        return 1;
    case kEditGetRect:
        return editorRect(static_cast<vst_rect**>(ptr));
    case kEditOpen:
        return editor && editor->open(ptr) ? 1 : 0;
    case kEditClose:
        if (editor) editor->close();
        return 0;
    case kEditIdle:
        syncController();
        if (editor) editor->idle();
        return 0;
    case kIdentify:
        return kIdentifyAnswer;
    case kGetChunk:
        return getChunk(static_cast<void**>(ptr));
    case kSetChunk:
        return setChunk(ptr, value);
    case kProcessEvents:
        midi.receive(static_cast<const Events*>(ptr));
        return 1;
    case kGetInputProperties:
        return pinProperties(kInput, index, static_cast<PinProperties*>(ptr));
    case kGetOutputProperties:
        return pinProperties(kOutput, index, static_cast<PinProperties*>(ptr));
    case kGetPlugCategory:
        return facts.category;
    case kSetSpeakerArrangement:
        return acceptsArrangement(reinterpret_cast<const void*>(value), ptr);
    case kSetBypass:
        if (parameters.bypassIndex() < 0) return 0;
        mirror.setFromHost(parameters.bypassIndex(), value ? 1.0f : 0.0f);
        return 1;
    case kGetEffectName:
        Vst2Text::fromUtf8(facts.name.c_str(), text, kEffectNameCapacity);
        return text ? 1 : 0;
    case kGetProductString:
        Vst2Text::fromUtf8(facts.name.c_str(), text, kVendorCapacity);
        return text ? 1 : 0;
    case kGetVendorString:
        Vst2Text::fromUtf8(facts.vendor.c_str(), text, kVendorCapacity);
        return text ? 1 : 0;
    case kGetVendorVersion:
        return facts.version;
    case kCanDo:
        return canDo(text);
    case kGetTailSize:
        return tailSize();
    case kGetVstVersion:
        return kVstVersion;
    case kSetProcessPrecision:
        return value == kPrecisionFloat ? 1 : 0;
    case kGetNumMidiInputChannels:
        return hasEventInput() ? Vst2MidiInput::kChannels : 0;
    default:
        return 0; // program-name editing, offline, speaker queries: not offered
    }
}

// The host is handed a pointer to the editor's rectangle, which stays valid while the adapter
// lives.
intptr_t Vst2Adapter::editorRect(vst_rect** rect)
{
    if (!rect) return 0;
    *rect = editor ? editor->rect() : nullptr;
    return *rect ? 1 : 0;
}

// ---- sample rate, block size, suspend and resume ---------------------------------------------

void Vst2Adapter::setSampleRate(float rate)
{
    if (!(rate > 0.0f) || !std::isfinite(rate)) return;
    sampleRate = rate;
    if (resumed.load())
    {
        // Hosts should change it only while suspended; if one does not, follow it anyway.
        suspend();
        resume();
    }
}

void Vst2Adapter::setBlockSize(intptr_t frames)
{
    if (frames <= 0) return;
    maxBlock = frames < (1 << 20) ? static_cast<int32>(frames) : (1 << 20);
    if (resumed.load())
    {
        suspend();
        resume();
    }
}

void Vst2Adapter::resume()
{
    if (resumed.load() || !activate()) return;
    framePosition = 0;
    const auto latency = static_cast<int32_t>(processor->getLatencySamples());
    if (latency != record.delay)
    {
        record.delay = latency;
        callHost(Vst2Abi::kHostIoChanged);
    }
    resumed.store(true);
}

void Vst2Adapter::suspend()
{
    if (!resumed.exchange(false)) return;
    waitForProcessCall(); // a host still processing finishes its block first
    deactivate();
}

bool Vst2Adapter::setUpProcessing()
{
    ProcessSetup setup{kRealtime, kSample32, maxBlock, sampleRate};
    if (processor->setupProcessing(setup) != kResultOk) return false;
    SpeakerArrangement in = SpeakerArr::kStereo;
    SpeakerArrangement out = SpeakerArr::kStereo;
    processor->setBusArrangements(&in, record.num_inputs > 0 ? 1 : 0, &out, 1);
    if (!processData.prepare(*component, 0, kSample32)) return false;
    processData.processMode = kRealtime;
    inputChanges.prepare(parameters.count());
    outputChanges.prepare(parameters.count());
    scratch.assign(static_cast<size_t>(2 * kChannels * maxBlock), 0.0f);
    return true;
}

bool Vst2Adapter::activate()
{
    if (active) return true;
    if (!setUpProcessing() || component->setActive(true) != kResultOk) return false;
    processor->setProcessing(true); // the SDK's default answers "not implemented": fine
    active = true;
    return true;
}

void Vst2Adapter::deactivate()
{
    if (!active) return;
    processor->setProcessing(false);
    component->setActive(false);
    active = false;
}

// Waits at most for the one process call under way: a call that starts now finds the adapter
// suspended and returns at once.
void Vst2Adapter::waitForProcessCall() const
{
    while (inProcess.load())
        std::this_thread::yield();
}

} // namespace Vst
} // namespace Steinberg
