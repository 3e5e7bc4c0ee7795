#pragma once
// The room effect's 70-byte state stream, built field by field as an independent reference for
// the tests that load states.
#include <cstdint>
#include <vector>

namespace vevadur::test
{
using Bytes = std::vector<std::uint8_t>;

template <typename T> inline void append(Bytes& bytes, T value)
{
    const auto* raw = reinterpret_cast<const std::uint8_t*>(&value);
    bytes.insert(bytes.end(), raw, raw + sizeof(T));
}

// The room effect's 70-byte state, built field by field.
struct RoomState
{
    int64_t version = 1;
    float gain = 0.5f;
    uint32_t position = 0;
    float volLR = 1.0f, absLR = 7.0f, volFB = 1.0f, absFB = 7.0f, volCF = 1.0f, absCF = 7.0f;
    int32_t decayType = 1;
    uint32_t stereoMono = 0, leftRight = 0;
    float speed = 0.0f;
    uint32_t reverse = 0;
    int16_t bypass = 0;
    float joyX = 0.0f, joyY = 0.0f;

    Bytes bytes(bool withJoystick = true) const
    {
        Bytes b;
        append(b, version);
        append(b, gain);
        append(b, position);
        for (float v : {volLR, absLR, volFB, absFB, volCF, absCF})
            append(b, v);
        append(b, decayType);
        append(b, stereoMono);
        append(b, leftRight);
        append(b, speed);
        append(b, reverse);
        append(b, bypass);
        if (withJoystick)
        {
            append(b, joyX);
            append(b, joyY);
        }
        return b;
    }
};

} // namespace vevadur::test
