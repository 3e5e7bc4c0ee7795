#include "Vst2TestHost.h"

#include <algorithm>
#include <cstring>
#include <dlfcn.h>

namespace vst2test
{

using namespace Steinberg::Vst;

int HostLog::count(int32_t opcode) const
{
    const std::lock_guard<std::mutex> lock(mutex);
    return static_cast<int>(std::count(opcodes.begin(), opcodes.end(), opcode));
}

namespace
{
intptr_t answer(vst_effect* effect, int32_t opcode, int32_t index, float opt,
                intptr_t versionAnswer)
{
    auto* log = effect ? static_cast<HostLog*>(effect->host_internal) : nullptr;
    if (log)
    {
        const std::lock_guard<std::mutex> lock(log->mutex);
        log->opcodes.push_back(opcode);
        if (opcode == Vst2Abi::kHostAutomate) log->automated.emplace_back(index, opt);
    }
    return opcode == Vst2Abi::kHostVersion ? versionAnswer : 0;
}
} // namespace

intptr_t hostVersion2400(vst_effect* effect, int32_t opcode, int32_t index, intptr_t, void*,
                         float opt)
{
    return answer(effect, opcode, index, opt, 2400);
}

intptr_t hostVersionZero(vst_effect* effect, int32_t opcode, int32_t index, intptr_t, void*,
                         float opt)
{
    return answer(effect, opcode, index, opt, 0);
}

Vst2Module::Vst2Module(const std::string& path)
{
    handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

Vst2Module::~Vst2Module()
{
    if (handle) dlclose(handle);
}

Vst2Module::Entry Vst2Module::entry(const char* name) const
{
    return handle ? reinterpret_cast<Entry>(dlsym(handle, name)) : nullptr;
}

Steinberg::IPluginFactory* Vst2Module::factory() const
{
    using GetFactory = Steinberg::IPluginFactory* (*)();
    auto get = handle ? reinterpret_cast<GetFactory>(dlsym(handle, "GetPluginFactory")) : nullptr;
    return get ? get() : nullptr;
}

Vst2Effect::Vst2Effect(const Vst2Module& module, const char* entryName)
{
    if (auto main = module.entry(entryName)) effect = main(&hostVersion2400);
    if (!effect) return;
    effect->host_internal = &hostLog;
    dispatch(Vst2Abi::kOpen);
}

Vst2Effect::~Vst2Effect()
{
    if (!effect) return;
    stop();
    dispatch(Vst2Abi::kClose);
}

intptr_t Vst2Effect::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                              float opt) const
{
    return effect->control(effect, static_cast<VST_EFFECT_OPCODE>(opcode), index, value, ptr, opt);
}

std::string Vst2Effect::text(int32_t opcode, int32_t index) const
{
    char buffer[256];
    std::memset(buffer, 0, sizeof(buffer));
    dispatch(opcode, index, 0, buffer);
    return buffer;
}

void Vst2Effect::start(float sampleRate, int32_t blockSize) const
{
    dispatch(Vst2Abi::kSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(Vst2Abi::kSetBlockSize, 0, blockSize);
    dispatch(Vst2Abi::kMainsChanged, 0, 1);
}

void Vst2Effect::stop() const
{
    dispatch(Vst2Abi::kMainsChanged, 0, 0);
}

std::vector<char> Vst2Effect::chunk() const
{
    void* data = nullptr;
    const intptr_t size = dispatch(Vst2Abi::kGetChunk, 0, 0, &data);
    if (size <= 0 || !data) return {};
    const char* bytes = static_cast<const char*>(data);
    return std::vector<char>(bytes, bytes + size);
}

bool Vst2Effect::setChunk(const std::vector<char>& data) const
{
    return dispatch(Vst2Abi::kSetChunk, 0, static_cast<intptr_t>(data.size()),
                    const_cast<char*>(data.data())) == 1;
}

void Vst2Effect::processReplacing(const float* const* in, float** out, int32_t frames) const
{
    effect->process_float(effect, in, out, frames);
}

std::string pluginPath()
{
    return VEVADUR_VST2_PLUGIN;
}

} // namespace vst2test
