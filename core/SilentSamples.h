#pragma once

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define VEVADUR_SILENT_SAMPLES_SSE2 1
#endif

// True when all `frames` samples compare equal to zero (either sign; NaN is not silent).
// A silent block spends most of its time waiting for its buffers, so the samples are read
// without a branch per sample: every cache line is requested at once.
inline bool silentSamples(const float* x, unsigned frames)
{
    unsigned i = 0;
    bool sounding = false;
#ifdef VEVADUR_SILENT_SAMPLES_SSE2
    const __m128 zero = _mm_setzero_ps();
    __m128 nonzero = zero;
    for (; i + 4 <= frames; i += 4)
        nonzero = _mm_or_ps(nonzero, _mm_cmpneq_ps(_mm_loadu_ps(x + i), zero));
    sounding = _mm_movemask_ps(nonzero) != 0;
#endif
    for (; i < frames; ++i)
        sounding = sounding || x[i] != 0.0f;
    return !sounding;
}
