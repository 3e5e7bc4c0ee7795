#include "engine/RoomStage.h"

#include "engine/SampleGuard.h"

#include <algorithm>

namespace Engine
{
namespace
{
constexpr int kInputPairs = kInputs / 2;
constexpr int kRightLeftRightInput = kComponents + ResponseBank::kLeftRight;

// Partitions one step of a block's products takes: a batch's worth of long rows, or all of a
// component's short ones (a step's own cost would outweigh products of a few hundred bins).
int32_t partitionsPerStep(int32_t blockSize, int32_t partitions)
{
    constexpr int32_t kGroupRowsPerStep = 2048;
    return std::clamp(kGroupRowsPerStep / PairedTransform::groupsFor(blockSize),
                      int32_t(SpectralRows::kMaxRows), partitions);
}
} // namespace

RoomStage::RoomStage(const ComponentResponse* responses, int32_t blockSize, int32_t partitionCount,
                     int32_t segmentStart, Layout layout)
    : m_responses(responses), m_blockSize(blockSize), m_transformSize(2 * blockSize),
      m_partitionCount(std::max(partitionCount, 1)), m_segmentStart(segmentStart),
      m_partitionsPerStep(partitionsPerStep(blockSize, m_partitionCount)),
      m_stepsPerComponent((m_partitionCount + m_partitionsPerStep - 1) / m_partitionsPerStep),
      m_accumulateSteps(kComponents * m_stepsPerComponent), m_groupedPartitions(m_partitionCount),
      m_transform(blockSize), m_kernel(earsKernel()), m_earKernel(earKernel()),
      m_inputBlocks(size_t(2) * kInputs * m_blockSize),
      m_gatherBlocks(size_t(2) * kComponents * m_blockSize),
      m_rows(m_partitionCount, m_transform.inputRowDoubles(), m_transform.responseRowDoubles()),
      m_sums(size_t(kBlocksPerPass) * m_transform.inputRowDoubles()),
      m_outputBlocks(size_t(kEars) * m_transformSize),
      m_dirty(size_t(kComponents) * m_partitionCount, 0), m_previousSlot(m_partitionCount - 1)
{
    if (layout == Layout::kCoarseLevel && m_partitionCount > CoarseLevel::kFirstPartition)
    {
        m_coarse = std::make_unique<CoarseLevel>(responses, blockSize, m_partitionCount,
                                                 segmentStart, m_kernel, m_earKernel);
        m_groupedPartitions = CoarseLevel::kFirstPartition;
    }
    // The first block's work transforms the silence before it.
    m_stepsTotal = kInputPairs + m_accumulateSteps;
}

// ---- storage -------------------------------------------------------------------------------

double* RoomStage::inputBlock(int buffer, int input)
{
    return &m_inputBlocks[(size_t(buffer) * kInputs + input) * m_blockSize];
}

double* RoomStage::gatherBlock(int buffer, int component)
{
    return &m_gatherBlocks[(size_t(buffer) * kComponents + component) * m_blockSize];
}

double* RoomStage::sums(int64_t block)
{
    return &m_sums[size_t(block % kBlocksPerPass) * m_transform.inputRowDoubles()];
}

bool RoomStage::dirty(int component, int32_t partition) const
{
    return m_dirty[size_t(component) * m_partitionCount + partition] != 0;
}

void RoomStage::setDirty(int component, int32_t partition, bool stale)
{
    uint8_t& flag = m_dirty[size_t(component) * m_partitionCount + partition];
    m_dirtyCount += int32_t(stale) - int32_t(flag);
    flag = stale ? 1 : 0;
}

size_t RoomStage::memoryBytes() const
{
    const size_t doubles = m_inputBlocks.capacity() + m_gatherBlocks.capacity() +
                           m_sums.capacity() + m_outputBlocks.capacity();
    return sizeof(*this) + doubles * sizeof(double) + m_dirty.capacity() + m_rows.memoryBytes() +
           m_transform.memoryBytes() + (m_coarse ? m_coarse->memoryBytes() : 0);
}

// ---- frames --------------------------------------------------------------------------------

void RoomStage::process(const double* const* inputs, double* outLeft, double* outRight,
                        int32_t frames)
{
    int32_t done = 0;
    while (done < frames)
    {
        const int32_t from = m_position;
        const int32_t count = std::min(frames - done, m_blockSize - from);
        const int32_t to = from + count;
        storeInputs(inputs, done, from, count);
        gatherResponses(to);
        // The output after taking frame k is entry k + 1 of the block being output; after the
        // block's last frame it is the first entry of the next block.
        const bool blockEnds = to == m_blockSize;
        const int32_t fromThisBlock = blockEnds ? count - 1 : count;
        const double* left = &m_outputBlocks[0];
        const double* right = &m_outputBlocks[m_transformSize];
        std::copy(left + from + 1, left + from + 1 + fromThisBlock, outLeft + done);
        std::copy(right + from + 1, right + from + 1 + fromThisBlock, outRight + done);
        // The coarse level's output follows the same rule over its longer blocks.
        const int32_t coarseOffset = int32_t(m_block % CoarseLevel::kRatio) * m_blockSize;
        if (m_coarse)
            m_coarse->addOutput(outLeft + done, outRight + done, coarseOffset + from + 1,
                                fromThisBlock);
        if (blockEnds)
        {
            completeBlock();
            outLeft[done + count - 1] = left[0];
            outRight[done + count - 1] = right[0];
            if (m_coarse)
                m_coarse->addOutput(outLeft + done + count - 1, outRight + done + count - 1,
                                    coarseOffset + m_blockSize, 1);
            m_position = 0;
        }
        else
        {
            m_position = to;
            advanceWork(to);
        }
        done += count;
    }
}

void RoomStage::storeInputs(const double* const* inputs, int32_t offset, int32_t from,
                            int32_t count)
{
    for (int e = 0; e < kInputs; ++e)
    {
        const double* in = inputs[e] + offset;
        double* block = inputBlock(m_current, e) + from;
        const double sign = e == kRightLeftRightInput ? -1.0 : 1.0;
        for (int32_t i = 0; i < count; ++i)
            block[i] = sign * guardedSample(in[i]);
    }
}

void RoomStage::gatherResponses(int32_t upTo)
{
    const int32_t first = m_segmentStart + m_partition * m_blockSize;
    for (int c = 0; c < kComponents; ++c)
    {
        if (!m_gathering[c] || m_gathered[c] >= upTo) continue;
        m_responses[c].fill(gatherBlock(m_current, c) + m_gathered[c], first + m_gathered[c],
                            upTo - m_gathered[c]);
        m_gathered[c] = upTo;
    }
}

// ---- response changes ----------------------------------------------------------------------

void RoomStage::responseChanging(int component)
{
    if (component < 0 || component >= kComponents) return;
    // The frames taken so far in this block gathered the old response; a partition that was not
    // being gathered is gathered from here on, its first part from the old response.
    if (!m_gathering[component])
    {
        m_gathering[component] = true;
        m_gathered[component] = 0;
    }
    gatherResponses(m_position);
}

void RoomStage::responseChanged(int component)
{
    if (component < 0 || component >= kComponents) return;
    if (m_position > 0) m_mixed[component] = true;
    for (int32_t p = 0; p < m_partitionCount; ++p)
        setDirty(component, p, true);
    if (m_coarse) m_coarse->responseChanged(component);
}

// ---- rest ----------------------------------------------------------------------------------

bool RoomStage::steady() const
{
    if (m_dirtyCount != 0 || m_pendingCount != 0) return false;
    for (int c = 0; c < kComponents; ++c)
        if (m_gathering[c]) return false;
    return true;
}

// Every partition of the component holds the response in force, and none is being gathered or
// waits to be transformed.
bool RoomStage::settled(int component) const
{
    if (!m_restarted || m_gathering[component]) return false;
    for (int i = 0; i < m_pendingCount; ++i)
        if (m_pending[i] == component) return false;
    for (int32_t p = 0; p < m_partitionCount; ++p)
        if (dirty(component, p)) return false;
    return true;
}

// What process() and completeBlock() do to the block phase, without the work: with every input,
// spectrum, sum and output at zero, that work would only write zeros over zeros.
// Any number of frames at once: an hour of silence costs what a block does.
void RoomStage::rest(int64_t frames)
{
    if (frames <= 0) return;
    const int64_t total = m_position + frames;
    const int64_t blocks = total / m_blockSize;
    if (blocks > 0)
    {
        // As completeBlock leaves the counters after the last of these blocks.
        const int32_t last = int32_t((m_partition + blocks - 1) % m_partitionCount);
        m_previousSlot = last;
        m_pendingPartition = last;
        m_current ^= int(blocks & 1);
        m_partition = last + 1 < m_partitionCount ? last + 1 : 0;
        m_block += blocks;
        m_stepsTotal = kInputPairs + transformSteps() + m_accumulateSteps;
    }
    m_position = int32_t(total % m_blockSize);
    m_stepsDone = int32_t(int64_t(m_stepsTotal) * m_position / m_blockSize);
}

void RoomStage::restart()
{
    for (std::vector<double>* buffer : {&m_inputBlocks, &m_gatherBlocks, &m_sums, &m_outputBlocks})
        std::fill(buffer->begin(), buffer->end(), 0.0);
    m_rows.clear();
    // A fresh stage meets its first responses in its first block: all partitions are stale and
    // gathered one per block from the first on, each in time for the input it meets.
    for (int c = 0; c < kComponents; ++c)
    {
        for (int32_t p = 0; p < m_partitionCount; ++p)
            setDirty(c, p, true);
        m_gathering[c] = true;
        m_mixed[c] = false;
        m_gathered[c] = 0;
    }
    m_position = 0;
    m_partition = 0;
    m_current = 0;
    m_block = 0;
    m_restarted = true;
    if (m_coarse) m_coarse->restart();
    m_pendingCount = 0;
    m_pendingPartition = 0;
    m_previousSlot = m_partitionCount - 1;
    m_stepsDone = 0;
    m_stepsTotal = kInputPairs + m_accumulateSteps;
}

// ---- block work ----------------------------------------------------------------------------

void RoomStage::advanceWork(int32_t position)
{
    const int32_t target = int32_t(int64_t(m_stepsTotal) * position / m_blockSize);
    while (m_stepsDone < target)
        runStep(m_stepsDone++);
}

void RoomStage::finishWork()
{
    while (m_stepsDone < m_stepsTotal)
        runStep(m_stepsDone++);
}

void RoomStage::runStep(int32_t step)
{
    if (step < kInputPairs) return transformInputs(step);
    step -= kInputPairs;
    if (step < transformSteps()) return transformPartitions(step);
    accumulate(step - transformSteps());
}

void RoomStage::completeBlock()
{
    finishWork();
    double* blockSums = sums(m_block);
    m_transform.inverseToOutput(blockSums, &m_outputBlocks[0], &m_outputBlocks[m_transformSize]);
    std::fill(blockSums, blockSums + m_transform.inputRowDoubles(), 0.0);
    retireGathers();
    if (m_coarse)
    {
        const double* inputs[kInputs];
        for (int e = 0; e < kInputs; ++e)
            inputs[e] = inputBlock(m_current, e);
        m_coarse->takeInputBlock(m_block, inputs);
    }
    ++m_block;
    m_previousSlot = m_partition;
    m_current ^= 1;
    m_partition = m_partition + 1 < m_partitionCount ? m_partition + 1 : 0;
    for (int c = 0; c < kComponents; ++c)
    {
        m_gathering[c] = dirty(c, m_partition);
        m_mixed[c] = false;
        m_gathered[c] = 0;
    }
    m_stepsDone = 0;
    m_stepsTotal = kInputPairs + transformSteps() + m_accumulateSteps;
    if (m_coarse) beginCoarseBlock();
}

void RoomStage::beginCoarseBlock()
{
    bool settledComponents[kComponents];
    for (int c = 0; c < kComponents; ++c)
        settledComponents[c] = settled(c);
    m_coarse->beginBlock(m_block, settledComponents, m_rows.responses());
}

// The partitions gathered in the block just ended are transformed during the next one. One
// gathered entirely from the response now in force is up to date once transformed.
void RoomStage::retireGathers()
{
    m_pendingCount = 0;
    m_pendingPartition = m_partition;
    for (int c = 0; c < kComponents; ++c)
    {
        if (!m_gathering[c]) continue;
        m_pending[m_pendingCount++] = c;
        setDirty(c, m_partition, m_mixed[c]);
    }
}

void RoomStage::transformInputs(int32_t pair)
{
    const int previous = m_current ^ 1;
    const int a = 2 * pair, b = a + 1;
    m_transform.transformSoundingInputs(inputBlock(previous, a), m_rows.inputEar(a, m_previousSlot),
                                        m_rows.silent(a, m_previousSlot), inputBlock(previous, b),
                                        m_rows.inputEar(b, m_previousSlot),
                                        m_rows.silent(b, m_previousSlot));
}

void RoomStage::transformPartitions(int32_t pair)
{
    const int previous = m_current ^ 1;
    const int a = m_pending[2 * pair];
    const bool hasSecond = 2 * pair + 1 < m_pendingCount;
    const int b = hasSecond ? m_pending[2 * pair + 1] : a;
    m_transform.transformResponses(gatherBlock(previous, a),
                                   hasSecond ? gatherBlock(previous, b) : nullptr,
                                   m_rows.response(a, m_pendingPartition),
                                   hasSecond ? m_rows.response(b, m_pendingPartition) : nullptr);
    if (!m_coarse) return;
    m_coarse->partitionRewritten(a, m_pendingPartition);
    if (hasSecond) m_coarse->partitionRewritten(b, m_pendingPartition);
}

// One step of the next output block's spectrum: for one component and a group of partitions m,
// every bin of both ears takes the input spectrum m blocks back times partition m's spectrum.
// Whole rows stream through memory in order. Products the coarse level computes are left out,
// or brought up to date with the difference from its snapshot (addProducts).
//
// Grouped, block b + i's spectrum takes input b - 1 - m times partition m + i. For the blocks
// of a group b .. b + G - 1, the pass of block b sums every such product of the grouped
// partitions whose input is already here and whose partition's spectrum holds until then,
// reading each of their input and response rows once for the whole group. Left for block b + j:
// the newest inputs (b .. b + j - 1, partitions below j) and the partitions gathered in blocks
// b .. b + j - 1, whose spectra may change before block b + j.
void RoomStage::accumulate(int32_t step)
{
    const int c = step / m_stepsPerComponent;
    const int32_t firstPartition = (step % m_stepsPerComponent) * m_partitionsPerStep;
    const int32_t endPartition = std::min(firstPartition + m_partitionsPerStep, m_partitionCount);
    const int32_t groups = m_transform.groups();
    SpectralBatch batches[kBlocksPerPass] = {
        {m_kernel, m_earKernel, sums(m_block), groups},
        {m_kernel, m_earKernel, sums(m_block + 1), groups},
    };
    static_assert(kBlocksPerPass == 2, "one batch for each block of a group");
    const int32_t j = int32_t(m_block % kBlocksPerPass);
    for (int32_t m = firstPartition; m < endPartition; ++m)
    {
        const int32_t slot = inputSlot(m);
        const double* input = m_rows.input(c, slot);
        const bool silentLeft = m_rows.silent(c, slot);
        const bool silentRight = m_rows.silent(kComponents + c, slot);
        if (m >= m_groupedPartitions)
        {
            addProducts(batches[0], c, m, input, silentLeft, silentRight);
        }
        else if (j == 0)
        {
            for (int i = 0; i < kBlocksPerPass && m + i < m_groupedPartitions; ++i)
            {
                const int32_t p = m + i;
                if (!gatheredInNext(p, i))
                    batches[i].add(input, m_rows.response(c, p), silentLeft, silentRight);
            }
        }
        else if (m < j || gatheredInLast(m, j))
        {
            batches[0].add(input, m_rows.response(c, m), silentLeft, silentRight);
        }
    }
    SpectralBatch::runTogether(batches, kBlocksPerPass);
}

// Whether partition p is gathered in this block or the `blocks` - 1 after it: its spectrum may
// change before then.
bool RoomStage::gatheredInNext(int32_t p, int32_t blocks) const
{
    return (p - m_partition + m_partitionCount) % m_partitionCount < blocks;
}

// Whether partition p was gathered in one of the `blocks` blocks before this one.
bool RoomStage::gatheredInLast(int32_t p, int32_t blocks) const
{
    const int32_t ago = (m_partition - p + m_partitionCount) % m_partitionCount;
    return ago >= 1 && ago <= blocks;
}

void RoomStage::addProducts(SpectralBatch& batch, int c, int32_t m, const double* input,
                            bool silentLeft, bool silentRight)
{
    const bool coarse =
        m_coarse && m >= CoarseLevel::kFirstPartition && m_coarse->computes(c, m_block - 1 - m, m);
    if (!coarse)
    {
        batch.add(input, m_rows.response(c, m), silentLeft, silentRight);
    }
    else if (m_coarse->rewritten(c, m))
    {
        batch.add(input, m_rows.response(c, m), silentLeft, silentRight);
        batch.add(input, m_coarse->negatedSnapshot(c, m), silentLeft, silentRight);
    }
}
} // namespace Engine
