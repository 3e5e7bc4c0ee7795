#pragma once

#include <cstdint>

// The side-chain input of one frame or one block, as the binding hands it to the effect.
struct AuxInputInfo
{
    int32_t kind = 1;
    const float* frame = nullptr; // two floats, per-frame mode
    void* reserved = nullptr;
    float** channelBuffers = nullptr; // channel-buffer mode
    int32_t channelCount = 0;
    bool valid = false;
};
