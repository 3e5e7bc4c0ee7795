#include "engine/SegmentConvolver.h"

#include "engine/ComponentResponse.h"
#include "engine/DecayEnvelope.h"
#include "engine/ResponseBank.h"
#include "engine/SampleGuard.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr int32_t kMaxBlockSize = 1 << 16;

int32_t powerOfTwoAtMost(int32_t n)
{
    int32_t p = 1;
    while (p <= n / 2)
        p *= 2;
    return p;
}

// Bin 0 of a real spectrum carries DC and Nyquist, both real, as one complex pair.
void packNyquistIntoDc(Complex* spectrum, int32_t nyquist)
{
    spectrum[0] = {spectrum[0].real(), spectrum[nyquist].real()};
}
} // namespace

SegmentConvolver::SegmentConvolver(int position, int /*sampleRate*/, bool negate,
                                   int32_t responseLength, int32_t segmentLength, int32_t blockSize,
                                   int32_t segmentStart)
    : responseLength_(std::clamp(responseLength, 0, ResponseBank::kTableLength)),
      blockSize_(powerOfTwoAtMost(std::clamp(blockSize, 1, kMaxBlockSize))),
      transformSize_(2 * blockSize_), segmentStart_(std::clamp(segmentStart, 0, responseLength_)),
      partitionCount_(std::min(std::max(segmentLength, 0), responseLength_ - segmentStart_) /
                      blockSize_),
      negate_(negate),
      // At least one block long, so a segment of no partitions gathers zeros.
      combined_(static_cast<size_t>(std::max(partitionCount_, 1)) * blockSize_),
      envelopeFB_(static_cast<size_t>(partitionCount_) * blockSize_),
      envelopeLR_(envelopeFB_.size()), envelopeCF_(envelopeFB_.size()),
      partitionBlock_(transformSize_), inputBlock_(transformSize_), outputBlock_(transformSize_),
      overlap_(blockSize_), outputSpectrum_(blockSize_ + 1), partitionTransform_(transformSize_),
      inputTransform_(transformSize_), inverseTransform_(transformSize_),
      store_(partitionCount_ * blockSize_, blockSize_), tableFB_(responseLength_),
      tableLR_(responseLength_), tableCF_(responseLength_)
{
    reset();
    loadPosition(position);
}

void SegmentConvolver::reset()
{
    restart();
    std::fill(envelopeFB_.begin(), envelopeFB_.end(), 0.0);
    std::fill(envelopeLR_.begin(), envelopeLR_.end(), 0.0);
    std::fill(envelopeCF_.begin(), envelopeCF_.end(), 0.0);
}

void SegmentConvolver::restart()
{
    std::fill(partitionBlock_.begin(), partitionBlock_.end(), 0.0);
    std::fill(outputBlock_.begin(), outputBlock_.end(), 0.0);
    std::fill(inputBlock_.begin(), inputBlock_.end(), 0.0);
    std::fill(overlap_.begin(), overlap_.end(), 0.0);
    std::fill(outputSpectrum_.begin(), outputSpectrum_.end(), Complex{});
    // The first block of a fresh convolver reads these spectra as those of a silent block.
    for (RFFT* transform :
         {static_cast<RFFT*>(&partitionTransform_), static_cast<RFFT*>(&inputTransform_)})
        std::fill(transform->result(), transform->result() + transform->size(), Complex{});
    store_.clear();
    positionInBlock_ = 0;
    partitionIndex_ = 0;
}

void SegmentConvolver::loadPosition(int position)
{
    ResponseBank::selectPosition(position, tableFB_, tableLR_, tableCF_);
    recombine();
}

void SegmentConvolver::loadTables(const TableRef& frontBack, const TableRef& leftRight,
                                  const TableRef& ceilingFloor)
{
    tableFB_ = frontBack;
    tableLR_ = leftRight;
    tableCF_ = ceilingFloor;
    recombine();
}

void SegmentConvolver::setGains(double frontBack, double leftRight, double ceilingFloor)
{
    gainFB_ = usableComponentGain(frontBack);
    gainLR_ = usableComponentGain(leftRight);
    gainCF_ = usableComponentGain(ceilingFloor);
    recombine();
}

