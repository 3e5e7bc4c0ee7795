#pragma once

#include "engine/SplitFft.h"
#include "engine/SpectralKernels.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Engine
{
// The transforms of a partitioned convolution with blocks of B frames: two real blocks through
// one complex transform of N = 2B, and both ears' spectral sums back through one inverse
// (left + i right) with overlap-add.
//
// A spectrum keeps B + 1 bins, one of each conjugate pair k, N - k, in the transform's scrambled
// order (forEachRun), packed into rows as SpectralRows describes. Every row, response
// and sum uses that order and the products are taken bin by bin, so it never needs undoing.
// Nothing allocates after construction.
class PairedTransform
{
  public:
    explicit PairedTransform(int32_t blockSize, SimdForm form = SimdForm::kWidest);
    PairedTransform(const PairedTransform&) = delete;
    PairedTransform& operator=(const PairedTransform&) = delete;

    // Groups of four bins a row holds: bins 0 .. B, rounded up to an even count of groups.
    int32_t groups() const { return m_groups; }
    static int32_t groupsFor(int32_t blockSize) { return (blockSize + 1 + 7) / 8 * 2; }
    size_t inputRowDoubles() const { return size_t(m_groups) * SpectralRows::kInputGroup; }
    size_t responseRowDoubles() const { return size_t(m_groups) * SpectralRows::kResponseGroup; }
    static size_t responseRowDoublesFor(int32_t blockSize)
    {
        return size_t(groupsFor(blockSize)) * SpectralRows::kResponseGroup;
    }

    // The spectra of a and b (B samples each, zero-padded to N) into the ear halves of input
    // rows: `aEar` points at a's ear in its row (the row plus 2 x kBinsPerGroup for the right
    // ear), likewise `bEar`.
    void transformInputs(const double* a, double* aEar, const double* b, double* bEar);
    // The same for blocks that may be silent. aSilent, bSilent: whether the ears' rows hold a
    // silent block's spectrum (zeros); updated. A silent block's spectrum is zero, so when both
    // blocks are silent and both rows already hold zeros there is nothing to transform.
    void transformSoundingInputs(const double* a, double* aEar, uint8_t& aSilent, const double* b,
                                 double* bEar, uint8_t& bSilent);
    // The spectra of a and b into two response rows; b may be null (then so may bRow).
    void transformResponses(const double* a, const double* b, double* aRow, double* bRow);
    // Both ears' sums (laid out as an input row) back to time: output[ear] holds 2B frames, the
    // first B of them this block's output, the last B the overlap the next block adds.
    void inverseToOutput(const double* sums, double* outputLeft, double* outputRight);

    size_t memoryBytes() const;

  private:
    // The B + 1 bins a spectrum keeps, as runs: bins bin .. bin + count - 1 of a row hold the
    // transform's indices first + r, whose conjugate partners sit at mirror - r. In the
    // scrambled order the kept bins are the first half of every octave [L, 2L) of indices (its
    // second half holds the partners in reverse), then index 0 and index 1 (bin B). The largest
    // octaves come first, so every run of four or more starts on a group of a row.
    template <typename Visit> void forEachRun(Visit&& visit) const
    {
        int32_t bin = 0;
        for (int32_t octave = m_transformSize / 2; octave >= 2; octave /= 2)
        {
            visit(bin, octave, 2 * octave - 1, octave / 2);
            bin += octave / 2;
        }
        visit(bin, 0, 0, 1);
        visit(bin + 1, 1, 1, 1);
    }

    // The spectra of the real blocks in the transform's input, into the ear halves of rows
    // whose groups are `stride` doubles apart.
    void unpackPair(double* aRow, double* bRow, int stride) const;
    // The transform of a + ib, both zero-padded to N; a null block counts as zeros.
    void transformPair(const double* a, const double* b);

    int32_t m_blockSize;
    int32_t m_transformSize;
    int32_t m_groups;
    SplitFft m_fft;
    std::vector<double> m_scratchRe, m_scratchIm, m_resultRe, m_resultIm; // N each
    std::vector<double> m_zeros; // B: the block a missing one stands for
    // Runs of whole groups in and out of the transform, in the widest form the processor runs.
    void (*m_unpackGroups)(const double* zr, const double* zi, int32_t first, int32_t mirror,
                           int32_t groups, double* a, double* b, int stride);
    void (*m_placeGroups)(const double* sums, int32_t first, int32_t mirror, int32_t groups,
                          double* re, double* im);
};
} // namespace Engine
