#include "engine/RoomStage.h"

#include "engine/SampleGuard.h"

#include <algorithm>

namespace
{
constexpr int kInputPairs = RoomStage::kInputs / 2;
constexpr int kRightLeftRightInput = RoomStage::kComponents + 1; // right ear, left-right walls
constexpr int kLeft = 0;
constexpr int kRight = 1;
} // namespace

RoomStage::RoomStage(const ComponentResponse* responses, int32_t blockSize,
                     int32_t partitionCount, int32_t segmentStart)
    : responses_(responses), blockSize_(blockSize), transformSize_(2 * blockSize),
      partitionCount_(std::max(partitionCount, 1)), segmentStart_(segmentStart),
      groups_((blockSize + 1 + 7) / 8 * 2),
      groupsPerComponent_((partitionCount_ + SpectralRows::kMaxRows - 1) / SpectralRows::kMaxRows),
      accumulateSteps_(kComponents * groupsPerComponent_),
      fft_(transformSize_), kernel_(earsKernel()),
      inputBlocks_(size_t(2) * kInputs * blockSize_),
      gatherBlocks_(size_t(2) * kComponents * blockSize_),
      inputSpectra_(size_t(kComponents) * partitionCount_ * groups_ * SpectralRows::kInputGroup),
      responseSpectra_(size_t(kComponents) * partitionCount_ * groups_ *
                       SpectralRows::kResponseGroup),
      sums_(size_t(groups_) * SpectralRows::kInputGroup),
      outputBlocks_(size_t(kEars) * transformSize_), scratchRe_(transformSize_),
      scratchIm_(transformSize_), resultRe_(transformSize_), resultIm_(transformSize_),
      pairSpectra_(size_t(4) * (blockSize + 1)),
      dirty_(size_t(kComponents) * partitionCount_, 0), previousSlot_(partitionCount_ - 1)
{
    // The first block's work transforms the silence before it.
    stepsTotal_ = kInputPairs + accumulateSteps_;
}

// ---- storage -------------------------------------------------------------------------------

double* RoomStage::inputBlock(int buffer, int input)
{
    return &inputBlocks_[(size_t(buffer) * kInputs + input) * blockSize_];
}

double* RoomStage::gatherBlock(int buffer, int component)
{
    return &gatherBlocks_[(size_t(buffer) * kComponents + component) * blockSize_];
}

double* RoomStage::inputRow(int component, int32_t slot)
{
    const size_t row = size_t(component) * partitionCount_ + slot;
    return &inputSpectra_[row * groups_ * SpectralRows::kInputGroup];
}

double* RoomStage::responseRow(int component, int32_t partition)
{
    const size_t row = size_t(component) * partitionCount_ + partition;
    return &responseSpectra_[row * groups_ * SpectralRows::kResponseGroup];
}

// Bins 0 .. B of one ear's input spectrum into its component's row; the padding stays zero.
void RoomStage::packInput(int input, int32_t slot, Split spectrum)
{
    constexpr int kLanes = SpectralRows::kBinsPerGroup;
    double* row = inputRow(input % kComponents, slot) + (input / kComponents) * 2 * kLanes;
    for (int32_t k = 0; k <= blockSize_; ++k)
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
    for (int32_t k = 0; k <= blockSize_; ++k)
    {
        double* group = row + (k / kLanes) * SpectralRows::kResponseGroup + k % kLanes;
        group[0] = spectrum.re[k];
        group[kLanes] = spectrum.im[k];
    }
}

uint8_t& RoomStage::dirty(int component, int32_t partition)
{
    return dirty_[size_t(component) * partitionCount_ + partition];
}

size_t RoomStage::memoryBytes() const
{
    const size_t doubles = inputBlocks_.capacity() + gatherBlocks_.capacity() +
                           inputSpectra_.capacity() + responseSpectra_.capacity() +
                           sums_.capacity() + outputBlocks_.capacity() + scratchRe_.capacity() +
                           scratchIm_.capacity() + resultRe_.capacity() + resultIm_.capacity() +
                           pairSpectra_.capacity();
    return sizeof(*this) + doubles * sizeof(double) + dirty_.capacity() + fft_.memoryBytes();
}

// ---- frames --------------------------------------------------------------------------------