void SegmentConvolver::setEnvelopes(double absFrontBack, double absLeftRight,
                                    double absCeilingFloor, int sampleRate, int curve)
{
    fillEnvelope(envelopeFB_, absFrontBack, sampleRate, curve);
    fillEnvelope(envelopeLR_, absLeftRight, sampleRate, curve);
    fillEnvelope(envelopeCF_, absCeilingFloor, sampleRate, curve);
    recombine();
}

void SegmentConvolver::setEnvelopeFB(double absorption, int sampleRate, int curve)
{
    fillEnvelope(envelopeFB_, absorption, sampleRate, curve);
    recombine();
}

void SegmentConvolver::setEnvelopeLR(double absorption, int sampleRate, int curve)
{
    fillEnvelope(envelopeLR_, absorption, sampleRate, curve);
    recombine();
}

void SegmentConvolver::setEnvelopeCF(double absorption, int sampleRate, int curve)
{
    fillEnvelope(envelopeCF_, absorption, sampleRate, curve);
    recombine();
}

void SegmentConvolver::fillEnvelope(std::vector<double>& envelope, double absorption,
                                    int sampleRate, int curve)
{
    fillDecayEnvelope(envelope.data(), segmentStart_, static_cast<int32_t>(envelope.size()),
                      absorption, sampleRate, curve);
}

double SegmentConvolver::tableSample(const TableRef& table, int32_t i) const
{
    return table.data != nullptr && i < table.length ? table.data[i] : 0.0;
}

void SegmentConvolver::recombine()
{
    const int32_t length = partitionCount_ * blockSize_;
    for (int32_t n = 0; n < length; ++n)
    {
        const int32_t i = segmentStart_ + n;
        const double fb = envelopeFB_[n] * gainFB_ * tableSample(tableFB_, i);
        const double lr = envelopeLR_[n] * gainLR_ * tableSample(tableLR_, i);
        const double cf = envelopeCF_[n] * gainCF_ * tableSample(tableCF_, i);
        combined_[n] = negate_ ? fb - lr + cf : fb + lr + cf;
    }
}

double SegmentConvolver::combined(int32_t i) const
{
    return i >= segmentStart_ && i < segmentEnd() ? combined_[i - segmentStart_] : 0.0;
}

void SegmentConvolver::push(double x)
{
    const int32_t k = positionInBlock_;
    inputBlock_[k] = guardedSample(x);
    partitionBlock_[k] = combined_[partitionIndex_ * blockSize_ + k];

    // Both spectra come from the transforms run at the end of the previous block.
    Complex* inputSpectrum = inputTransform_.result();
    Complex* partitionSpectrum = partitionTransform_.result();
    if (k == 0)
    {
        packNyquistIntoDc(inputSpectrum, blockSize_);
        packNyquistIntoDc(partitionSpectrum, blockSize_);
    }
    const Complex sum =
        store_.accumulate(k, partitionIndex_, inputSpectrum[k], partitionSpectrum[k]);
    if (k == 0)
    {
        outputSpectrum_[0] = {sum.real(), 0.0};
        outputSpectrum_[blockSize_] = {sum.imag(), 0.0};
    }
    else
    {
        // Bins above N/2 are the conjugates; the inverse transform never reads them.
        outputSpectrum_[k] = sum;
    }

    if (++positionInBlock_ == blockSize_) completeBlock();
}

void SegmentConvolver::completeBlock()
{
    partitionTransform_.forwardTransform(partitionBlock_.data());
    inputTransform_.forwardTransform(inputBlock_.data());

    std::copy(outputBlock_.begin() + blockSize_, outputBlock_.end(), overlap_.begin());
    inverseTransform_.inverseTransform(outputSpectrum_.data());
    inverseTransform_.scale();
    std::fill(outputSpectrum_.begin(), outputSpectrum_.end(), Complex{});

    const Complex* block = inverseTransform_.result();
    for (int32_t i = 0; i < transformSize_; ++i)
        outputBlock_[i] = block[i].real();
    for (int32_t i = 0; i < blockSize_; ++i)
        outputBlock_[i] += overlap_[i];

    positionInBlock_ = 0;
    std::fill(inputBlock_.begin(), inputBlock_.end(), 0.0);
    std::fill(overlap_.begin(), overlap_.end(), 0.0);
    partitionIndex_ = partitionIndex_ + 1 < partitionCount_ ? partitionIndex_ + 1 : 0;
}
