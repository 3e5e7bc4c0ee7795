#pragma once

#include <cstdint>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define VEVADUR_SILENT_SAMPLES_SSE2 1
#endif

// True when every sample's bits, sign left out, are zero: +0 and -0 only.
inline bool zeroBits(const float* x, unsigned frames)
{
    unsigned i = 0;
    uint32_t bits = 0;
#ifdef VEVADUR_SILENT_SAMPLES_SSE2
    __m128i low = _mm_setzero_si128();
    __m128i high = low;
    for (; i + 8 <= frames; i += 8)
    {
        low = _mm_or_si128(low, _mm_loadu_si128(reinterpret_cast<const __m128i*>(x + i)));
        high = _mm_or_si128(high, _mm_loadu_si128(reinterpret_cast<const __m128i*>(x + i + 4)));
    }
    low = _mm_or_si128(low, high);
    low = _mm_or_si128(low, _mm_srli_si128(low, 8));
    low = _mm_or_si128(low, _mm_srli_si128(low, 4));
    bits = static_cast<uint32_t>(_mm_cvtsi128_si32(low));
#endif
    for (; i < frames; ++i)
    {
        uint32_t sample = 0;
        std::memcpy(&sample, x + i, sizeof sample);
        bits |= sample;
    }
    return (bits & 0x7fffffffu) == 0;
}

// True when every sample compares equal to zero in the current floating-point mode: with
// denormals taken as zero (as in a process call), a denormal does too.
inline bool compareZero(const float* x, unsigned frames)
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

// True when all `frames` samples compare equal to zero (either sign; NaN is not silent). A silent
// block spends most of its time waiting for its buffers, so the samples are read without a branch
// per sample: every cache line is requested at once. Zeros are told by their bits, in half the
// instructions of a comparison; only a block that is not all zeros is compared as well, so that
// the answer is the comparison's in every floating-point mode.
inline bool silentSamples(const float* x, unsigned frames)
{
    return zeroBits(x, frames) || compareZero(x, frames);
}

// Writes `frames` zeros. A silent block writes little else, so the stores stay inline here: the
// library's memset, which std::fill becomes, would fetch its code and its linkage from pages of
// their own. (The last few samples of an odd count may still go through memset.)
inline void clearSamples(float* x, unsigned frames)
{
    unsigned i = 0;
#ifdef VEVADUR_SILENT_SAMPLES_SSE2
    const __m128 zero = _mm_setzero_ps();
    for (; i + 4 <= frames; i += 4)
        _mm_storeu_ps(x + i, zero);
#endif
    for (; i < frames; ++i)
        x[i] = 0.0f;
}
