#include "host/PluginInstance.h"

#include "public.sdk/source/common/memorystream.h"

#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace vevadur::host
{
namespace
{
bool isEffectClass(const PClassInfo2& info)
{
    return std::strncmp(info.category, kVstAudioEffectClass, PClassInfo::kCategorySize) == 0;
}
} // namespace

std::string PluginInstance::toUtf8(const TChar* text)
{
    std::string result;
    for (; text && *text; ++text)
    {
        const char32_t c = static_cast<char16_t>(*text);
        if (c < 0x80)
        {
            result += static_cast<char>(c);
        }
        else if (c < 0x800)
        {
            result += static_cast<char>(0xC0 | (c >> 6));
            result += static_cast<char>(0x80 | (c & 0x3F));
        }
        else
        {
            result += static_cast<char>(0xE0 | (c >> 12));
            result += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            result += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return result;
}

std::unique_ptr<PluginInstance>
PluginInstance::create(PluginModule& module, const std::string& className, std::string& error)
{
    const PClassInfo2* chosen = nullptr;
    const std::vector<PClassInfo2> classes = module.classes();
    for (const PClassInfo2& info : classes)
    {
        if (isEffectClass(info) && (className.empty() || className == info.name))
        {
            chosen = &info;
            break;
        }
    }
    if (!chosen)
    {
        error = className.empty() ? "the module offers no audio effect class"
                                  : "the module has no class named \"" + className + "\"";
        return nullptr;
    }

    std::unique_ptr<PluginInstance> instance(new PluginInstance);
    IComponent* component = nullptr;
    if (module.factory().createInstance(chosen->cid, IComponent::iid,
                                        reinterpret_cast<void**>(&component)) != kResultOk ||
        !component)
    {
        error = std::string("cannot create \"") + chosen->name + "\"";
        return nullptr;
    }
    instance->m_component = owned(component);
    char classId[33] = {};
    FUID::fromTUID(chosen->cid).toString(classId);
    instance->m_classId = classId;
    instance->m_className = chosen->name;
    instance->m_processor = FUnknownPtr<IAudioProcessor>(component);
    instance->m_controller = FUnknownPtr<IEditController>(component);
    if (!instance->m_processor || !instance->m_controller)
    {
        error = std::string("\"") + chosen->name + "\" is not a single-component effect";
        return nullptr;
    }
    if (component->initialize(&instance->m_context) != kResultOk)
    {
        error = std::string("\"") + chosen->name + "\" failed to initialise";
        return nullptr;
    }
    instance->m_initialized = true;
    instance->m_controller->setComponentHandler(&instance->m_handler);
    return instance;
}

PluginInstance::~PluginInstance()
{
    deactivate();
    if (m_controller) m_controller->setComponentHandler(nullptr);
    if (m_initialized) m_component->terminate();
}

// ---- parameters ----------------------------------------------------------------------------

std::vector<ParameterInfo> PluginInstance::parameters() const
{
    std::vector<ParameterInfo> list;
    const int32 count = m_controller->getParameterCount();
    for (int32 i = 0; i < count; ++i)
    {
        ParameterInfo info{};
        if (m_controller->getParameterInfo(i, info) == kResultOk) list.push_back(info);
    }
    return list;
}

std::optional<ParameterInfo> PluginInstance::findParameter(const std::string& title) const
{
    for (const ParameterInfo& info : parameters())
    {
        if (toUtf8(info.title) == title) return info;
    }
    return std::nullopt;
}

std::string PluginInstance::valueText(ParamID id, ParamValue normalized) const
{
    String128 text{};
    if (m_controller->getParamStringByValue(id, normalized, text) != kResultOk) return {};
    return toUtf8(text);
}

// ---- set-up --------------------------------------------------------------------------------

bool PluginInstance::setBusArrangements(SpeakerArrangement input, SpeakerArrangement output)
{
    const int32 inputs = m_component->getBusCount(kAudio, kInput);
    return m_processor->setBusArrangements(&input, inputs > 0 ? 1 : 0, &output, 1) == kResultOk;
}

bool PluginInstance::activate(double sampleRate, int32 maxBlockSize, bool offline)
{
    deactivate();
    ProcessSetup setup{offline ? kOffline : kRealtime, kSample32, maxBlockSize, sampleRate};
    if (m_processor->setupProcessing(setup) != kResultOk) return false;
    for (BusDirection dir : {kInput, kOutput})
    {
        // The main audio bus of each direction and the event input take part.
        if (m_component->getBusCount(kAudio, dir) > 0)
            m_component->activateBus(kAudio, dir, 0, true);
    }
    if (m_component->getBusCount(kEvent, kInput) > 0)
        m_component->activateBus(kEvent, kInput, 0, true);
    if (m_component->setActive(true) != kResultOk) return false;
    m_processor->setProcessing(true);
    m_active = true;
    m_sampleRate = sampleRate;
    m_maxBlockSize = maxBlockSize;
    return true;
}

void PluginInstance::deactivate()
{
    if (!m_active) return;
    m_processor->setProcessing(false);
    m_component->setActive(false);
    m_active = false;
}

// ---- state ---------------------------------------------------------------------------------

std::vector<std::uint8_t> PluginInstance::saveState() const
{
    MemoryStream stream;
    if (m_component->getState(&stream) != kResultOk) return {};
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(stream.getData());
    return std::vector<std::uint8_t>(bytes, bytes + stream.getSize());
}

tresult PluginInstance::loadState(const std::vector<std::uint8_t>& state)
{
    // The stream only reads from the copy; MemoryStream wants writable memory.
    std::vector<std::uint8_t> copy = state;
    MemoryStream stream(copy.empty() ? nullptr : copy.data(), static_cast<TSize>(copy.size()));
    const tresult result = m_component->setState(&stream);
    stream.seek(0, IBStream::kIBSeekSet, nullptr);
    m_controller->setComponentState(&stream);
    return result;
}

} // namespace vevadur::host
