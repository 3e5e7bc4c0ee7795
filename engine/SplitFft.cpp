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

// The odd term of a span-4 butterfly times -i (sign 1, forward) or +i (sign -1, inverse).
inline double quarterTurnSign(const SplitFft::Plan& plan)
{
    return plan.twiddleIm[3] < 0.0 ? 1.0 : -1.0;
}

void copyIfApart(const double* inRe, const double* inIm, double* outRe, double* outIm, int32_t n)
{
    if (inRe != outRe) std::copy(inRe, inRe + n, outRe);
    if (inIm != outIm) std::copy(inIm, inIm + n, outIm);
}

// The input of a plan into out: all of it, or its first half and zeros.
void copyInput(const SplitFft::Plan& plan, const double* inRe, const double* inIm, double* outRe,
               double* outIm)
{
    if (!plan.zeroUpperHalf) return copyIfApart(inRe, inIm, outRe, outIm, plan.size);
    const int32_t half = plan.size / 2;
    copyIfApart(inRe, inIm, outRe, outIm, half);
    std::fill(outRe + half, outRe + plan.size, 0.0);
    std::fill(outIm + half, outIm + plan.size, 0.0);
}

// ---- portable stages -----------------------------------------------------------------------

// Time decimation, one stage of span 2h in place: b times the twiddle, then sum and difference.
void timeStage(double* re, double* im, int32_t size, int32_t h, const double* wr, const double* wi)
{
    for (int32_t start = 0; start < size; start += 2 * h)
    {
        for (int32_t j = start; j < start + h; ++j)
        {
            const double tRe = re[j + h] * wr[j - start] - im[j + h] * wi[j - start];
            const double tIm = re[j + h] * wi[j - start] + im[j + h] * wr[j - start];
            re[j + h] = re[j] - tRe;
            im[j + h] = im[j] - tIm;
            re[j] += tRe;
            im[j] += tIm;
        }
    }
}

// Frequency decimation, one stage of span 2h in place: sum, then the difference times the
// twiddle.
void frequencyStage(double* re, double* im, int32_t size, int32_t h, const double* wr,
                    const double* wi)
{
    for (int32_t start = 0; start < size; start += 2 * h)
    {
        for (int32_t j = start; j < start + h; ++j)
        {
            const double dRe = re[j] - re[j + h], dIm = im[j] - im[j + h];
            re[j] += re[j + h];
            im[j] += im[j + h];
            re[j + h] = dRe * wr[j - start] - dIm * wi[j - start];
            im[j + h] = dRe * wi[j - start] + dIm * wr[j - start];
        }
    }
}

void portableDecimateTime(const SplitFft::Plan& plan, const double* inRe, const double* inIm,
                          double* outRe, double* outIm)
{
    copyIfApart(inRe, inIm, outRe, outIm, plan.size);
    for (int32_t h = 1; h < plan.size; h *= 2)
        timeStage(outRe, outIm, plan.size, h, plan.twiddleRe + h, plan.twiddleIm + h);
}

void portableDecimateFrequency(const SplitFft::Plan& plan, const double* inRe, const double* inIm,
                               double* outRe, double* outIm)
{
    copyInput(plan, inRe, inIm, outRe, outIm);
    for (int32_t h = plan.size / 2; h >= 1; h /= 2)
        frequencyStage(outRe, outIm, plan.size, h, plan.twiddleRe + h, plan.twiddleIm + h);
}

#if defined(__x86_64__) || defined(__i386__)
// ---- AVX2 stages ---------------------------------------------------------------------------

// x times the twiddle c, as every vector stage computes it.
__attribute__((target("avx2,fma"))) inline void rotate(__m256d& xr, __m256d& xi, __m256d cr,
                                                       __m256d ci)
{
    const __m256d r = _mm256_fmsub_pd(xr, cr, _mm256_mul_pd(xi, ci));
    xi = _mm256_fmadd_pd(xr, ci, _mm256_mul_pd(xi, cr));
    xr = r;
}

