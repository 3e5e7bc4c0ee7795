#pragma once

#include "engine/CpuFeatures.h"

#include <cstdint>

namespace Engine
{
// The inner loop of the partitioned convolution. Spectra are packed in groups of four bins so
// that every row streams through memory in one piece:
//   an input row (both ears):  per group [left re x4, left im x4, right re x4, right im x4]
//   a response row:            per group [re x4, im x4]
//   the sums (both ears):      laid out like an input row.
// For every group below `groups`, both ears' sums take the products of the input rows with
// their response rows, one response row serving both ears.
struct SpectralRows
{
    static constexpr int kMaxRows = 4;
    static constexpr int kBinsPerGroup = 4;
    static constexpr int kInputGroup = 16;   // doubles per group of an input row or the sums
    static constexpr int kResponseGroup = 8; // doubles per group of a response row
    // Ear 0 (left) or 1 (right) of an input row: its lanes in every group.
    static double* earHalf(double* row, int ear) { return row + ear * 2 * kBinsPerGroup; }

    const double* inputs[kMaxRows] = {};
    const double* responses[kMaxRows] = {};
    int count = 0;
};

using EarsKernel = void (*)(double* sums, const SpectralRows& rows, int32_t groups);
// The same for one ear (0 left, 1 right) of rows whose other ear is silent: it reads only that
// ear's half of each input group and sums exactly what EarsKernel sums for it.
using EarKernel = void (*)(double* sums, const SpectralRows& rows, int32_t groups, int ear);

// The kernels of the given form; the portable ones do the same arithmetic without fused
// multiply-adds. Ask once, at set-up: the answer is a plain function pointer the audio thread
// calls.
EarsKernel earsKernel(SimdForm form = SimdForm::kWidest);
EarKernel earKernel(SimdForm form = SimdForm::kWidest);

// Products into one sum, a row at a time, handed to the kernels in batches of up to kMaxRows.
// Products with a silent input block are zero, so they are left out: a row with both ears
// silent adds nothing, a row with one silent ear (a rotation weight of 0, as with "Speed" 0)
// goes through the one-ear kernel.
class SpectralBatch
{
  public:
    // Groups of bins run together when batches share their rows (runTogether).
    static constexpr int32_t kChunkGroups = 16;

    SpectralBatch(EarsKernel ears, EarKernel ear, double* sums, int32_t groups)
        : m_ears(ears), m_ear(ear), m_sums(sums), m_groups(groups)
    {
    }
    ~SpectralBatch() { flush(); }
    SpectralBatch(const SpectralBatch&) = delete;
    SpectralBatch& operator=(const SpectralBatch&) = delete;

    // A full batch runs only when the next row comes, so up to kMaxRows rows of each kind wait
    // for flush() or runTogether().
    void add(const double* input, const double* response, bool silentLeft, bool silentRight)
    {
        if (silentLeft && silentRight) return;
        const int which = silentRight ? 0 : silentLeft ? 1 : 2;
        SpectralRows& rows = m_rows[which];
        if (rows.count == SpectralRows::kMaxRows) run(which, 0, m_groups);
        rows.inputs[rows.count] = input;
        rows.responses[rows.count] = response;
        ++rows.count;
    }

    void flush()
    {
        for (int which = 0; which < 3; ++which)
            if (m_rows[which].count > 0) run(which, 0, m_groups);
    }

    // Runs the waiting rows of `count` batches over the same bins a chunk at a time, so that
    // rows several read (the same input row, a response row one takes after another) come from
    // memory once and are in the first-level cache for the others.
    static void runTogether(SpectralBatch* batches, int count);

  private:
    void run(int which, int32_t firstGroup, int32_t groupCount);

    EarsKernel m_ears;
    EarKernel m_ear;
    double* m_sums;
    int32_t m_groups;
    SpectralRows m_rows[3]; // left ear only, right ear only, both
};
} // namespace Engine
