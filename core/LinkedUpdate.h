#pragma once

#include <cstdint>

// A further control change an effect asks for after one change; allocated by the effect,
// handed back to it for freeing.
struct LinkedUpdate
{
    uint32_t controlId = 0;
    float value = 0.0f; // plain value
    LinkedUpdate* next = nullptr;
};