// Time decimation on four lanes: a + w b into a, a - w b into b.
__attribute__((target("avx2,fma"))) inline void timeButterfly(__m256d& ar, __m256d& ai, __m256d& br,
                                                              __m256d& bi, __m256d cr, __m256d ci)
{
    rotate(br, bi, cr, ci);
    const __m256d sr = _mm256_add_pd(ar, br), si = _mm256_add_pd(ai, bi);
    br = _mm256_sub_pd(ar, br);
    bi = _mm256_sub_pd(ai, bi);
    ar = sr;
    ai = si;
}

// Frequency decimation on four lanes: a + b into a, (a - b) w into b.
__attribute__((target("avx2,fma"))) inline void
frequencyButterfly(__m256d& ar, __m256d& ai, __m256d& br, __m256d& bi, __m256d cr, __m256d ci)
{
    const __m256d dr = _mm256_sub_pd(ar, br), di = _mm256_sub_pd(ai, bi);
    ar = _mm256_add_pd(ar, br);
    ai = _mm256_add_pd(ai, bi);
    br = dr;
    bi = di;
    rotate(br, bi, cr, ci);
}

struct Quad
{
    __m256d r[4], i[4];
};

__attribute__((target("avx2,fma"))) inline Quad loadQuad(const double* re, const double* im,
                                                         int32_t q)
{
    Quad x;
    for (int k = 0; k < 4; ++k)
    {
        x.r[k] = _mm256_loadu_pd(re + k * q);
        x.i[k] = _mm256_loadu_pd(im + k * q);
    }
    return x;
}

__attribute__((target("avx2,fma"))) inline void storeQuad(const Quad& x, double* re, double* im,
                                                          int32_t q)
{
    for (int k = 0; k < 4; ++k)
    {
        _mm256_storeu_pd(re + k * q, x.r[k]);
        _mm256_storeu_pd(im + k * q, x.i[k]);
    }
}

// Two stages per pass, spans 2q and 4q (q >= 4): each quarter of a 4q run is loaded once and goes
// through both butterflies in registers, which halves the memory traffic of single stages.
__attribute__((target("avx2,fma"))) void
timeStagePair(double* re, double* im, int32_t size, int32_t q, const double* wr, const double* wi)
{
    for (int32_t start = 0; start < size; start += 4 * q)
    {
        for (int32_t j = 0; j < q; j += 4)
        {
            Quad x = loadQuad(re + start + j, im + start + j, q);
            const __m256d w1r = _mm256_loadu_pd(wr + q + j), w1i = _mm256_loadu_pd(wi + q + j);
            timeButterfly(x.r[0], x.i[0], x.r[1], x.i[1], w1r, w1i);
            timeButterfly(x.r[2], x.i[2], x.r[3], x.i[3], w1r, w1i);
            timeButterfly(x.r[0], x.i[0], x.r[2], x.i[2], _mm256_loadu_pd(wr + 2 * q + j),
                          _mm256_loadu_pd(wi + 2 * q + j));
            timeButterfly(x.r[1], x.i[1], x.r[3], x.i[3], _mm256_loadu_pd(wr + 3 * q + j),
                          _mm256_loadu_pd(wi + 3 * q + j));
            storeQuad(x, re + start + j, im + start + j, q);
        }
    }
}

