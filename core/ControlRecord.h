#pragma once

#include <cstdint>

// One control of an effect: its range, the member variable it writes (through the pointer
// of its value type), smoothing state, display texts and MIDI assignment.
//
// The five texts are owned by the record: a copy takes each text into its own buffer
// (cut to kTextCapacity - 1 characters) and points the copy's text fields at those buffers,
// so records never share text. A record built in place may point its texts at constants.
struct alignas(64) ControlRecord
{
    static constexpr int kTextCapacity = 1024;
    static constexpr int kPresetCount = 16;

    enum ValueType : int32_t
    {
        kInt = 0,
        kFloat = 1,
        kDouble = 2,
        kUint = 3,
        kNone = 4
    };

    enum ControlType : uint32_t
    {
        kControl = 100,
        kControl2 = 102,
        kMeter = 103,
        kControl4 = 104,
        kControl6 = 106
    };

    ControlRecord();
    ControlRecord(const ControlRecord& other);
    ControlRecord& operator=(const ControlRecord& other);
    ~ControlRecord() = default;

    // What every process call reads (to publish the values and the joystick's position, to
    // check for smoothing) comes first, so that it shares the record's first cache line.
    int32_t valueType = kNone;
    bool smooth = false;
    int32_t* intVariable = nullptr;
    float* floatVariable = nullptr;
    double* doubleVariable = nullptr;
    uint32_t* uintVariable = nullptr;
    float joyValue = 0.0f;

    uint32_t type = 0;
    uint32_t id = 0;
    int32_t meterMode = 2;
    float minValue = 0.0f;
    float maxValue = 0.0f;
    float initInt = 0.0f;
    float initFloat = 0.0f;
    float initDouble = 0.0f;
    float initUint = 0.0f;
    float smoothTarget = 0.0f;
    float coefB = 0.0f;
    float coefA = 0.0f;
    float stateF = 0.0f;
    float lastF = 0.0f;
    double coefBD = 0.0;
    double coefAD = 0.0;
    double stateD = 0.0;
    double lastD = 0.0;
    float smoothMs = 100.0f;
    bool joyRotate = false;
    float* meterVariable = nullptr;
    const char* name;
    const char* units;
    const char* variableName;
    const char* enumList;
    const char* extraText;
    bool meterLog = false;
    bool logScale = false;
    bool voltOctave = false;
    float meterAttackMs = 10.0f;
    float meterReleaseMs = 500.0f;
    int32_t precision = 0;
    bool midiEnabled = false;
    uint32_t midiStatus = 176;
    uint32_t midiController = 3;
    int32_t outputIndex = -1;
    double presetValue[kPresetCount] = {};
    void* automationQueue = nullptr;

  private:
    void copyFields(const ControlRecord& other);
    void copyTexts(const ControlRecord& other);

    char m_nameText[kTextCapacity] = {};
    char m_unitsText[kTextCapacity] = {};
    char m_variableNameText[kTextCapacity] = {};
    char m_enumListText[kTextCapacity] = {};
    char m_extraText[kTextCapacity] = {};
};
