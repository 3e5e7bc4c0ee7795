#include "engine/SpectralStore.h"

#include <algorithm>

SpectralStore::SpectralStore(int32_t segmentLength, int32_t blockSize)
    : partitionCount_(std::max(segmentLength, 0) / std::max(blockSize, 1)),
      inputHistory_(static_cast<size_t>(std::max(blockSize, 1)) * partitionCount_),
      partitionSpectra_(inputHistory_.size())
{
}

void SpectralStore::clear()
{
    std::fill(inputHistory_.begin(), inputHistory_.end(), Complex{});
    std::fill(partitionSpectra_.begin(), partitionSpectra_.end(), Complex{});
}
