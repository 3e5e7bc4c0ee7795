#pragma once

#include "engine/ARFFT.h"
#include "engine/BRFFT.h"
#include "engine/SpectralStore.h"
#include "engine/TableRef.h"

#include <cstdint>
#include <vector>

// Convolves a sample stream, one sample in and one out, with one segment of a room response that
// it combines from the three component tables of a position, three decay envelopes and three
// gains. Uniformly partitioned in the frequency domain with block size B and transform size 2B,
// but scheduled per sample: each sample accumulates one frequency bin over all partitions, and
// each block re-transforms one partition of the response, so a response change reaches the output
// partition by partition over the next P blocks. Output lags input by 2B - 1 samples:
//   output after pushing x[t] = sum over n of combined[S + n] x[t - (2B - 1) - n].
// Nothing allocates after construction; push() and output() do no virtual calls.
class SegmentConvolver
{
  public:
    // sampleRate is accepted for symmetry with the envelope setters and not used.
    // negate: subtract the left-right component instead of adding it.
    // The segment covers response indices segmentStart .. segmentStart + P B - 1 with
    // P = segmentLength / blockSize; sizes are clamped so it stays inside the response, and the
    // block size is rounded down to a power of two. Gains start at 1, envelopes at 0 (silence).
    SegmentConvolver(int position, int sampleRate, bool negate, int32_t responseLength,
                     int32_t segmentLength, int32_t blockSize, int32_t segmentStart);
    SegmentConvolver(const SegmentConvolver&) = delete;
    SegmentConvolver& operator=(const SegmentConvolver&) = delete;

    // Points the tables at a position of the response bank (0 .. 10), then recombines.
    void loadPosition(int position);
    // Points the tables at caller-owned data (nothing is copied), then recombines. A table with
    // no data contributes nothing; entries at or beyond a table's length count as zero.
    void loadTables(const TableRef& frontBack, const TableRef& leftRight,
                    const TableRef& ceilingFloor);
    // Non-finite gains count as 0.
    void setGains(double frontBack, double leftRight, double ceilingFloor);
    void setEnvelopes(double absFrontBack, double absLeftRight, double absCeilingFloor,
                      int sampleRate, int curve);
    void setEnvelopeFB(double absorption, int sampleRate, int curve);
    void setEnvelopeLR(double absorption, int sampleRate, int curve);
    void setEnvelopeCF(double absorption, int sampleRate, int curve);
    // Rebuilds the combined response over the segment from tables, envelopes and gains.
    void recombine();
    // Forgets all input and output, as at creation: the response keeps, its partitions are
    // transformed again from the next block on.
    void restart();

    // Takes one input sample (NaN, infinities and absurd magnitudes count as 0).
    void push(double x);
    // The output sample that belongs to the last input pushed.
    double output() const { return outputBlock_[positionInBlock_]; }

    // The combined response at absolute index i; 0 outside the segment.
    double combined(int32_t i) const;
    int32_t blockSize() const { return blockSize_; }
    int32_t partitionCount() const { return partitionCount_; }
    int32_t segmentStart() const { return segmentStart_; }
    int32_t segmentEnd() const { return segmentStart_ + partitionCount_ * blockSize_; }

  private:
    void reset();
    void completeBlock();
    void fillEnvelope(std::vector<double>& envelope, double absorption, int sampleRate, int curve);
    double tableSample(const TableRef& table, int32_t i) const;

    int32_t responseLength_;
    int32_t blockSize_;      // B
    int32_t transformSize_;  // N = 2B
    int32_t segmentStart_;   // S
    int32_t partitionCount_; // P
    int32_t positionInBlock_ = 0;
    int32_t partitionIndex_ = 0; // partition of the response gathered in this block
    bool negate_;

    // Segment entries only: index i - S.
    std::vector<double> combined_;
    std::vector<double> envelopeFB_;
    std::vector<double> envelopeLR_;
    std::vector<double> envelopeCF_;
    double gainFB_ = 1.0;
    double gainLR_ = 1.0;
    double gainCF_ = 1.0;

    std::vector<double> partitionBlock_;  // partition being gathered, zero upper half
    std::vector<double> inputBlock_;      // input being gathered, zero upper half
    std::vector<double> outputBlock_;     // B samples being output, then the overlap for the next
    std::vector<double> overlap_;         // B entries
    std::vector<Complex> outputSpectrum_; // bins 0 .. N/2 of the block being built

    ARFFT partitionTransform_;
    ARFFT inputTransform_;
    BRFFT inverseTransform_;
    SpectralStore store_;

    TableRef tableFB_;
    TableRef tableLR_;
    TableRef tableCF_;
};
