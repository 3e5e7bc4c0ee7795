#include "engine/RoomStage.h"

#include "engine/SampleGuard.h"

#include <algorithm>

namespace
{
// Bins summed per step of the spread work: about one transform's worth of multiply-adds.
constexpr int32_t kChunkBins = 64;
constexpr int kInputPairs = RoomStage::kInputs / 2;
constexpr int kRightLeftRightInput = RoomStage::kComponents + 1; // right ear, left-right walls
constexpr int kLeft = 0;
constexpr int kRight = 1;
} // namespace

RoomStage::RoomStage(const ComponentResponse* responses, int32_t blockSize,
                     int32_t partitionCount, int32_t segmentStart)
    : responses_(responses), blockSize_(blockSize), transformSize_(2 * blockSize),
      partitionCount_(std::max(partitionCount, 1)), segmentStart_(segmentStart),
      stride_((blockSize + 1 + 3) / 4 * 4), chunkCount_((stride_ + kChunkBins - 1) / kChunkBins),
      fft_(transformSize_), kernel_(earsKernel()),
      inputBlocks_(size_t(2) * kInputs * blockSize_),
      gatherBlocks_(size_t(2) * kComponents * blockSize_),
      inputRe_(size_t(kInputs) * partitionCount_ * stride_), inputIm_(inputRe_.size()),
      responseRe_(size_t(kComponents) * partitionCount_ * stride_), responseIm_(responseRe_.size()),
      sumRe_(size_t(kEars) * stride_), sumIm_(sumRe_.size()),
      outputBlocks_(size_t(kEars) * transformSize_), scratchRe_(transformSize_),
      scratchIm_(transformSize_), resultRe_(transformSize_), resultIm_(transformSize_),
      dirty_(size_t(kComponents) * partitionCount_, 0), previousSlot_(partitionCount_ - 1)
{
    // The first block's work transforms the silence before it.
    stepsTotal_ = kInputPairs + chunkCount_;
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

RoomStage::Split RoomStage::inputSpectrum(int input, int32_t slot)
{
    const size_t at = (size_t(input) * partitionCount_ + slot) * stride_;
    return {&inputRe_[at], &inputIm_[at]};
}

RoomStage::Split RoomStage::responseSpectrum(int component, int32_t partition)
{
    const size_t at = (size_t(component) * partitionCount_ + partition) * stride_;
    return {&responseRe_[at], &responseIm_[at]};
}

uint8_t& RoomStage::dirty(int component, int32_t partition)
{
    return dirty_[size_t(component) * partitionCount_ + partition];
}

size_t RoomStage::memoryBytes() const
{
    const size_t doubles = inputBlocks_.capacity() + gatherBlocks_.capacity() +
                           inputRe_.capacity() + inputIm_.capacity() + responseRe_.capacity() +
                           responseIm_.capacity() + sumRe_.capacity() + sumIm_.capacity() +
                           outputBlocks_.capacity() + scratchRe_.capacity() +
                           scratchIm_.capacity() + resultRe_.capacity() + resultIm_.capacity();
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
    std::fill(sumRe_.begin(), sumRe_.end(), 0.0);
    std::fill(sumIm_.begin(), sumIm_.end(), 0.0);
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
    stepsTotal_ = kInputPairs + transformSteps() + chunkCount_;
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

void RoomStage::transformInputs(int32_t pair)
{
    const int previous = current_ ^ 1;
    const int a = 2 * pair;
    const int b = a + 1;
    transformRealPair(inputBlock(previous, a), inputBlock(previous, b),
                      inputSpectrum(a, previousSlot_), inputSpectrum(b, previousSlot_));
}

void RoomStage::transformPartitions(int32_t pair)
{
    const int previous = current_ ^ 1;
    const int a = pending_[2 * pair];
    const bool hasSecond = 2 * pair + 1 < pendingCount_;
    const int b = hasSecond ? pending_[2 * pair + 1] : a;
    transformRealPair(gatherBlock(previous, a), hasSecond ? gatherBlock(previous, b) : nullptr,
                      responseSpectrum(a, pendingPartition_),
                      responseSpectrum(b, pendingPartition_));
}

// Bins of one chunk of the next output block: for each ear and component, the sum over
// partitions m of the input spectrum m blocks back times partition m's spectrum.
void RoomStage::accumulate(int32_t chunk)
{
    const int32_t first = chunk * kChunkBins;
    const int32_t count = std::min(kChunkBins, stride_ - first);
    const SplitSpan left{&sumRe_[first], &sumIm_[first]};
    const SplitSpan right{&sumRe_[stride_ + first], &sumIm_[stride_ + first]};
    for (int c = 0; c < kComponents; ++c)
    {
        for (int32_t m = 0; m < partitionCount_; ++m)
        {
            const int32_t slot = (previousSlot_ - m + partitionCount_) % partitionCount_;
            const Split xl = inputSpectrum(kLeft * kComponents + c, slot);
            const Split xr = inputSpectrum(kRight * kComponents + c, slot);
            const Split h = responseSpectrum(c, m);
            kernel_(left, right, {xl.re + first, xl.im + first}, {xr.re + first, xr.im + first},
                    {h.re + first, h.im + first}, count);
        }
    }
}

// Both ears through one complex inverse transform (left + i right), then overlap-add.
void RoomStage::inverseToOutput()
{
    const int32_t n = transformSize_;
    const int32_t half = blockSize_;
    const double* lr = &sumRe_[0];
    const double* li = &sumIm_[0];
    const double* rr = &sumRe_[stride_];
    const double* ri = &sumIm_[stride_];
    for (int32_t k = 0; k <= half; ++k)
    {
        scratchRe_[k] = lr[k] - ri[k];
        scratchIm_[k] = li[k] + rr[k];
    }
    for (int32_t k = 1; k < half; ++k)
    {
        scratchRe_[n - k] = lr[k] + ri[k];
        scratchIm_[n - k] = rr[k] - li[k];
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
