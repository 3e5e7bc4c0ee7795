#pragma once

#include "engine/DecayEnvelope.h"
#include "engine/bank/TableRef.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace Engine
{
// A component gain the convolution can carry: non-finite counts as 0, and 120 dB either way
// keeps every product of the convolution finite.
inline double usableComponentGain(double g)
{
    constexpr double kMaxGain = 1e6;
    return std::isfinite(g) ? std::clamp(g, -kMaxGain, kMaxGain) : 0.0;
}

// One wall-pair component of the room response, described rather than stored:
//   response[i] = envelope(i) x gain x table[i],
// the product the reference convolver keeps in its combined response, in the same order of
// operations, so either way gives the same numbers. Entries at or beyond the table's length, or
// of a table with no data, count as zero.
struct ComponentResponse
{
    explicit ComponentResponse(int32_t tableLength) : table(tableLength) {}

    double at(int32_t i) const
    {
        const double sample = table.data != nullptr && i < table.length ? table.data[i] : 0.0;
        return envelope.at(i) * gain * sample;
    }

    void fill(double* out, int32_t first, int32_t count) const
    {
        for (int32_t n = 0; n < count; ++n)
            out[n] = at(first + n);
    }

    TableRef table;
    double gain = 1.0; // a fresh convolver's gains are 1 until set
    DecayEnvelope envelope;
};
} // namespace Engine
