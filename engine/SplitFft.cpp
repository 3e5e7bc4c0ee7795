#include "engine/SplitFft.h"

#include "common/MathConstants.h"

#include <algorithm>
#include <cmath>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace Engine
{
namespace
{
int32_t powerOfTwoAtLeast(int32_t n)
{
    int32_t p = 1;
    while (p < n)
        p *= 2;
    return p;
}

// One stage: butterflies of span 2h over the whole array, twiddles w_j = (wr[j], wi[j]).
inline __attribute__((always_inline)) void butterflies(double* __restrict re, double* __restrict im,
                                                       int32_t size, int32_t h,
                                                       const double* __restrict wr,
                                                       const double* __restrict wi)
{
    for (int32_t start = 0; start < size; start += 2 * h)
    {
        double* __restrict aRe = re + start;
        double* __restrict aIm = im + start;
        double* __restrict bRe = re + start + h;
        double* __restrict bIm = im + start + h;
        for (int32_t j = 0; j < h; ++j)
        {
            const double tRe = bRe[j] * wr[j] - bIm[j] * wi[j];
            const double tIm = bRe[j] * wi[j] + bIm[j] * wr[j];
            bRe[j] = aRe[j] - tRe;
            bIm[j] = aIm[j] - tIm;
            aRe[j] += tRe;
            aIm[j] += tIm;
        }
    }
}

// The first two stages at once (spans 2 and 4), whose twiddles are 1 and -i (or +i).
inline __attribute__((always_inline)) void firstRadix4(double* re, double* im, int32_t size,
                                                       double sign)
{
    for (int32_t s = 0; s + 3 < size; s += 4)
    {
        const double r0 = re[s] + re[s + 1], i0 = im[s] + im[s + 1];
        const double r1 = re[s] - re[s + 1], i1 = im[s] - im[s + 1];
        const double r2 = re[s + 2] + re[s + 3], i2 = im[s + 2] + im[s + 3];
        const double r3 = re[s + 2] - re[s + 3], i3 = im[s + 2] - im[s + 3];
        // Odd term of the second butterfly times -i (sign 1, forward) or +i (sign -1, inverse).
        const double t3Re = sign * i3, t3Im = -sign * r3;
        re[s] = r0 + r2;
        im[s] = i0 + i2;
        re[s + 2] = r0 - r2;
        im[s + 2] = i0 - i2;
        re[s + 1] = r1 + t3Re;
        im[s + 1] = i1 + t3Im;
        re[s + 3] = r1 - t3Re;
        im[s + 3] = i1 - t3Im;
    }
}
// Bit-reversed copy, then the stages: the portable transform, and the AVX2 one's small sizes.
inline __attribute__((always_inline)) void transformBody(const SplitFft::Plan& plan,
                                                         const double* inRe, const double* inIm,
                                                         double* outRe, double* outIm,
                                                         const double* twiddleIm)
{
    const int32_t size = plan.size;
    for (int32_t i = 0; i < size; ++i)
    {
        outRe[i] = inRe[plan.bitReversed[i]];
        outIm[i] = inIm[plan.bitReversed[i]];
    }
    int32_t h = 1;
    if (size >= 4)
    {
        // Stage 2's twiddle is exp(-i pi / 2) = -i forward, +i inverse.
        firstRadix4(outRe, outIm, size, twiddleIm[3] < 0.0 ? 1.0 : -1.0);
        h = 4;
    }
    for (; h < size; h *= 2)
        butterflies(outRe, outIm, size, h, plan.twiddleRe + h, twiddleIm + h);
}

void portableTransform(const SplitFft::Plan& plan, const double* inRe, const double* inIm,
                       double* outRe, double* outIm, const double* twiddleIm)
{
    transformBody(plan, inRe, inIm, outRe, outIm, twiddleIm);
}

#if defined(__x86_64__) || defined(__i386__)
// A stage of span 2h >= 8 with explicit vectors: four butterflies at a time, no aliasing checks.
__attribute__((target("avx2,fma"))) void
avx2Butterflies(double* re, double* im, int32_t size, int32_t h, const double* wr, const double* wi)
{
    for (int32_t start = 0; start < size; start += 2 * h)
    {
        double* aRe = re + start;
        double* aIm = im + start;
        double* bRe = aRe + h;
        double* bIm = aIm + h;
        for (int32_t j = 0; j < h; j += 4)
        {
            const __m256d xr = _mm256_loadu_pd(bRe + j), xi = _mm256_loadu_pd(bIm + j);
            const __m256d cr = _mm256_loadu_pd(wr + j), ci = _mm256_loadu_pd(wi + j);
            const __m256d tr = _mm256_fmsub_pd(xr, cr, _mm256_mul_pd(xi, ci));
            const __m256d ti = _mm256_fmadd_pd(xr, ci, _mm256_mul_pd(xi, cr));
            const __m256d ar = _mm256_loadu_pd(aRe + j), ai = _mm256_loadu_pd(aIm + j);
            _mm256_storeu_pd(bRe + j, _mm256_sub_pd(ar, tr));
            _mm256_storeu_pd(bIm + j, _mm256_sub_pd(ai, ti));
            _mm256_storeu_pd(aRe + j, _mm256_add_pd(ar, tr));
            _mm256_storeu_pd(aIm + j, _mm256_add_pd(ai, ti));
        }
    }
}

__attribute__((target("avx2,fma"))) void avx2Transform(const SplitFft::Plan& plan,
                                                       const double* inRe, const double* inIm,
                                                       double* outRe, double* outIm,
                                                       const double* twiddleIm)
{
    const int32_t size = plan.size;
    if (size < 8) return transformBody(plan, inRe, inIm, outRe, outIm, twiddleIm);
    for (int32_t i = 0; i < size; ++i)
    {
        outRe[i] = inRe[plan.bitReversed[i]];
        outIm[i] = inIm[plan.bitReversed[i]];
    }
    firstRadix4(outRe, outIm, size, twiddleIm[3] < 0.0 ? 1.0 : -1.0);
    for (int32_t h = 4; h < size; h *= 2)
        avx2Butterflies(outRe, outIm, size, h, plan.twiddleRe + h, twiddleIm + h);
}
#endif

SplitFft::TransformFunction chooseTransform(SimdForm form)
{
#if defined(__x86_64__) || defined(__i386__)
    if (runsAvx2(form)) return avx2Transform;
#else
    (void)form;
#endif
    return portableTransform;
}
} // namespace

SplitFft::SplitFft(int32_t size, SimdForm form)
    : m_size(powerOfTwoAtLeast(std::max(size, 1))), m_bitReversed(m_size), m_twiddleRe(m_size),
      m_twiddleIm(m_size), m_twiddleImInverse(m_size), m_transform(chooseTransform(form))
{
    int32_t bits = 0;
    while ((1 << bits) < m_size)
        ++bits;
    for (int32_t i = 0; i < m_size; ++i)
    {
        int32_t r = 0;
        for (int32_t b = 0; b < bits; ++b)
            r |= ((i >> b) & 1) << (bits - 1 - b);
        m_bitReversed[i] = r;
    }
    for (int32_t h = 1; h < m_size; h *= 2)
    {
        for (int32_t j = 0; j < h; ++j)
        {
            const double angle = -vevadur::kPi * j / h;
            m_twiddleRe[h + j] = std::cos(angle);
            m_twiddleIm[h + j] = std::sin(angle);
            m_twiddleImInverse[h + j] = -std::sin(angle);
        }
    }
}

size_t SplitFft::memoryBytes() const
{
    return m_bitReversed.capacity() * sizeof(int32_t) +
           (m_twiddleRe.capacity() + m_twiddleIm.capacity() + m_twiddleImInverse.capacity()) *
               sizeof(double);
}

void SplitFft::forward(const double* inRe, const double* inIm, double* outRe, double* outIm) const
{
    transform(inRe, inIm, outRe, outIm, m_twiddleIm.data());
}

void SplitFft::inverse(const double* inRe, const double* inIm, double* outRe, double* outIm) const
{
    transform(inRe, inIm, outRe, outIm, m_twiddleImInverse.data());
}

void SplitFft::transform(const double* inRe, const double* inIm, double* outRe, double* outIm,
                         const double* twiddleIm) const
{
    const Plan plan{m_size, m_bitReversed.data(), m_twiddleRe.data()};
    m_transform(plan, inRe, inIm, outRe, outIm, twiddleIm);
}
} // namespace Engine