// The same two stages in frequency decimation's order, spans 4q then 2q; reads src, writes dst
// (which may be src).
__attribute__((target("avx2,fma"))) void frequencyStagePair(const double* srcRe,
                                                            const double* srcIm, double* re,
                                                            double* im, int32_t size, int32_t q,
                                                            const double* wr, const double* wi)
{
    for (int32_t start = 0; start < size; start += 4 * q)
    {
        for (int32_t j = 0; j < q; j += 4)
        {
            Quad x = loadQuad(srcRe + start + j, srcIm + start + j, q);
            frequencyButterfly(x.r[0], x.i[0], x.r[2], x.i[2], _mm256_loadu_pd(wr + 2 * q + j),
                               _mm256_loadu_pd(wi + 2 * q + j));
            frequencyButterfly(x.r[1], x.i[1], x.r[3], x.i[3], _mm256_loadu_pd(wr + 3 * q + j),
                               _mm256_loadu_pd(wi + 3 * q + j));
            const __m256d w1r = _mm256_loadu_pd(wr + q + j), w1i = _mm256_loadu_pd(wi + q + j);
            frequencyButterfly(x.r[0], x.i[0], x.r[1], x.i[1], w1r, w1i);
            frequencyButterfly(x.r[2], x.i[2], x.r[3], x.i[3], w1r, w1i);
            storeQuad(x, re + start + j, im + start + j, q);
        }
    }
}

// A single stage of span 2h (h >= 4), where the count of stages is odd.
__attribute__((target("avx2,fma"))) void singleStage(const double* srcRe, const double* srcIm,
                                                     double* re, double* im, int32_t size,
                                                     int32_t h, const double* wr, const double* wi,
                                                     bool frequency)
{
    for (int32_t start = 0; start < size; start += 2 * h)
    {
        for (int32_t j = start; j < start + h; j += 4)
        {
            __m256d ar = _mm256_loadu_pd(srcRe + j), ai = _mm256_loadu_pd(srcIm + j);
            __m256d br = _mm256_loadu_pd(srcRe + j + h), bi = _mm256_loadu_pd(srcIm + j + h);
            const __m256d cr = _mm256_loadu_pd(wr + h + j - start);
            const __m256d ci = _mm256_loadu_pd(wi + h + j - start);
            if (frequency)
                frequencyButterfly(ar, ai, br, bi, cr, ci);
            else
                timeButterfly(ar, ai, br, bi, cr, ci);
            _mm256_storeu_pd(re + j, ar);
            _mm256_storeu_pd(im + j, ai);
            _mm256_storeu_pd(re + j + h, br);
            _mm256_storeu_pd(im + j + h, bi);
        }
    }
}

// Spans 2 and 4, the butterflies within one vector of four lanes, take the lanes' partners by
// permutation: x + y in one lane and x - y in its partner is (x with the partner's sign flipped)
// plus the permuted vector, and the twiddle -i or +i of the span-4 stage swaps real and imaginary
// parts in lane 3. The same additions as lane-by-lane butterflies, so the same numbers.
__attribute__((target("avx2,fma"))) inline __m256d flipLanes(__m256d x, __m256d signs)
{
    return _mm256_xor_pd(x, signs);
}

// Span 2: lanes (0, 1) and (2, 3).
__attribute__((target("avx2,fma"))) inline __m256d pairLanes(__m256d x)
{
    const __m256d oddSigns = _mm256_set_pd(-0.0, 0.0, -0.0, 0.0);
    return _mm256_add_pd(flipLanes(x, oddSigns), _mm256_permute_pd(x, 0x5));
}

// Span 4: lanes (0, 2) and (1, 3).
__attribute__((target("avx2,fma"))) inline __m256d pairHalves(__m256d x)
{
    const __m256d upperSigns = _mm256_set_pd(-0.0, -0.0, 0.0, 0.0);
    return _mm256_add_pd(flipLanes(x, upperSigns), _mm256_permute2f128_pd(x, x, 0x01));
}

// Lane 3 times -i (sign 1) or +i (sign -1): (re, im) becomes (sign im, -sign re).
__attribute__((target("avx2,fma"))) inline void quarterTurnLane3(__m256d& re, __m256d& im,
                                                                 double sign)
{
    const __m256d turnedRe = _mm256_mul_pd(im, _mm256_set1_pd(sign));
    const __m256d turnedIm = _mm256_mul_pd(re, _mm256_set1_pd(-sign));
    re = _mm256_blend_pd(re, turnedRe, 0x8);
    im = _mm256_blend_pd(im, turnedIm, 0x8);
}

