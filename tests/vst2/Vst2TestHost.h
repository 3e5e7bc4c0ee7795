// A small VST2 host for the tests: loads the plug-in's shared object with dlopen, creates
// effects through VSTPluginMain (or main) with a host callback, and records what the effect
// asks of its host. The same module's VST3 factory is at hand for comparisons.
#pragma once

#include "Vst2Abi.h"

#include "pluginterfaces/base/ipluginbase.h"

#include <mutex>
#include <string>
#include <vector>

namespace vst2test
{

using Steinberg::Vst::Vst2Abi::HostCallback;

// What the host was asked, per effect. The effect calls its host from the audio thread and the
// UI thread alike, so the log takes a lock, as a host's own bookkeeping would.
struct HostLog
{
    mutable std::mutex mutex;
    std::vector<int32_t> opcodes;
    std::vector<std::pair<int32_t, float>> automated; // (parameter index, value)

    int count(int32_t opcode) const;
};

// Host callbacks: one answers the version request with 2400, the other with 0. Both log into
// the HostLog an effect's host_internal points at, and answer everything else with 0.
intptr_t hostVersion2400(vst_effect* effect, int32_t opcode, int32_t index, intptr_t value,
                         void* ptr, float opt);
intptr_t hostVersionZero(vst_effect* effect, int32_t opcode, int32_t index, intptr_t value,
                         void* ptr, float opt);

class Vst2Module
{
  public:
    explicit Vst2Module(const std::string& path);
    ~Vst2Module();
    Vst2Module(const Vst2Module&) = delete;
    Vst2Module& operator=(const Vst2Module&) = delete;

    bool loaded() const { return handle != nullptr; }
    // The exported entry point by name ("VSTPluginMain" or "main"); null when absent.
    using Entry = vst_effect* (*)(HostCallback);
    Entry entry(const char* name) const;
    // One more reference to the module's VST3 factory (release it when done).
    Steinberg::IPluginFactory* factory() const;

  private:
    void* handle = nullptr;
};

// One effect created through the entry point, opened, and closed again on destruction.
class Vst2Effect
{
  public:
    Vst2Effect(const Vst2Module& module, const char* entryName = "VSTPluginMain");
    ~Vst2Effect();
    Vst2Effect(const Vst2Effect&) = delete;
    Vst2Effect& operator=(const Vst2Effect&) = delete;

    vst_effect* get() const { return effect; }
    vst_effect* operator->() const { return effect; }
    const HostLog& log() const { return hostLog; }

    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0.0f) const;
    std::string text(int32_t opcode, int32_t index = 0) const;

    // Sample rate, block size and resume, as hosts do before processing.
    void start(float sampleRate, int32_t blockSize) const;
    void stop() const;

    std::vector<char> chunk() const;
    bool setChunk(const std::vector<char>& data) const;

    void processReplacing(const float* const* in, float** out, int32_t frames) const;

  private:
    vst_effect* effect = nullptr;
    HostLog hostLog;
};

// The plug-in's shared object, as the build put it.
std::string pluginPath();

} // namespace vst2test
