#include "engine/SpectralKernels.h"

#include <algorithm>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VEVADUR_HAVE_AVX2_KERNEL 1
#endif

namespace Engine
{
namespace
{
constexpr int kLanes = SpectralRows::kBinsPerGroup;

void portableKernel(double* sums, const SpectralRows& rows, int32_t groups)
{
    for (int32_t g = 0; g < groups; ++g)
    {
        double* acc = sums + g * SpectralRows::kInputGroup;
        for (int r = 0; r < rows.count; ++r)
        {
            const double* x = rows.inputs[r] + g * SpectralRows::kInputGroup;
            const double* h = rows.responses[r] + g * SpectralRows::kResponseGroup;
            for (int lane = 0; lane < kLanes; ++lane)
            {
                const double hr = h[lane], hi = h[kLanes + lane];
                for (int ear = 0; ear < 2; ++ear)
                {
                    const double xr = x[2 * ear * kLanes + lane];
                    const double xi = x[(2 * ear + 1) * kLanes + lane];
                    acc[2 * ear * kLanes + lane] += xr * hr - xi * hi;
                    acc[(2 * ear + 1) * kLanes + lane] += xr * hi + xi * hr;
                }
            }
        }
    }
}

void portableEarKernel(double* sums, const SpectralRows& rows, int32_t groups, int ear)
{
    for (int32_t g = 0; g < groups; ++g)
    {
        double* acc = sums + g * SpectralRows::kInputGroup;
        for (int r = 0; r < rows.count; ++r)
        {
            const double* x = rows.inputs[r] + g * SpectralRows::kInputGroup;
            const double* h = rows.responses[r] + g * SpectralRows::kResponseGroup;
            for (int lane = 0; lane < kLanes; ++lane)
            {
                const double hr = h[lane], hi = h[kLanes + lane];
                const double xr = x[2 * ear * kLanes + lane];
                const double xi = x[(2 * ear + 1) * kLanes + lane];
                acc[2 * ear * kLanes + lane] += xr * hr - xi * hi;
                acc[(2 * ear + 1) * kLanes + lane] += xr * hi + xi * hr;
            }
        }
    }
}

#ifdef VEVADUR_HAVE_AVX2_KERNEL
// One group's four bins of both ears, the sums in registers across the rows.
__attribute__((target("avx2,fma"))) inline void multiplyGroup(const double* x, const double* h,
                                                              __m256d& lRe, __m256d& lIm,
                                                              __m256d& rRe, __m256d& rIm)
{
    const __m256d hr = _mm256_loadu_pd(h);
    const __m256d hi = _mm256_loadu_pd(h + 4);
    __m256d a = _mm256_loadu_pd(x);
    __m256d b = _mm256_loadu_pd(x + 4);
    lRe = _mm256_fnmadd_pd(b, hi, _mm256_fmadd_pd(a, hr, lRe));
    lIm = _mm256_fmadd_pd(b, hr, _mm256_fmadd_pd(a, hi, lIm));
    a = _mm256_loadu_pd(x + 8);
    b = _mm256_loadu_pd(x + 12);
    rRe = _mm256_fnmadd_pd(b, hi, _mm256_fmadd_pd(a, hr, rRe));
    rIm = _mm256_fmadd_pd(b, hr, _mm256_fmadd_pd(a, hi, rIm));
}

// The rows stream from main memory when a host paces the blocks, faster than the hardware
// prefetcher alone brings them: ask for the lines the pass after kAhead more groups will read,
// the input row's `inputStride` bytes apart and the response row's one after another
// (64 groups ahead was slower; 16 and 32 measured alike).
__attribute__((target("avx2,fma"))) inline void
prefetchAhead(const double* x, int inputLines, int inputStride, const double* h, int responseLines)
{
    constexpr int kAhead = 32;
    constexpr int kLine = 64;
    const char* xAhead = reinterpret_cast<const char*>(x + kAhead * SpectralRows::kInputGroup);
    const char* hAhead = reinterpret_cast<const char*>(h + kAhead * SpectralRows::kResponseGroup);
    for (int line = 0; line < inputLines; ++line)
        _mm_prefetch(xAhead + line * inputStride, _MM_HINT_T0);
    for (int line = 0; line < responseLines; ++line)
        _mm_prefetch(hAhead + line * kLine, _MM_HINT_T0);
}

// Two groups per pass: eight independent sums keep both FMA units busy instead of waiting on one
// chain of dependent additions.
__attribute__((target("avx2,fma"))) void avx2Kernel(double* sums, const SpectralRows& rows,
                                                    int32_t groups)
{
    constexpr int kIn = SpectralRows::kInputGroup;
    constexpr int kH = SpectralRows::kResponseGroup;
    int32_t g = 0;
    for (; g + 2 <= groups; g += 2)
    {
        double* acc = sums + g * kIn;
        __m256d a0 = _mm256_loadu_pd(acc), a1 = _mm256_loadu_pd(acc + 4);
        __m256d a2 = _mm256_loadu_pd(acc + 8), a3 = _mm256_loadu_pd(acc + 12);
        __m256d b0 = _mm256_loadu_pd(acc + 16), b1 = _mm256_loadu_pd(acc + 20);
        __m256d b2 = _mm256_loadu_pd(acc + 24), b3 = _mm256_loadu_pd(acc + 28);
        for (int r = 0; r < rows.count; ++r)
        {
            const double* x = rows.inputs[r] + g * kIn;
            const double* h = rows.responses[r] + g * kH;
            // Two groups: both ears' four lines, the response's two.
            prefetchAhead(x, 4, 64, h, 2);
            multiplyGroup(x, h, a0, a1, a2, a3);
            multiplyGroup(x + kIn, h + kH, b0, b1, b2, b3);
        }
        _mm256_storeu_pd(acc, a0);
        _mm256_storeu_pd(acc + 4, a1);
        _mm256_storeu_pd(acc + 8, a2);
        _mm256_storeu_pd(acc + 12, a3);
        _mm256_storeu_pd(acc + 16, b0);
        _mm256_storeu_pd(acc + 20, b1);
        _mm256_storeu_pd(acc + 24, b2);
        _mm256_storeu_pd(acc + 28, b3);
    }
    if (g == groups) return;
    SpectralRows rest = rows;
    for (int r = 0; r < rows.count; ++r)
    {
        rest.inputs[r] += g * kIn;
        rest.responses[r] += g * kH;
    }
    portableKernel(sums + g * kIn, rest, groups - g);
}

// One ear's four bins of one group, as multiplyGroup computes them.
__attribute__((target("avx2,fma"))) inline void multiplyEar(const double* x, const double* h,
                                                            __m256d& re, __m256d& im)
{
    const __m256d hr = _mm256_loadu_pd(h);
    const __m256d hi = _mm256_loadu_pd(h + 4);
    const __m256d a = _mm256_loadu_pd(x);
    const __m256d b = _mm256_loadu_pd(x + 4);
    re = _mm256_fnmadd_pd(b, hi, _mm256_fmadd_pd(a, hr, re));
    im = _mm256_fmadd_pd(b, hr, _mm256_fmadd_pd(a, hi, im));
}

// One pass of kGroups groups of one ear (its half of each input group at `half`): the sums in
// registers across the rows, two per group.
template <int kGroups>
__attribute__((target("avx2,fma"))) inline void earPass(double* sums, const SpectralRows& rows,
                                                        int32_t g, int half)
{
    constexpr int kIn = SpectralRows::kInputGroup;
    constexpr int kH = SpectralRows::kResponseGroup;
    double* acc = sums + g * kIn + half;
    __m256d s[2 * kGroups];
    for (int k = 0; k < kGroups; ++k)
    {
        s[2 * k] = _mm256_loadu_pd(acc + k * kIn);
        s[2 * k + 1] = _mm256_loadu_pd(acc + k * kIn + 4);
    }
    for (int r = 0; r < rows.count; ++r)
    {
        const double* x = rows.inputs[r] + g * kIn + half;
        const double* h = rows.responses[r] + g * kH;
        // One ear's line in each group, the response's one.
        prefetchAhead(x, kGroups, kIn * sizeof(double), h, kGroups);
        for (int k = 0; k < kGroups; ++k)
            multiplyEar(x + k * kIn, h + k * kH, s[2 * k], s[2 * k + 1]);
    }
    for (int k = 0; k < kGroups; ++k)
    {
        _mm256_storeu_pd(acc + k * kIn, s[2 * k]);
        _mm256_storeu_pd(acc + k * kIn + 4, s[2 * k + 1]);
    }
}

__attribute__((target("avx2,fma"))) void avx2EarKernel(double* sums, const SpectralRows& rows,
                                                       int32_t groups, int ear)
{
    constexpr int kIn = SpectralRows::kInputGroup;
    constexpr int kH = SpectralRows::kResponseGroup;
    const int half = 2 * ear * kLanes;
    // Four groups per pass: eight independent sums, as the two-ear kernel keeps.
    int32_t g = 0;
    for (; g + 4 <= groups; g += 4)
        earPass<4>(sums, rows, g, half);
    // Rows hold an even count of groups: the last two, if any, in a pass of their own, so every
    // group takes the same fused products as in the two-ear kernel.
    if (g + 2 <= groups)
    {
        earPass<2>(sums, rows, g, half);
        g += 2;
    }
    if (g == groups) return;
    SpectralRows rest = rows;
    for (int r = 0; r < rows.count; ++r)
    {
        rest.inputs[r] += g * kIn;
        rest.responses[r] += g * kH;
    }
    portableEarKernel(sums + g * kIn, rest, groups - g, ear);
}
#endif
} // namespace

void SpectralBatch::run(int which, int32_t firstGroup, int32_t groupCount)
{
    SpectralRows rows = m_rows[which];
    for (int r = 0; r < rows.count; ++r)
    {
        rows.inputs[r] += firstGroup * SpectralRows::kInputGroup;
        rows.responses[r] += firstGroup * SpectralRows::kResponseGroup;
    }
    double* sums = m_sums + firstGroup * SpectralRows::kInputGroup;
    if (which == 2)
        m_ears(sums, rows, groupCount);
    else
        m_ear(sums, rows, groupCount, which);
    if (firstGroup + groupCount == m_groups) m_rows[which].count = 0;
}

void SpectralBatch::runTogether(SpectralBatch* batches, int count)
{
    const int32_t groups = count > 0 ? batches[0].m_groups : 0;
    for (int32_t from = 0; from < groups; from += kChunkGroups)
    {
        const int32_t chunk = std::min(kChunkGroups, groups - from);
        for (int b = 0; b < count; ++b)
            for (int which = 0; which < 3; ++which)
                if (batches[b].m_rows[which].count > 0) batches[b].run(which, from, chunk);
    }
}

EarKernel earKernel(SimdForm form)
{
#ifdef VEVADUR_HAVE_AVX2_KERNEL
    if (runsAvx2(form)) return avx2EarKernel;
#else
    (void)form;
#endif
    return portableEarKernel;
}

EarsKernel earsKernel(SimdForm form)
{
#ifdef VEVADUR_HAVE_AVX2_KERNEL
    if (runsAvx2(form)) return avx2Kernel;
#else
    (void)form;
#endif
    return portableKernel;
}
} // namespace Engine
