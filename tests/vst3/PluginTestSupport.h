// Loading the bundles once per test program and driving instances the way a host does.
#pragma once

#include "host/PluginInstance.h"
#include "host/PluginModule.h"
#include "host/ProcessBlock.h"

#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vevadur::test
{

using namespace Steinberg;
using namespace Steinberg::Vst;
using host::PluginInstance;
using host::PluginModule;
using host::ProcessBlock;

// The module stays loaded for the whole test program.
inline PluginModule& module(const char* bundle)
{
    static std::map<std::string, std::unique_ptr<PluginModule>> loaded;
    std::unique_ptr<PluginModule>& entry = loaded[bundle];
    if (!entry)
    {
        std::string error;
        entry = PluginModule::load(bundle, error);
        if (!entry) ADD_FAILURE() << error;
    }
    return *entry;
}

inline std::unique_ptr<PluginInstance> createInstance(const char* bundle,
                                                      const std::string& className = "")
{
    std::string error;
    auto instance = PluginInstance::create(module(bundle), className, error);
    if (!instance) ADD_FAILURE() << error;
    return instance;
}

inline std::unique_ptr<PluginInstance> roomInstance()
{
    return createInstance(VEVADUR_BUNDLE);
}
inline std::unique_ptr<PluginInstance> probeInstance()
{
    return createInstance(VEVADUR_PROBE_BUNDLE, "Probe");
}
inline std::unique_ptr<PluginInstance> probeInstrument()
{
    return createInstance(VEVADUR_PROBE_BUNDLE, "Probe Instrument");
}

// Probe meters are parameters; these are their ids (positions in its control list).
enum ProbeParam : ParamID
{
    kLevel = 0,
    kSteps,
    kSwitch,
    kFine,
    kCutoff,
    kDrive,
    kHidden,
    kLearn,
    kLearnToo,
    kMode,
    kCalls,
    kOp,
    kArg1,
    kArg2,
    kArg3,
    kArg4,
    kRate,
    kTempo,
    kPrepares
};

enum ProbeOp
{
    kOpNone = 0,
    kOpNoteOn,
    kOpNoteOff,
    kOpModWheel,
    kOpPitchBend,
    kOpClock,
    kOpMessage,
    kOpButton,
    kOpEditor
};

constexpr ParamID kBypass = 0x808;
constexpr ParamID kJoystickX = 0x8005;
constexpr ParamID kJoystickY = 0x8006;
constexpr ParamID kFactoryPresets = 0x70727374;

// Channels of audio a test hands to a process call.
struct Audio
{
    Audio(int channels, int frames, float value = 0.0f)
        : data(static_cast<size_t>(channels),
               std::vector<float>(static_cast<size_t>(frames), value))
    {
        for (auto& channel : data)
            pointers.push_back(channel.data());
    }
    float* const* channels() { return pointers.data(); }
    std::vector<float>& operator[](size_t c) { return data[c]; }

    std::vector<std::vector<float>> data;
    std::vector<float*> pointers;
};

// An instance set up as a host sets up an insert effect: stereo, activated.
inline void activate(PluginInstance& instance, double rate = 48000.0, int32 block = 512)
{
    ASSERT_TRUE(instance.activate(rate, block));
}

// A meter's value after the last process call; fails the test when it was not reported.
inline double meter(ProcessBlock& block, ParamID id)
{
    ParamValue value = -1.0;
    EXPECT_TRUE(block.lastOutputValue(id, value)) << "meter " << id << " not reported";
    return value;
}

inline std::string utf8(const TChar* text)
{
    return PluginInstance::toUtf8(text);
}

// Reads a little-endian value out of a state at a byte offset.
template <typename T> T stateValue(const std::vector<std::uint8_t>& state, size_t offset)
{
    T value{};
    EXPECT_LE(offset + sizeof(T), state.size());
    if (offset + sizeof(T) <= state.size()) std::memcpy(&value, state.data() + offset, sizeof(T));
    return value;
}

} // namespace vevadur::test