// Spans 2 and 4 of time decimation within one vector (twiddles 1 and -i or +i).
__attribute__((target("avx2,fma"))) inline void firstTimeStagesInVector(__m256d& re, __m256d& im,
                                                                        double sign)
{
    re = pairLanes(re);
    im = pairLanes(im);
    quarterTurnLane3(re, im, sign);
    re = pairHalves(re);
    im = pairHalves(im);
}

// Spans 4 and 2 of frequency decimation within one vector.
__attribute__((target("avx2,fma"))) inline void
lastFrequencyStagesInVector(__m256d& re, __m256d& im, double sign)
{
    re = pairHalves(re);
    im = pairHalves(im);
    quarterTurnLane3(re, im, sign);
    re = pairLanes(re);
    im = pairLanes(im);
}

// The smallest spans of a transform, 2 to 16, take one pass over the data instead of two: a run
// of 16 values goes through the stages within each of its vectors and the stage pair of spans 8
// and 16 in registers. The same operations as the separate passes, so the same numbers.
struct SmallestSpans
{
    __m256d w1r, w1i, w2r, w2i, w3r, w3i; // the stage pair's twiddles (q = 4, j = 0)

    __attribute__((target("avx2,fma"))) SmallestSpans(const double* wr, const double* wi)
        : w1r(_mm256_loadu_pd(wr + 4)), w1i(_mm256_loadu_pd(wi + 4)), w2r(_mm256_loadu_pd(wr + 8)),
          w2i(_mm256_loadu_pd(wi + 8)), w3r(_mm256_loadu_pd(wr + 12)), w3i(_mm256_loadu_pd(wi + 12))
    {
    }
};

// Time decimation's first stages, spans 2 to 16: reads src, writes dst.
__attribute__((target("avx2,fma"))) void firstTimeStages(const double* srcRe, const double* srcIm,
                                                         double* re, double* im, int32_t size,
                                                         double sign, const SmallestSpans& w)
{
    constexpr int32_t q = 4;
    for (int32_t start = 0; start < size; start += 4 * q)
    {
        Quad x = loadQuad(srcRe + start, srcIm + start, q);
        for (int k = 0; k < 4; ++k)
            firstTimeStagesInVector(x.r[k], x.i[k], sign);
        timeButterfly(x.r[0], x.i[0], x.r[1], x.i[1], w.w1r, w.w1i);
        timeButterfly(x.r[2], x.i[2], x.r[3], x.i[3], w.w1r, w.w1i);
        timeButterfly(x.r[0], x.i[0], x.r[2], x.i[2], w.w2r, w.w2i);
        timeButterfly(x.r[1], x.i[1], x.r[3], x.i[3], w.w3r, w.w3i);
        storeQuad(x, re + start, im + start, q);
    }
}

// Frequency decimation's last stages, spans 16 to 2: reads src, writes dst (which may be src).
__attribute__((target("avx2,fma"))) void lastFrequencyStages(const double* srcRe,
                                                             const double* srcIm, double* re,
                                                             double* im, int32_t size, double sign,
                                                             const SmallestSpans& w)
{
    constexpr int32_t q = 4;
    for (int32_t start = 0; start < size; start += 4 * q)
    {
        Quad x = loadQuad(srcRe + start, srcIm + start, q);
        frequencyButterfly(x.r[0], x.i[0], x.r[2], x.i[2], w.w2r, w.w2i);
        frequencyButterfly(x.r[1], x.i[1], x.r[3], x.i[3], w.w3r, w.w3i);
        frequencyButterfly(x.r[0], x.i[0], x.r[1], x.i[1], w.w1r, w.w1i);
        frequencyButterfly(x.r[2], x.i[2], x.r[3], x.i[3], w.w1r, w.w1i);
        for (int k = 0; k < 4; ++k)
            lastFrequencyStagesInVector(x.r[k], x.i[k], sign);
        storeQuad(x, re + start, im + start, q);
    }
}

