#include "engine/reference/SpectralStore.h"

#include <algorithm>

namespace Engine
{
SpectralStore::SpectralStore(int32_t segmentLength, int32_t blockSize)
    : m_partitionCount(std::max(segmentLength, 0) / std::max(blockSize, 1)),
      m_inputHistory(static_cast<size_t>(std::max(blockSize, 1)) * m_partitionCount),
      m_partitionSpectra(m_inputHistory.size())
{
}

void SpectralStore::clear()
{
    std::fill(m_inputHistory.begin(), m_inputHistory.end(), Complex{});
    std::fill(m_partitionSpectra.begin(), m_partitionSpectra.end(), Complex{});
}
} // namespace Engine