void RoomStage::process(const double* const* inputs, double* outLeft, double* outRight,
                        int32_t frames)
{
    int32_t done = 0;
    while (done < frames)
    {
        const int32_t from = position_;
        const int32_t count = std::min(frames - done, blockSize_ - from);
        const int32_t to = from + count;
        storeInputs(inputs, done, from, count);
        gatherResponses(to);
        // The output after taking frame k is entry k + 1 of the block being output; after the
        // block's last frame it is the first entry of the next block.
        const bool blockEnds = to == blockSize_;
        const int32_t fromThisBlock = blockEnds ? count - 1 : count;
        const double* left = &outputBlocks_[0];
        const double* right = &outputBlocks_[transformSize_];
        std::copy(left + from + 1, left + from + 1 + fromThisBlock, outLeft + done);
        std::copy(right + from + 1, right + from + 1 + fromThisBlock, outRight + done);
        if (blockEnds)
        {
            completeBlock();
            outLeft[done + count - 1] = left[0];
            outRight[done + count - 1] = right[0];
            position_ = 0;
        }
        else
        {
            position_ = to;
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
        double* block = inputBlock(current_, e) + from;
        const double sign = e == kRightLeftRightInput ? -1.0 : 1.0;
        for (int32_t i = 0; i < count; ++i)
            block[i] = sign * guardedSample(in[i]);
    }
}

void RoomStage::gatherResponses(int32_t upTo)
{
    const int32_t first = segmentStart_ + partition_ * blockSize_;
    for (int c = 0; c < kComponents; ++c)
    {
        if (!gathering_[c] || gathered_[c] >= upTo) continue;
        responses_[c].fill(gatherBlock(current_, c) + gathered_[c], first + gathered_[c],
                           upTo - gathered_[c]);
        gathered_[c] = upTo;
    }
}

// ---- response changes ----------------------------------------------------------------------

void RoomStage::responseChanging(int component)
{
    if (component < 0 || component >= kComponents) return;
    // The frames taken so far in this block gathered the old response; a partition that was not
    // being gathered is gathered from here on, its first part from the old response.
    if (!gathering_[component])
    {
        gathering_[component] = true;
        gathered_[component] = 0;
    }
    gatherResponses(position_);
}

void RoomStage::responseChanged(int component)
{
    if (component < 0 || component >= kComponents) return;
    if (position_ > 0) mixed_[component] = true;
    for (int32_t p = 0; p < partitionCount_; ++p)
        dirty(component, p) = 1;
}

void RoomStage::restart()
{
    for (std::vector<double>* buffer :
         {&inputBlocks_, &gatherBlocks_, &inputSpectra_, &responseSpectra_, &sums_, &outputBlocks_})
        std::fill(buffer->begin(), buffer->end(), 0.0);
    // A fresh stage meets its first responses in its first block: all partitions are stale and
    // gathered one per block from the first on, each in time for the input it meets.
    std::fill(dirty_.begin(), dirty_.end(), uint8_t(1));
    for (int c = 0; c < kComponents; ++c)
    {
        gathering_[c] = true;
        mixed_[c] = false;
        gathered_[c] = 0;
    }
    position_ = 0;
    partition_ = 0;
    current_ = 0;
    pendingCount_ = 0;
    pendingPartition_ = 0;
    previousSlot_ = partitionCount_ - 1;
    stepsDone_ = 0;
    stepsTotal_ = kInputPairs + accumulateSteps_;
}

// ---- block work ----------------------------------------------------------------------------

void RoomStage::advanceWork(int32_t position)
{
    const int32_t target = int32_t(int64_t(stepsTotal_) * position / blockSize_);
    while (stepsDone_ < target)
        runStep(stepsDone_++);
}

void RoomStage::finishWork()
{
    while (stepsDone_ < stepsTotal_)
        runStep(stepsDone_++);
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
    std::fill(sums_.begin(), sums_.end(), 0.0);
    retireGathers();
    previousSlot_ = partition_;
    current_ ^= 1;
    partition_ = partition_ + 1 < partitionCount_ ? partition_ + 1 : 0;
    for (int c = 0; c < kComponents; ++c)
    {
        gathering_[c] = dirty(c, partition_) != 0;
        mixed_[c] = false;
        gathered_[c] = 0;
    }
    stepsDone_ = 0;
    stepsTotal_ = kInputPairs + transformSteps() + accumulateSteps_;
}

// The partitions gathered in the block just ended are transformed during the next one. One
// gathered entirely from the response now in force is up to date once transformed.
void RoomStage::retireGathers()
{
    pendingCount_ = 0;
    pendingPartition_ = partition_;
    for (int c = 0; c < kComponents; ++c)
    {
        if (!gathering_[c]) continue;
        pending_[pendingCount_++] = c;
        dirty(c, partition_) = mixed_[c] ? 1 : 0;
    }
}

// Spectra (bins 0 .. B) of two real blocks of B samples, zero-padded to N, through one complex
// transform of a + ib. b may be null, then only a's spectrum is made.
void RoomStage::transformRealPair(const double* a, const double* b, Split aOut, Split bOut)
{
    const int32_t n = transformSize_;
    const int32_t half = blockSize_;
    std::copy(a, a + half, scratchRe_.begin());
    std::fill(scratchRe_.begin() + half, scratchRe_.end(), 0.0);
    if (b)
        std::copy(b, b + half, scratchIm_.begin());
    else
        std::fill(scratchIm_.begin(), scratchIm_.begin() + half, 0.0);
    std::fill(scratchIm_.begin() + half, scratchIm_.end(), 0.0);
    fft_.forward(scratchRe_.data(), scratchIm_.data(), resultRe_.data(), resultIm_.data());
    const double* zr = resultRe_.data();
    const double* zi = resultIm_.data();
    for (int32_t k = 0; k <= half; ++k)
    {
        const int32_t mirror = k == 0 ? 0 : n - k;
        aOut.re[k] = 0.5 * (zr[k] + zr[mirror]);
        aOut.im[k] = 0.5 * (zi[k] - zi[mirror]);
        if (b)
        {
            bOut.re[k] = 0.5 * (zi[k] + zi[mirror]);
            bOut.im[k] = -0.5 * (zr[k] - zr[mirror]);
        }
    }
}

RoomStage::Split RoomStage::pairSpectrum(int which)
{
    const size_t bins = size_t(blockSize_) + 1;
    return {&pairSpectra_[2 * which * bins], &pairSpectra_[(2 * which + 1) * bins]};
}

void RoomStage::transformInputs(int32_t pair)
{
    const int previous = current_ ^ 1;
    const int a = 2 * pair;
    const int b = a + 1;
    transformRealPair(inputBlock(previous, a), inputBlock(previous, b), pairSpectrum(0),
                      pairSpectrum(1));
    packInput(a, previousSlot_, pairSpectrum(0));
    packInput(b, previousSlot_, pairSpectrum(1));
}

void RoomStage::transformPartitions(int32_t pair)
{
    const int previous = current_ ^ 1;
    const int a = pending_[2 * pair];
    const bool hasSecond = 2 * pair + 1 < pendingCount_;
    const int b = hasSecond ? pending_[2 * pair + 1] : a;
    transformRealPair(gatherBlock(previous, a), hasSecond ? gatherBlock(previous, b) : nullptr,
                      pairSpectrum(0), pairSpectrum(1));
    packResponse(a, pendingPartition_, pairSpectrum(0));
    if (hasSecond) packResponse(b, pendingPartition_, pairSpectrum(1));
}

// One step of the next output block's spectrum: for one component and a group of partitions m,
// every bin of both ears takes the input spectrum m blocks back times partition m's spectrum.
// Whole rows stream through memory in order.
void RoomStage::accumulate(int32_t step)
{
    const int c = step / groupsPerComponent_;
    const int32_t firstPartition = (step % groupsPerComponent_) * SpectralRows::kMaxRows;
    SpectralRows rows;
    for (int32_t m = firstPartition;
         m < partitionCount_ && rows.count < SpectralRows::kMaxRows; ++m, ++rows.count)
    {
        const int32_t slot = (previousSlot_ - m + partitionCount_) % partitionCount_;
        rows.inputs[rows.count] = inputRow(c, slot);
        rows.responses[rows.count] = responseRow(c, m);
    }
    kernel_(sums_.data(), rows, groups_);
}

// Both ears through one complex inverse transform (left + i right), then overlap-add.
void RoomStage::inverseToOutput()
{
    const int32_t n = transformSize_;
    const int32_t half = blockSize_;
    constexpr int kLanes = SpectralRows::kBinsPerGroup;
    for (int32_t k = 0; k <= half; ++k)
    {
        const double* group = &sums_[(k / kLanes) * SpectralRows::kInputGroup + k % kLanes];
        const double lr = group[0], li = group[kLanes];
        const double rr = group[2 * kLanes], ri = group[3 * kLanes];
        scratchRe_[k] = lr - ri;
        scratchIm_[k] = li + rr;
        if (k > 0 && k < half)
        {
            scratchRe_[n - k] = lr + ri;
            scratchIm_[n - k] = rr - li;
        }
    }
    fft_.inverse(scratchRe_.data(), scratchIm_.data(), resultRe_.data(), resultIm_.data());
    const double scale = 1.0 / n;
    const double* ears[kEars] = {resultRe_.data(), resultIm_.data()};
    for (int ear = 0; ear < kEars; ++ear)
    {
        double* out = &outputBlocks_[size_t(ear) * n];
        const double* y = ears[ear];
        for (int32_t i = 0; i < half; ++i)
            out[i] = y[i] * scale + out[half + i];
        for (int32_t i = half; i < n; ++i)
            out[i] = y[i] * scale;
    }
}
