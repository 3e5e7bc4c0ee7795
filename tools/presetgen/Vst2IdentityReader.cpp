#include "tools/presetgen/Vst2IdentityReader.h"

#include "Vst2Abi.h"

#include <dlfcn.h>

namespace vevadur::presets
{
namespace
{
using namespace Steinberg::Vst;

intptr_t quietHost(vst_effect*, int32_t opcode, int32_t, intptr_t, void*, float)
{
    return opcode == Vst2Abi::kHostVersion ? 2400 : 0;
}
} // namespace

bool readVst2Identity(const std::string& libraryPath, Vst2Identity& identity, std::string& error)
{
    void* handle = dlopen(libraryPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    using Entry = vst_effect* (*)(Vst2Abi::HostCallback);
    auto entry = handle ? reinterpret_cast<Entry>(dlsym(handle, "VSTPluginMain")) : nullptr;
    vst_effect* effect = entry ? entry(quietHost) : nullptr;
    if (effect)
    {
        identity = {effect->unique_id, effect->version, effect->num_params};
        effect->control(effect, static_cast<VST_EFFECT_OPCODE>(Vst2Abi::kClose), 0, 0, nullptr, 0.0f);
    }
    if (handle) dlclose(handle);
    if (!effect) error = libraryPath + " offers no VST2 effect";
    return effect != nullptr;
}

} // namespace vevadur::presets
