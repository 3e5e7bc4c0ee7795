#include "engine/RoomStage.h"

#include "engine/SampleGuard.h"

#include <algorithm>

namespace Engine
{
namespace
{
constexpr int kInputPairs = kInputs / 2;
constexpr int kRightLeftRightInput = kComponents + ResponseBank::kLeftRight;
} // namespace

RoomStage::RoomStage(const ComponentResponse* responses, int32_t blockSize, int32_t partitionCount,
                     int32_t segmentStart)
    : m_responses(responses), m_blockSize(blockSize), m_transformSize(2 * blockSize),
      m_partitionCount(std::max(partitionCount, 1)), m_segmentStart(segmentStart),
      m_groups((blockSize + 1 + 7) / 8 * 2),
      m_groupsPerComponent((m_partitionCount + SpectralRows::kMaxRows - 1) /
                           SpectralRows::kMaxRows),
      m_accumulateSteps(kComponents * m_groupsPerComponent), m_fft(m_transformSize),
      m_kernel(earsKernel()), m_earKernel(earKernel()),
      m_inputBlocks(size_t(2) * kInputs * m_blockSize),
      m_gatherBlocks(size_t(2) * kComponents * m_blockSize),
      m_inputSpectra(size_t(kComponents) * m_partitionCount * m_groups * SpectralRows::kInputGroup),
      m_responseSpectra(size_t(kComponents) * m_partitionCount * m_groups *
                        SpectralRows::kResponseGroup),
      m_sums(size_t(m_groups) * SpectralRows::kInputGroup),
      m_outputBlocks(size_t(kEars) * m_transformSize), m_scratchRe(m_transformSize),
      m_scratchIm(m_transformSize), m_resultRe(m_transformSize), m_resultIm(m_transformSize),
      m_pairSpectra(size_t(4) * (blockSize + 1)),
      m_silentInput(size_t(kInputs) * m_partitionCount, 1),
      m_dirty(size_t(kComponents) * m_partitionCount, 0), m_previousSlot(m_partitionCount - 1)
{
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

double* RoomStage::inputRow(int component, int32_t slot)
{
    const size_t row = size_t(component) * m_partitionCount + slot;
    return &m_inputSpectra[row * m_groups * SpectralRows::kInputGroup];
}

double* RoomStage::responseRow(int component, int32_t partition)
{
    const size_t row = size_t(component) * m_partitionCount + partition;
    return &m_responseSpectra[row * m_groups * SpectralRows::kResponseGroup];
}

// Bins 0 .. B of one ear's input spectrum into its component's row; the padding stays zero.
void RoomStage::packInput(int input, int32_t slot, Split spectrum)
{
    constexpr int kLanes = SpectralRows::kBinsPerGroup;
    double* row = inputRow(input % kComponents, slot) + (input / kComponents) * 2 * kLanes;
    for (int32_t k = 0; k <= m_blockSize; ++k)
    {
        double* group = row + (k / kLanes) * SpectralRows::kInputGroup + k % kLanes;
        group[0] = spectrum.re[k];
        group[kLanes] = spectrum.im[k];
    }
}

void RoomStage::packResponse(int component, int32_t partition, Split spectrum)
{
    constexpr int kLanes = SpectralRows::kBinsPerGroup;
    double* row = responseRow(component, partition);
    for (int32_t k = 0; k <= m_blockSize; ++k)
    {
        double* group = row + (k / kLanes) * SpectralRows::kResponseGroup + k % kLanes;
        group[0] = spectrum.re[k];
        group[kLanes] = spectrum.im[k];
    }
}

uint8_t& RoomStage::silentInput(int input, int32_t slot)
{
    return m_silentInput[size_t(input) * m_partitionCount + slot];
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
                           m_inputSpectra.capacity() + m_responseSpectra.capacity() +
                           m_sums.capacity() + m_outputBlocks.capacity() + m_scratchRe.capacity() +
                           m_scratchIm.capacity() + m_resultRe.capacity() + m_resultIm.capacity() +
                           m_pairSpectra.capacity();
    return sizeof(*this) + doubles * sizeof(double) + m_dirty.capacity() +
           m_silentInput.capacity() + m_fft.memoryBytes();
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
        if (blockEnds)
        {
            completeBlock();
            outLeft[done + count - 1] = left[0];
            outRight[done + count - 1] = right[0];
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
}

// ---- rest ----------------------------------------------------------------------------------

bool RoomStage::steady() const
{
    if (m_dirtyCount != 0 || m_pendingCount != 0) return false;
    for (int c = 0; c < kComponents; ++c)
        if (m_gathering[c]) return false;
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
        m_stepsTotal = kInputPairs + transformSteps() + m_accumulateSteps;
    }
    m_position = int32_t(total % m_blockSize);
    m_stepsDone = int32_t(int64_t(m_stepsTotal) * m_position / m_blockSize);
}

void RoomStage::restart()
{
    for (std::vector<double>* buffer : {&m_inputBlocks, &m_gatherBlocks, &m_inputSpectra,
                                        &m_responseSpectra, &m_sums, &m_outputBlocks})
        std::fill(buffer->begin(), buffer->end(), 0.0);
    std::fill(m_silentInput.begin(), m_silentInput.end(), uint8_t(1));
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
    inverseToOutput();
    std::fill(m_sums.begin(), m_sums.end(), 0.0);
    retireGathers();
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

// Spectra of two real blocks of B samples, zero-padded to N, through one complex transform of
// a + ib. The bins stay in the transform's scrambled order: a spectrum holds B + 1 bins, one of
// each pair k, N - k (the other is its conjugate), in the order representatives() lists them.
// Every row, response and sum uses that order, and the products are taken bin by bin, so the
// order never needs undoing. b may be null, then only a's spectrum is made.
void RoomStage::transformRealPair(const double* a, const double* b, Split aOut, Split bOut)
{
    const int32_t half = m_blockSize;
    std::copy(a, a + half, m_scratchRe.begin());
    std::fill(m_scratchRe.begin() + half, m_scratchRe.end(), 0.0);
    if (b)
        std::copy(b, b + half, m_scratchIm.begin());
    else
        std::fill(m_scratchIm.begin(), m_scratchIm.begin() + half, 0.0);
    std::fill(m_scratchIm.begin() + half, m_scratchIm.end(), 0.0);
    m_fft.forwardScrambled(m_scratchRe.data(), m_scratchIm.data(), m_resultRe.data(),
                           m_resultIm.data());
    const double* zr = m_resultRe.data();
    const double* zi = m_resultIm.data();
    forEachRepresentative(
        [&](int32_t bin, int32_t p, int32_t mirror)
        {
            aOut.re[bin] = 0.5 * (zr[p] + zr[mirror]);
            aOut.im[bin] = 0.5 * (zi[p] - zi[mirror]);
            if (b)
            {
                bOut.re[bin] = 0.5 * (zi[p] + zi[mirror]);
                bOut.im[bin] = -0.5 * (zr[p] - zr[mirror]);
            }
        });
}

RoomStage::Split RoomStage::pairSpectrum(int which)
{
    const size_t bins = size_t(m_blockSize) + 1;
    return {&m_pairSpectra[2 * which * bins], &m_pairSpectra[(2 * which + 1) * bins]};
}

// A silent block's spectrum is zero: once its slot holds zeros there is nothing to transform.
void RoomStage::transformInputs(int32_t pair)
{
    const int previous = m_current ^ 1;
    const int a = 2 * pair;
    const int b = a + 1;
    const double* blockA = inputBlock(previous, a);
    const double* blockB = inputBlock(previous, b);
    const auto isZero = [](double x) { return x == 0.0; };
    const bool silentA = std::all_of(blockA, blockA + m_blockSize, isZero);
    const bool silentB = std::all_of(blockB, blockB + m_blockSize, isZero);
    uint8_t& slotA = silentInput(a, m_previousSlot);
    uint8_t& slotB = silentInput(b, m_previousSlot);
    if (!(silentA && silentB && slotA && slotB))
    {
        transformRealPair(blockA, blockB, pairSpectrum(0), pairSpectrum(1));
        packInput(a, m_previousSlot, pairSpectrum(0));
        packInput(b, m_previousSlot, pairSpectrum(1));
    }
    slotA = silentA;
    slotB = silentB;
}

void RoomStage::transformPartitions(int32_t pair)
{
    const int previous = m_current ^ 1;
    const int a = m_pending[2 * pair];
    const bool hasSecond = 2 * pair + 1 < m_pendingCount;
    const int b = hasSecond ? m_pending[2 * pair + 1] : a;
    transformRealPair(gatherBlock(previous, a), hasSecond ? gatherBlock(previous, b) : nullptr,
                      pairSpectrum(0), pairSpectrum(1));
    packResponse(a, m_pendingPartition, pairSpectrum(0));
    if (hasSecond) packResponse(b, m_pendingPartition, pairSpectrum(1));
}

// One step of the next output block's spectrum: for one component and a group of partitions m,
// every bin of both ears takes the input spectrum m blocks back times partition m's spectrum.
// Whole rows stream through memory in order.
void RoomStage::accumulate(int32_t step)
{
    const int c = step / m_groupsPerComponent;
    const int32_t firstPartition = (step % m_groupsPerComponent) * SpectralRows::kMaxRows;
    const int32_t endPartition =
        std::min(firstPartition + SpectralRows::kMaxRows, m_partitionCount);
    // Products with a silent block are zero: leaving them out changes no sum. A row with one
    // silent ear (a rotation weight of 0, as with "Speed" 0) goes through the one-ear kernel.
    SpectralRows both, ear[kEars];
    for (int32_t m = firstPartition; m < endPartition; ++m)
    {
        const int32_t slot = (m_previousSlot - m + m_partitionCount) % m_partitionCount;
        const bool silentLeft = silentInput(c, slot);
        const bool silentRight = silentInput(kComponents + c, slot);
        if (silentLeft && silentRight) continue;
        SpectralRows& rows = silentRight ? ear[0] : silentLeft ? ear[1] : both;
        rows.inputs[rows.count] = inputRow(c, slot);
        rows.responses[rows.count] = responseRow(c, m);
        ++rows.count;
    }
    if (both.count > 0) m_kernel(m_sums.data(), both, m_groups);
    for (int e = 0; e < kEars; ++e)
        if (ear[e].count > 0) m_earKernel(m_sums.data(), ear[e], m_groups, e);
}

// Both ears through one complex inverse transform (left + i right), then overlap-add.
void RoomStage::inverseToOutput()
{
    const int32_t n = m_transformSize;
    const int32_t half = m_blockSize;
    constexpr int kLanes = SpectralRows::kBinsPerGroup;
    forEachRepresentative(
        [&](int32_t bin, int32_t p, int32_t mirror)
        {
            const double* group =
                &m_sums[(bin / kLanes) * SpectralRows::kInputGroup + bin % kLanes];
            const double lr = group[0], li = group[kLanes];
            const double rr = group[2 * kLanes], ri = group[3 * kLanes];
            m_scratchRe[p] = lr - ri;
            m_scratchIm[p] = li + rr;
            if (mirror != p)
            {
                m_scratchRe[mirror] = lr + ri;
                m_scratchIm[mirror] = rr - li;
            }
        });
    m_fft.inverseScrambled(m_scratchRe.data(), m_scratchIm.data(), m_resultRe.data(),
                           m_resultIm.data());
    const double scale = 1.0 / n;
    const double* ears[kEars] = {m_resultRe.data(), m_resultIm.data()};
    for (int ear = 0; ear < kEars; ++ear)
    {
        double* out = &m_outputBlocks[size_t(ear) * n];
        const double* y = ears[ear];
        for (int32_t i = 0; i < half; ++i)
            out[i] = y[i] * scale + out[half + i];
        for (int32_t i = half; i < n; ++i)
            out[i] = y[i] * scale;
    }
}
} // namespace Engine
