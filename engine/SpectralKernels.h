#pragma once

#include <cstdint>

// The inner loop of the partitioned convolution on split complex arrays:
//   accL[k] += xL[k] h[k] and accR[k] += xR[k] h[k] for k below count.
// One response spectrum serves both ears, so it is read once for two products.
struct SplitSpan
{
    double* re;
    double* im;
};

struct ConstSplitSpan
{
    const double* re;
    const double* im;
};

using EarsKernel = void (*)(SplitSpan accL, SplitSpan accR, ConstSplitSpan xL, ConstSplitSpan xR,
                           ConstSplitSpan h, int32_t count);

// The widest vector form this processor runs (AVX2 with FMA where present). Ask once, at set-up:
// the answer is a plain function pointer the audio thread calls.
EarsKernel earsKernel();
// The portable form, the same arithmetic without fused multiply-adds.
EarsKernel portableEarsKernel();