// The first stage, span N, of an input whose upper half is zero (h = N / 2): a + 0 and (a - 0) w,
// the same numbers singleStage gives, without reading or adding the zeros.
__attribute__((target("avx2,fma"))) void zeroHalfSingleStage(const double* srcRe,
                                                             const double* srcIm, double* re,
                                                             double* im, int32_t h,
                                                             const double* wr, const double* wi)
{
    for (int32_t j = 0; j < h; j += 4)
    {
        const __m256d ar = _mm256_loadu_pd(srcRe + j), ai = _mm256_loadu_pd(srcIm + j);
        __m256d br = ar, bi = ai;
        rotate(br, bi, _mm256_loadu_pd(wr + h + j), _mm256_loadu_pd(wi + h + j));
        _mm256_storeu_pd(re + j, ar);
        _mm256_storeu_pd(im + j, ai);
        _mm256_storeu_pd(re + j + h, br);
        _mm256_storeu_pd(im + j + h, bi);
    }
}

// The first two stages, spans N and N / 2, of an input whose upper half is zero (q = N / 4): as
// frequencyStagePair with its last two quarters zero.
__attribute__((target("avx2,fma"))) void zeroHalfStagePair(const double* srcRe, const double* srcIm,
                                                           double* re, double* im, int32_t q,
                                                           const double* wr, const double* wi)
{
    for (int32_t j = 0; j < q; j += 4)
    {
        Quad x;
        x.r[0] = x.r[2] = _mm256_loadu_pd(srcRe + j);
        x.i[0] = x.i[2] = _mm256_loadu_pd(srcIm + j);
        x.r[1] = x.r[3] = _mm256_loadu_pd(srcRe + q + j);
        x.i[1] = x.i[3] = _mm256_loadu_pd(srcIm + q + j);
        rotate(x.r[2], x.i[2], _mm256_loadu_pd(wr + 2 * q + j), _mm256_loadu_pd(wi + 2 * q + j));
        rotate(x.r[3], x.i[3], _mm256_loadu_pd(wr + 3 * q + j), _mm256_loadu_pd(wi + 3 * q + j));
        const __m256d w1r = _mm256_loadu_pd(wr + q + j), w1i = _mm256_loadu_pd(wi + q + j);
        frequencyButterfly(x.r[0], x.i[0], x.r[1], x.i[1], w1r, w1i);
        frequencyButterfly(x.r[2], x.i[2], x.r[3], x.i[3], w1r, w1i);
        storeQuad(x, re + j, im + j, q);
    }
}

constexpr int32_t kSmallestVectorSize = 16;

void avx2DecimateTime(const SplitFft::Plan& plan, const double* inRe, const double* inIm,
                      double* outRe, double* outIm)
{
    const int32_t size = plan.size;
    if (size < kSmallestVectorSize) return portableDecimateTime(plan, inRe, inIm, outRe, outIm);
    firstTimeStages(inRe, inIm, outRe, outIm, size, quarterTurnSign(plan),
                    SmallestSpans(plan.twiddleRe, plan.twiddleIm));
    int32_t h = 16;
    for (; 4 * h <= size; h *= 4)
        timeStagePair(outRe, outIm, size, h, plan.twiddleRe, plan.twiddleIm);
    if (h < size)
        singleStage(outRe, outIm, outRe, outIm, size, h, plan.twiddleRe, plan.twiddleIm, false);
}

