#pragma once

#include "engine/HugePageAllocator.h"
#include "engine/RoomGeometry.h"
#include "engine/SpectralKernels.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Engine
{
// The spectra a uniformly partitioned convolution of the room's three components keeps, packed
// as the spectral kernel reads them (see SpectralRows): an input row (both ears) for each
// component and ring slot, a response row for each component and partition, and which input
// blocks were silent (their half of a row is then zero, and their products need not be summed).
// A ring holds as many slots as there are partitions. Nothing allocates after construction.
class PartitionRows
{
  public:
    PartitionRows(int32_t partitions, size_t inputRowDoubles, size_t responseRowDoubles);

    double* input(int component, int32_t slot)
    {
        return &m_inputs[(size_t(component) * m_partitions + slot) * m_inputRowDoubles];
    }
    // Input e's half of its component's row (e = ear * kComponents + component).
    double* inputEar(int input, int32_t slot)
    {
        return SpectralRows::earHalf(this->input(input % kComponents, slot), input / kComponents);
    }
    double* response(int component, int32_t partition)
    {
        return &m_responses[(size_t(component) * m_partitions + partition) * m_responseRowDoubles];
    }
    // All response rows, [component][partition].
    const double* responses() const { return m_responses.data(); }
    uint8_t& silent(int input, int32_t slot)
    {
        return m_silent[size_t(input) * m_partitions + slot];
    }

    // Every row zero, every input block silent, as before any input.
    void clear();
    size_t memoryBytes() const;

  private:
    using Store = std::vector<double, HugePageAllocator<double>>;

    int32_t m_partitions;
    size_t m_inputRowDoubles;
    size_t m_responseRowDoubles;
    Store m_inputs;                // [component][slot]: both ears
    Store m_responses;             // [component][partition]
    std::vector<uint8_t> m_silent; // [input][slot]
};
} // namespace Engine
