#include "engine/PartitionRows.h"

#include <algorithm>

namespace Engine
{
PartitionRows::PartitionRows(int32_t partitions, size_t inputRowDoubles, size_t responseRowDoubles)
    : m_partitions(partitions), m_inputRowDoubles(inputRowDoubles),
      m_responseRowDoubles(responseRowDoubles),
      m_inputs(size_t(kComponents) * partitions * inputRowDoubles),
      m_responses(size_t(kComponents) * partitions * responseRowDoubles),
      m_silent(size_t(kInputs) * partitions, 1)
{
}

void PartitionRows::clear()
{
    std::fill(m_inputs.begin(), m_inputs.end(), 0.0);
    std::fill(m_responses.begin(), m_responses.end(), 0.0);
    std::fill(m_silent.begin(), m_silent.end(), uint8_t(1));
}

size_t PartitionRows::memoryBytes() const
{
    return (m_inputs.capacity() + m_responses.capacity()) * sizeof(double) + m_silent.capacity();
}
} // namespace Engine