void avx2DecimateFrequency(const SplitFft::Plan& plan, const double* inRe, const double* inIm,
                           double* outRe, double* outIm)
{
    const int32_t size = plan.size;
    if (size < kSmallestVectorSize)
        return portableDecimateFrequency(plan, inRe, inIm, outRe, outIm);
    const double* srcRe = inRe;
    const double* srcIm = inIm;
    int32_t h = size / 2;
    // Stages of half-span h >= 4 go in pairs; an odd one out goes first.
    int32_t vectorStages = 0;
    for (int32_t s = h; s >= 4; s /= 2)
        ++vectorStages;
    if (vectorStages % 2 != 0)
    {
        if (plan.zeroUpperHalf)
            zeroHalfSingleStage(srcRe, srcIm, outRe, outIm, h, plan.twiddleRe, plan.twiddleIm);
        else
            singleStage(srcRe, srcIm, outRe, outIm, size, h, plan.twiddleRe, plan.twiddleIm, true);
        srcRe = outRe;
        srcIm = outIm;
        h /= 2;
    }
    else if (plan.zeroUpperHalf)
    {
        // Size 16 has no stage pair before the smallest spans, which take their input whole.
        if (h >= 16)
        {
            zeroHalfStagePair(srcRe, srcIm, outRe, outIm, h / 2, plan.twiddleRe, plan.twiddleIm);
            h /= 4;
        }
        else
        {
            copyInput(plan, srcRe, srcIm, outRe, outIm);
        }
        srcRe = outRe;
        srcIm = outIm;
    }
    for (; h >= 16; h /= 4)
    {
        const int32_t q = h / 2;
        frequencyStagePair(srcRe, srcIm, outRe, outIm, size, q, plan.twiddleRe, plan.twiddleIm);
        srcRe = outRe;
        srcIm = outIm;
    }
    // Every path above leaves the spans 16 to 2 (h = 8).
    lastFrequencyStages(srcRe, srcIm, outRe, outIm, size, quarterTurnSign(plan),
                        SmallestSpans(plan.twiddleRe, plan.twiddleIm));
}
#endif

} // namespace

SplitFft::SplitFft(int32_t size, SimdForm form)
    : m_size(powerOfTwoAtLeast(std::max(size, 1))), m_bitReversed(m_size), m_twiddleRe(m_size),
      m_twiddleIm(m_size), m_twiddleImInverse(m_size),
      m_decimateFrequency(portableDecimateFrequency), m_decimateTime(portableDecimateTime)
{
#if defined(__x86_64__) || defined(__i386__)
    if (runsAvx2(form))
    {
        m_decimateFrequency = avx2DecimateFrequency;
        m_decimateTime = avx2DecimateTime;
    }
#else
    (void)form;
#endif
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

SplitFft::Plan SplitFft::plan(bool inverse, bool zeroUpperHalf) const
{
    return {m_size, m_twiddleRe.data(), inverse ? m_twiddleImInverse.data() : m_twiddleIm.data(),
            zeroUpperHalf};
}

void SplitFft::bitReverseInPlace(double* re, double* im) const
{
    for (int32_t i = 0; i < m_size; ++i)
    {
        const int32_t j = m_bitReversed[i];
        if (i >= j) continue;
        std::swap(re[i], re[j]);
        std::swap(im[i], im[j]);
    }
}

void SplitFft::forward(const double* inRe, const double* inIm, double* outRe, double* outIm) const
{
    forwardScrambled(inRe, inIm, outRe, outIm);
    bitReverseInPlace(outRe, outIm);
}

void SplitFft::inverse(const double* inRe, const double* inIm, double* outRe, double* outIm) const
{
    for (int32_t i = 0; i < m_size; ++i)
    {
        outRe[i] = inRe[m_bitReversed[i]];
        outIm[i] = inIm[m_bitReversed[i]];
    }
    m_decimateTime(plan(true), outRe, outIm, outRe, outIm);
}

void SplitFft::forwardScrambled(const double* inRe, const double* inIm, double* outRe,
                                double* outIm) const
{
    m_decimateFrequency(plan(false), inRe, inIm, outRe, outIm);
}

void SplitFft::forwardScrambledHalf(const double* inRe, const double* inIm, double* outRe,
                                    double* outIm) const
{
    m_decimateFrequency(plan(false, true), inRe, inIm, outRe, outIm);
}

void SplitFft::inverseScrambled(const double* inRe, const double* inIm, double* outRe,
                                double* outIm) const
{
    m_decimateTime(plan(true), inRe, inIm, outRe, outIm);
}
} // namespace Engine
