// The room effect's state stream as hosts store it, written down independently of the code that
// reads and writes it: a 64-bit version, the thirteen room controls (4 bytes each, float or
// integer as the control stores it), the bypass as 16 bits, then the two joystick axes.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace vevadur::fuzz
{
constexpr size_t kStateSize = 70;

enum class Stored
{
    Float,
    Int,
    Uint
};

struct StoredRange
{
    Stored type;
    double low, high;
};

constexpr StoredRange kRoomControls[] = {
    {Stored::Float, 0, 1},  {Stored::Uint, 0, 10}, {Stored::Float, 0, 1},  {Stored::Float, 0, 14},
    {Stored::Float, 0, 1},  {Stored::Float, 0, 14}, {Stored::Float, 0, 1}, {Stored::Float, 0, 14},
    {Stored::Int, 0, 1},    {Stored::Uint, 0, 1},  {Stored::Uint, 0, 1},   {Stored::Float, 0, 8},
    {Stored::Uint, 0, 1}};

template <typename T> T storedAt(const std::vector<uint8_t>& state, size_t offset)
{
    T value;
    std::memcpy(&value, state.data() + offset, sizeof value); // little-endian machines only
    return value;
}

// Empty when the stream is a well-formed room state with every value in range; else what is not.
inline const char* stateFault(const std::vector<uint8_t>& state)
{
    if (state.size() != kStateSize) return "the stream is not 70 bytes long";
    if (storedAt<int64_t>(state, 0) != 1) return "the version is not 1";
    for (size_t i = 0; i < std::size(kRoomControls); ++i)
    {
        const size_t offset = 8 + 4 * i;
        double value = 0;
        switch (kRoomControls[i].type)
        {
        case Stored::Float: value = storedAt<float>(state, offset); break;
        case Stored::Int: value = storedAt<int32_t>(state, offset); break;
        case Stored::Uint: value = storedAt<uint32_t>(state, offset); break;
        }
        if (!(value >= kRoomControls[i].low && value <= kRoomControls[i].high))
            return "a control's stored value is outside its range or not finite";
    }
    const int16_t bypass = storedAt<int16_t>(state, 60);
    if (bypass != 0 && bypass != 1) return "the bypass is neither 0 nor 1";
    for (size_t offset : {62u, 66u})
    {
        const float axis = storedAt<float>(state, offset);
        if (!(axis >= -1.0f && axis <= 1.0f)) return "a joystick axis is outside -1..1";
    }
    return nullptr;
}
} // namespace vevadur::fuzz
