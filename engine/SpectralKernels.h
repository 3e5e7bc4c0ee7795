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
} // namespace Engine
