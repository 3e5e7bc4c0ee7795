// The VST2 binary interface as our adapter uses it. The effect record and the opcode numbers
// come from the clean-room header Debian ships with DPF; the records that header leaves out or
// lays out wrongly (MIDI events, time info, pin and parameter properties) are declared here,
// with their sizes checked, so that a layout slip fails the build instead of a host.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stddef.h> // the header uses an unqualified size_t

#ifndef __cdecl
#define __cdecl // the header names the calling convention; on x86-64 Linux there is only one
#endif
// The VST3 SDK defines VST_VERSION as a macro; the header names an enumeration so.
#pragma push_macro("VST_VERSION")
#undef VST_VERSION
#include <vst.h>
#pragma pop_macro("VST_VERSION")

namespace Steinberg
{
namespace Vst
{
namespace Vst2Abi
{

// The host callback as hosts really call and define it: the last argument is a float. (The
// clean-room header declares it as an integer, which would put it in the wrong register.)
using HostCallback = intptr_t (*)(vst_effect* effect, int32_t opcode, int32_t index, intptr_t value,
                                  void* ptr, float opt);

enum EffectOpcode : int32_t
{
    kOpen = VST_EFFECT_OPCODE_CREATE,
    kClose = VST_EFFECT_OPCODE_DESTROY,
    kSetProgram = VST_EFFECT_OPCODE_02,
    kGetProgram = VST_EFFECT_OPCODE_03,
    kSetProgramName = VST_EFFECT_OPCODE_04,
    kGetProgramName = VST_EFFECT_OPCODE_05,
    kGetParamLabel = VST_EFFECT_OPCODE_PARAM_GETLABEL,
    kGetParamDisplay = VST_EFFECT_OPCODE_PARAM_GETVALUE,
    kGetParamName = VST_EFFECT_OPCODE_PARAM_GETNAME,
    kSetSampleRate = VST_EFFECT_OPCODE_SET_SAMPLE_RATE,
    kSetBlockSize = VST_EFFECT_OPCODE_SET_BLOCK_SIZE,
    kMainsChanged = VST_EFFECT_OPCODE_SUSPEND, // value 0 suspends, 1 resumes
    kEditGetRect = VST_EFFECT_OPCODE_WINDOW_GETRECT,
    kEditOpen = VST_EFFECT_OPCODE_WINDOW_CREATE,
    kEditClose = VST_EFFECT_OPCODE_WINDOW_DESTROY,
    kEditIdle = VST_EFFECT_OPCODE_13,
    kIdentify = VST_EFFECT_OPCODE_16,
    kGetChunk = VST_EFFECT_OPCODE_17,
    kSetChunk = VST_EFFECT_OPCODE_18,
    kProcessEvents = VST_EFFECT_OPCODE_19,
    kCanBeAutomated = VST_EFFECT_OPCODE_PARAM_ISAUTOMATABLE,
    kStringToParameter = VST_EFFECT_OPCODE_1B,
    kGetProgramNameIndexed = VST_EFFECT_OPCODE_1D,
    kGetInputProperties = VST_EFFECT_OPCODE_INPUT_CHANNEL_NAME,
    kGetOutputProperties = VST_EFFECT_OPCODE_OUTPUT_CHANNEL_NAME,
    kGetPlugCategory = VST_EFFECT_OPCODE_EFFECT_CATEGORY,
    kSetSpeakerArrangement = VST_EFFECT_OPCODE_SET_SPEAKER_ARRANGEMENT,
    kSetBypass = VST_EFFECT_OPCODE_BYPASS,
    kGetEffectName = VST_EFFECT_OPCODE_EFFECT_NAME,
    kGetVendorString = VST_EFFECT_OPCODE_VENDOR_NAME,
    kGetProductString = VST_EFFECT_OPCODE_PRODUCT_NAME,
    kGetVendorVersion = VST_EFFECT_OPCODE_VENDOR_VERSION,
    kVendorSpecific = VST_EFFECT_OPCODE_CUSTOM,
    kCanDo = VST_EFFECT_OPCODE_SUPPORTS,
    kGetTailSize = VST_EFFECT_OPCODE_TAIL_SAMPLES,
    kGetParameterProperties = VST_EFFECT_OPCODE_38, // the header's own name for it is one off
    kGetVstVersion = VST_EFFECT_OPCODE_VST_VERSION,
    kGetSpeakerArrangement = VST_EFFECT_OPCODE_GET_SPEAKER_ARRANGEMENT,
    kStartProcess = VST_EFFECT_OPCODE_PROCESS_BEGIN,
    kStopProcess = VST_EFFECT_OPCODE_PROCESS_END,
    kSetProcessPrecision = VST_EFFECT_OPCODE_4D,
    kGetNumMidiInputChannels = VST_EFFECT_OPCODE_4E,
    kGetNumMidiOutputChannels = VST_EFFECT_OPCODE_4F,
};

enum HostOpcode : int32_t
{
    kHostAutomate = VST_HOST_OPCODE_00,
    kHostVersion = VST_HOST_OPCODE_01,
    kHostGetTime = VST_HOST_OPCODE_07,
    kHostIoChanged = VST_HOST_OPCODE_0D,
    kHostSizeWindow = VST_HOST_OPCODE_0F, // index: width, value: height
    kHostUpdateDisplay = VST_HOST_OPCODE_2A,
    kHostBeginEdit = VST_HOST_OPCODE_2B,
    kHostEndEdit = VST_HOST_OPCODE_2C,
};

enum EffectFlags : int32_t
{
    kFlagHasEditor = 1 << 0,
    kFlagCanReplacing = 1 << 4,
    kFlagProgramChunks = 1 << 5,
    kFlagIsSynth = 1 << 8,
};

enum PlugCategory : int32_t
{
    kCategoryEffect = VST_CATEGORY_01,
    kCategorySynth = VST_CATEGORY_02,
    kCategoryAnalysis = VST_CATEGORY_03,
    kCategoryMastering = VST_CATEGORY_04,
    kCategorySpatial = VST_CATEGORY_05,
    kCategoryRoomFx = VST_CATEGORY_06,
    kCategoryRestoration = VST_CATEGORY_RESTORATION,
    kCategoryGenerator = VST_CATEGORY_0B,
};

constexpr int32_t kVstVersion = VST_VERSION_2_4_0_0;
constexpr int32_t kIdentifyAnswer = 0x4E764566; // 'NvEf'
constexpr int32_t kMagic = 0x56737450;          // 'VstP'
constexpr int32_t kPrecisionFloat = 0;

// Text capacities, terminator included. Names and display texts go beyond the 8 characters of
// the original limit because every current host reserves more, and titles such as
// "MIDI Channel Pressure" would otherwise be cut; units keep the strict limit, since some hosts
// still hand a 9-byte buffer for them.
constexpr size_t kEffectNameCapacity = 32;
constexpr size_t kVendorCapacity = 64;
constexpr size_t kParamNameCapacity = 32;
constexpr size_t kParamDisplayCapacity = 32;
constexpr size_t kParamLabelCapacity = 8;
constexpr size_t kProgramNameCapacity = 24;

struct Event
{
    int32_t type;
    int32_t byteSize;
    int32_t deltaFrames;
    int32_t flags;
    uint8_t data[16];
};

constexpr int32_t kMidiEventType = 1;

struct MidiEvent
{
    int32_t type;
    int32_t byteSize;
    int32_t deltaFrames;
    int32_t flags;
    int32_t noteLength;
    int32_t noteOffset;
    uint8_t midiData[4];
    int8_t detune;
    uint8_t noteOffVelocity;
    uint8_t reserved1;
    uint8_t reserved2;
};

struct Events
{
    int32_t numEvents;
    intptr_t reserved;
    Event* events[2]; // really numEvents entries
};

struct TimeInfo
{
    double samplePos;
    double sampleRate;
    double nanoSeconds;
    double ppqPos;
    double tempo;
    double barStartPos;
    double cycleStartPos;
    double cycleEndPos;
    int32_t timeSigNumerator;
    int32_t timeSigDenominator;
    int32_t smpteOffset;
    int32_t smpteFrameRate;
    int32_t samplesToNextClock;
    int32_t flags;
};

enum TimeInfoFlags : int32_t
{
    kTimeTransportPlaying = 1 << 1,
    kTimeCycleActive = 1 << 2,
    kTimeRecording = 1 << 3,
    kTimePpqValid = 1 << 9,
    kTimeTempoValid = 1 << 10,
    kTimeBarsValid = 1 << 11,
    kTimeCycleValid = 1 << 12,
    kTimeSigValid = 1 << 13,
};

struct PinProperties
{
    char label[64];
    int32_t flags;
    int32_t arrangementType;
    char shortLabel[8];
    char future[48];
};

enum PinFlags : int32_t
{
    kPinIsActive = 1 << 0,
    kPinIsStereo = 1 << 1,
};

struct ParameterProperties
{
    float stepFloat;
    float smallStepFloat;
    float largeStepFloat;
    char label[64];
    int32_t flags;
    int32_t minInteger;
    int32_t maxInteger;
    int32_t stepInteger;
    int32_t largeStepInteger;
    char shortLabel[8];
    int16_t displayIndex;
    int16_t category;
    int16_t parametersInCategory;
    int16_t reserved;
    char categoryLabel[24];
    char future[16];
};

enum ParameterFlags : int32_t
{
    kParamIsSwitch = 1 << 0,
};

static_assert(sizeof(MidiEvent) == 32, "VST2 MIDI event record");
static_assert(sizeof(Event) == sizeof(MidiEvent), "VST2 event record");
static_assert(offsetof(Events, events) == 16, "VST2 event list");
static_assert(sizeof(TimeInfo) == 88, "VST2 time info record");
static_assert(sizeof(PinProperties) == 128, "VST2 pin properties record");
static_assert(sizeof(ParameterProperties) == 152, "VST2 parameter properties record");
static_assert(offsetof(vst_effect, unique_id) == 112, "VST2 effect record");
static_assert(offsetof(vst_effect, process_float) == 120, "VST2 effect record");

} // namespace Vst2Abi
} // namespace Vst
} // namespace Steinberg
