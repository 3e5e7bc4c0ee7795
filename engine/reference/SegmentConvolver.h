#pragma once

#include "engine/bank/TableRef.h"
#include "engine/reference/ARFFT.h"
#include "engine/reference/BRFFT.h"
#include "engine/reference/SpectralStore.h"

#include <cstdint>
#include <vector>

namespace Engine
{
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
    double output() const { return m_outputBlock[m_positionInBlock]; }

    // The combined response at absolute index i; 0 outside the segment.
    double combined(int32_t i) const;
    int32_t blockSize() const { return m_blockSize; }
    int32_t partitionCount() const { return m_partitionCount; }
    int32_t segmentStart() const { return m_segmentStart; }
    int32_t segmentEnd() const { return m_segmentStart + m_partitionCount * m_blockSize; }

  private:
    void reset();
    void completeBlock();
    void fillEnvelope(std::vector<double>& envelope, double absorption, int sampleRate, int curve);
    double tableSample(const TableRef& table, int32_t i) const;

    int32_t m_responseLength;
    int32_t m_blockSize;      // B
    int32_t m_transformSize;  // N = 2B
    int32_t m_segmentStart;   // S
    int32_t m_partitionCount; // P
    int32_t m_positionInBlock = 0;
    int32_t m_partitionIndex = 0; // partition of the response gathered in this block
    bool m_negate;

    // Segment entries only: index i - S.
    std::vector<double> m_combined;
    std::vector<double> m_envelopeFB;
    std::vector<double> m_envelopeLR;
    std::vector<double> m_envelopeCF;
    double m_gainFB = 1.0;
    double m_gainLR = 1.0;
    double m_gainCF = 1.0;

    std::vector<double> m_partitionBlock;  // partition being gathered, zero upper half
    std::vector<double> m_inputBlock;      // input being gathered, zero upper half
    std::vector<double> m_outputBlock;     // B samples being output, then the overlap for the next
    std::vector<double> m_overlap;         // B entries
    std::vector<Complex> m_outputSpectrum; // bins 0 .. N/2 of the block being built

    ARFFT m_partitionTransform;
    ARFFT m_inputTransform;
    BRFFT m_inverseTransform;
    SpectralStore m_store;

    TableRef m_tableFB;
    TableRef m_tableLR;
    TableRef m_tableCF;
};
} // namespace Engine
