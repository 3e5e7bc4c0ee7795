#include "engine/CoarseLevel.h"

#include <algorithm>
#include <limits>

namespace Engine
{
namespace
{
constexpr int64_t kNever = std::numeric_limits<int64_t>::min() / 2;

int64_t floorDiv(int64_t a, int64_t b)
{
    const int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}
} // namespace

CoarseLevel::CoarseLevel(const ComponentResponse* responses, int32_t stageBlock,
                         int32_t stagePartitions, int32_t segmentStart, EarsKernel ears,
                         EarKernel ear)
    : m_responses(responses), m_stageBlock(stageBlock), m_blockSize(kRatio * stageBlock),
      m_stagePartitions(stagePartitions), m_segmentStart(segmentStart),
      m_partitionCount(std::max(0, (stagePartitions - kFirstPartition + kRatio - 1) / kRatio)),
      m_snapshotRows(std::max(0, stagePartitions - kFirstPartition)), m_transform(m_blockSize),
      m_kernel(ears), m_earKernel(ear), m_inputBlocks(size_t(2) * kInputs * m_blockSize),
      m_gather(size_t(2) * m_blockSize),
      m_rows(m_partitionCount, m_transform.inputRowDoubles(), m_transform.responseRowDoubles()),
      m_sums(size_t(2) * m_transform.inputRowDoubles()),
      m_outputBlocks(size_t(kEars) * 2 * m_blockSize),
      m_snapshot(size_t(kComponents) * m_snapshotRows *
                 PairedTransform::responseRowDoublesFor(stageBlock)),
      m_rewritten(size_t(kComponents) * m_snapshotRows)
{
    restart();
}

// ---- storage -------------------------------------------------------------------------------

double* CoarseLevel::inputBlock(int buffer, int input)
{
    return &m_inputBlocks[(size_t(buffer) * kInputs + input) * m_blockSize];
}

double* CoarseLevel::sums(int64_t coarseBlock)
{
    return &m_sums[size_t(coarseBlock & 1) * m_transform.inputRowDoubles()];
}

size_t CoarseLevel::snapshotRow(int component, int32_t partition) const
{
    return size_t(component) * m_snapshotRows + size_t(partition - kFirstPartition);
}

bool CoarseLevel::decidedToCompute(int component, int64_t coarseBlock) const
{
    const int ring = int(coarseBlock & (kRing - 1));
    return m_decidedBlock[ring] == coarseBlock &&
           (m_computedComponents[ring] & (1u << component)) != 0;
}

int32_t CoarseLevel::slotOf(int64_t coarseBlock) const
{
    const int64_t slot = coarseBlock % m_partitionCount;
    return int32_t(slot < 0 ? slot + m_partitionCount : slot);
}

size_t CoarseLevel::memoryBytes() const
{
    const size_t doubles = m_inputBlocks.capacity() + m_gather.capacity() + m_sums.capacity() +
                           m_outputBlocks.capacity() + m_snapshot.capacity();
    return sizeof(*this) + doubles * sizeof(double) + m_rewritten.capacity() +
           m_rows.memoryBytes() + m_transform.memoryBytes();
}

void CoarseLevel::restart()
{
    for (std::vector<double>* buffer : {&m_inputBlocks, &m_sums, &m_outputBlocks, &m_snapshot})
        std::fill(buffer->begin(), buffer->end(), 0.0);
    m_rows.clear();
    std::fill(m_rewritten.begin(), m_rewritten.end(), uint8_t(0));
    m_current = 0;
    for (int c = 0; c < kComponents; ++c)
    {
        m_snapshotCurrent[c] = false;
        m_lastComputed[c] = kNever;
    }
    std::fill(std::begin(m_decidedBlock), std::end(m_decidedBlock), kNever);
    std::fill(std::begin(m_computedComponents), std::end(m_computedComponents), uint8_t(0));
}

// ---- the stage's questions -----------------------------------------------------------------

bool CoarseLevel::computes(int component, int64_t inputBlock, int32_t partition) const
{
    // The coarse block whose work sums this product: its input's coarse block plus one plus
    // the coarse partition.
    return decidedToCompute(component, floorDiv(inputBlock, kRatio) +
                                           (partition - kFirstPartition) / kRatio + 1);
}

bool CoarseLevel::rewritten(int component, int32_t partition) const
{
    return m_rewritten[snapshotRow(component, partition)] != 0;
}

const double* CoarseLevel::negatedSnapshot(int component, int32_t partition) const
{
    return &m_snapshot[snapshotRow(component, partition) *
                       PairedTransform::responseRowDoublesFor(m_stageBlock)];
}

void CoarseLevel::partitionRewritten(int component, int32_t partition)
{
    if (partition >= kFirstPartition) m_rewritten[snapshotRow(component, partition)] = 1;
}

void CoarseLevel::responseChanged(int component)
{
    m_snapshotCurrent[component] = false;
}

// ---- blocks --------------------------------------------------------------------------------

void CoarseLevel::takeInputBlock(int64_t block, const double* const* inputs)
{
    const int32_t offset = int32_t(block - floorDiv(block, kRatio) * kRatio) * m_stageBlock;
    for (int e = 0; e < kInputs; ++e)
        std::copy(inputs[e], inputs[e] + m_stageBlock, inputBlock(m_current, e) + offset);
}

void CoarseLevel::beginBlock(int64_t block, const bool* settled, const double* stageResponses)
{
    const int64_t coarseBlock = floorDiv(block, kRatio);
    switch (block - coarseBlock * kRatio)
    {
    case 0:
        finishBlock(coarseBlock);
        // An odd block was decided with the even one before it.
        if ((coarseBlock & 1) == 0) decide(coarseBlock, settled, stageResponses);
        break;
    case 1:
        transformInputs(coarseBlock - 1);
        break;
    case 2:
        accumulate(0, coarseBlock);
        accumulate(1, coarseBlock);
        break;
    default:
        accumulate(2, coarseBlock);
        break;
    }
}

// The sums built for the block that just ended become the output of the one beginning.
void CoarseLevel::finishBlock(int64_t coarseBlock)
{
    double* blockSums = sums(coarseBlock - 1);
    m_transform.inverseToOutput(blockSums, &m_outputBlocks[0],
                                &m_outputBlocks[size_t(2) * m_blockSize]);
    std::fill(blockSums, blockSums + m_transform.inputRowDoubles(), 0.0);
    m_current ^= 1;
}

// Decides for an even coarse block and the odd one after it. The odd block's products use the
// snapshot too even if a response changes meanwhile: the stage brings rewritten partitions up
// to date with the difference, as for any product summed after a change.
void CoarseLevel::decide(int64_t coarseBlock, const bool* settled, const double* stageResponses)
{
    uint8_t computed = 0;
    bool snapshotTaken = false; // one per pair, so that no block carries the work of three
    for (int c = 0; c < kComponents; ++c)
    {
        if (!settled[c]) continue;
        // The stage sums a coarse block's products up to 2.25 coarse blocks after its start:
        // the old snapshot is free three blocks after the last that used it.
        if (!m_snapshotCurrent[c] && !snapshotTaken && coarseBlock - m_lastComputed[c] >= 3)
        {
            takeSnapshot(c, stageResponses);
            snapshotTaken = true;
        }
        if (!m_snapshotCurrent[c]) continue;
        computed |= uint8_t(1u << c);
        m_lastComputed[c] = coarseBlock + 1;
    }
    for (int64_t block = coarseBlock; block < coarseBlock + 2; ++block)
    {
        const int ring = int(block & (kRing - 1));
        m_decidedBlock[ring] = block;
        m_computedComponents[ring] = computed;
    }
}

void CoarseLevel::takeSnapshot(int component, const double* stageResponses)
{
    const size_t stageRow = PairedTransform::responseRowDoublesFor(m_stageBlock);
    for (int32_t m = kFirstPartition; m < m_stagePartitions; ++m)
    {
        const double* from =
            stageResponses + (size_t(component) * m_stagePartitions + m) * stageRow;
        std::transform(from, from + stageRow, &m_snapshot[snapshotRow(component, m) * stageRow],
                       [](double x) { return -x; });
        m_rewritten[snapshotRow(component, m)] = 0;
    }
    const int32_t segmentEnd = m_stagePartitions * m_stageBlock;
    for (int32_t q = 0; q < m_partitionCount; q += 2)
    {
        const bool pair = q + 1 < m_partitionCount;
        for (int k = 0; k < (pair ? 2 : 1); ++k)
        {
            double* block = &m_gather[size_t(k) * m_blockSize];
            const int32_t first = (kFirstPartition + kRatio * (q + k)) * m_stageBlock;
            const int32_t count = std::clamp(segmentEnd - first, 0, m_blockSize);
            m_responses[component].fill(block, m_segmentStart + first, count);
            std::fill(block + count, block + m_blockSize, 0.0);
        }
        m_transform.transformResponses(&m_gather[0], pair ? &m_gather[m_blockSize] : nullptr,
                                       m_rows.response(component, q),
                                       pair ? m_rows.response(component, q + 1) : nullptr);
    }
    m_snapshotCurrent[component] = true;
}

void CoarseLevel::transformInputs(int64_t inputBlock)
{
    const int previous = m_current ^ 1;
    const int32_t slot = slotOf(inputBlock);
    for (int a = 0; a < kInputs; a += 2)
        m_transform.transformSoundingInputs(
            this->inputBlock(previous, a), m_rows.inputEar(a, slot), m_rows.silent(a, slot),
            this->inputBlock(previous, a + 1), m_rows.inputEar(a + 1, slot),
            m_rows.silent(a + 1, slot));
}

// Block k's spectrum takes input k - 1 - q times partition q. An even block's pass sums its
// own products and, from the same input rows, the next block's of partitions 1 and on; the odd
// block adds only its newest input's product with partition 0.
void CoarseLevel::accumulate(int component, int64_t coarseBlock)
{
    const int32_t groups = m_transform.groups();
    const int rightInput = kComponents + component;
    if (coarseBlock & 1)
    {
        if (!decidedToCompute(component, coarseBlock)) return;
        const int32_t slot = slotOf(coarseBlock - 1);
        SpectralBatch batch(m_kernel, m_earKernel, sums(coarseBlock), groups);
        batch.add(m_rows.input(component, slot), m_rows.response(component, 0),
                  m_rows.silent(component, slot), m_rows.silent(rightInput, slot));
        return;
    }
    // The odd block was decided with this one, alike.
    if (!decidedToCompute(component, coarseBlock)) return;
    SpectralBatch batches[2] = {{m_kernel, m_earKernel, sums(coarseBlock), groups},
                                {m_kernel, m_earKernel, sums(coarseBlock + 1), groups}};
    // A batch's worth of input rows at a time, run for both blocks together while in cache.
    for (int32_t first = 0; first < m_partitionCount; first += SpectralRows::kMaxRows)
    {
        const int32_t end = std::min(first + SpectralRows::kMaxRows, m_partitionCount);
        for (int32_t q = first; q < end; ++q)
        {
            const int32_t slot = slotOf(coarseBlock - 1 - q);
            const double* input = m_rows.input(component, slot);
            const bool silentLeft = m_rows.silent(component, slot);
            const bool silentRight = m_rows.silent(rightInput, slot);
            batches[0].add(input, m_rows.response(component, q), silentLeft, silentRight);
            if (q + 1 < m_partitionCount)
                batches[1].add(input, m_rows.response(component, q + 1), silentLeft, silentRight);
        }
        SpectralBatch::runTogether(batches, 2);
    }
}

void CoarseLevel::addOutput(double* left, double* right, int32_t entry, int32_t count) const
{
    if (entry == m_blockSize) entry = 0; // the next block's, made when this one ended
    const double* outLeft = &m_outputBlocks[0];
    const double* outRight = &m_outputBlocks[size_t(2) * m_blockSize];
    for (int32_t i = 0; i < count; ++i)
    {
        left[i] += outLeft[entry + i];
        right[i] += outRight[entry + i];
    }
}
} // namespace Engine
