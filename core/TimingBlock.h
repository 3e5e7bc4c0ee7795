#pragma once

#include <cstdint>

// The host's transport position as the binding passes it to the effect each frame.
// The leading fields are filled by the binding; the rest stays zero.
struct TimingBlock
{
    uint64_t samplePosition = 0;
    double timeSeconds = 0.0;
    double tempo = 0.0;
    float timeSigNumerator = 0.0f;
    uint32_t timeSigDenominator = 0;
    uint8_t reserved[152] = {};
};
static_assert(sizeof(TimingBlock) == 184, "the timing block is 184 bytes");
