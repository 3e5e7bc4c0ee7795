#include "engine/PairedTransform.h"

#include <algorithm>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace Engine
{
namespace
{
// A plain loop rather than std::all_of: the search then stays the engine's own code, which the
// module's layout keeps with the rest of the audio path.
bool allZero(const double* x, int32_t count)
{
    for (int32_t i = 0; i < count; ++i)
        if (x[i] != 0.0) return false;
    return true;
}

constexpr int kLanes = SpectralRows::kBinsPerGroup;

// Whole groups of a run: group g takes the bins at first + 4g .. + 3 and their partners at
// mirror - 4g .. - 3. b may be null.
void unpackGroups(const double* zr, const double* zi, int32_t first, int32_t mirror,
                  int32_t groups, double* a, double* b, int stride)
{
    for (int32_t g = 0; g < groups; ++g, a += stride, b = b ? b + stride : nullptr)
    {
        const double* pr = zr + first + g * kLanes;
        const double* pi = zi + first + g * kLanes;
        const double* mr = zr + mirror - g * kLanes;
        const double* mi = zi + mirror - g * kLanes;
        for (int lane = 0; lane < kLanes; ++lane)
        {
            a[lane] = 0.5 * (pr[lane] + mr[-lane]);
            a[kLanes + lane] = 0.5 * (pi[lane] - mi[-lane]);
        }
        if (!b) continue;
        for (int lane = 0; lane < kLanes; ++lane)
        {
            b[lane] = 0.5 * (pi[lane] + mi[-lane]);
            b[kLanes + lane] = 0.5 * (mr[-lane] - pr[lane]);
        }
    }
}

// Whole groups of both ears' sums into the inverse's input (left + i right), each bin and its
// partner.
void placeGroups(const double* sums, int32_t first, int32_t mirror, int32_t groups, double* re,
                 double* im)
{
    for (int32_t g = 0; g < groups; ++g, sums += SpectralRows::kInputGroup)
    {
        double* pr = re + first + g * kLanes;
        double* pi = im + first + g * kLanes;
        double* mr = re + mirror - g * kLanes;
        double* mi = im + mirror - g * kLanes;
        for (int lane = 0; lane < kLanes; ++lane)
        {
            const double lr = sums[lane], li = sums[kLanes + lane];
            const double rr = sums[2 * kLanes + lane], ri = sums[3 * kLanes + lane];
            pr[lane] = lr - ri;
            pi[lane] = li + rr;
            mr[-lane] = lr + ri;
            mi[-lane] = rr - li;
        }
    }
}

#if defined(__x86_64__) || defined(__i386__)
// The four partners of a group, read backwards: lanes mirror, mirror - 1, .. - 3.
__attribute__((target("avx2"))) inline __m256d loadReversed(const double* last)
{
    return _mm256_permute4x64_pd(_mm256_loadu_pd(last - 3), 0x1B);
}

__attribute__((target("avx2"))) inline void storeReversed(double* last, __m256d x)
{
    _mm256_storeu_pd(last - 3, _mm256_permute4x64_pd(x, 0x1B));
}

__attribute__((target("avx2"))) void avx2UnpackGroups(const double* zr, const double* zi,
                                                      int32_t first, int32_t mirror,
                                                      int32_t groups, double* a, double* b,
                                                      int stride)
{
    const __m256d half = _mm256_set1_pd(0.5);
    for (int32_t g = 0; g < groups; ++g, a += stride, b = b ? b + stride : nullptr)
    {
        const __m256d pr = _mm256_loadu_pd(zr + first + g * kLanes);
        const __m256d pi = _mm256_loadu_pd(zi + first + g * kLanes);
        const __m256d mr = loadReversed(zr + mirror - g * kLanes);
        const __m256d mi = loadReversed(zi + mirror - g * kLanes);
        _mm256_storeu_pd(a, _mm256_mul_pd(half, _mm256_add_pd(pr, mr)));
        _mm256_storeu_pd(a + kLanes, _mm256_mul_pd(half, _mm256_sub_pd(pi, mi)));
        if (!b) continue;
        _mm256_storeu_pd(b, _mm256_mul_pd(half, _mm256_add_pd(pi, mi)));
        _mm256_storeu_pd(b + kLanes, _mm256_mul_pd(half, _mm256_sub_pd(mr, pr)));
    }
}

__attribute__((target("avx2"))) void avx2PlaceGroups(const double* sums, int32_t first,
                                                     int32_t mirror, int32_t groups, double* re,
                                                     double* im)
{
    for (int32_t g = 0; g < groups; ++g, sums += SpectralRows::kInputGroup)
    {
        const __m256d lr = _mm256_loadu_pd(sums), li = _mm256_loadu_pd(sums + kLanes);
        const __m256d rr = _mm256_loadu_pd(sums + 2 * kLanes);
        const __m256d ri = _mm256_loadu_pd(sums + 3 * kLanes);
        _mm256_storeu_pd(re + first + g * kLanes, _mm256_sub_pd(lr, ri));
        _mm256_storeu_pd(im + first + g * kLanes, _mm256_add_pd(li, rr));
        storeReversed(re + mirror - g * kLanes, _mm256_add_pd(lr, ri));
        storeReversed(im + mirror - g * kLanes, _mm256_sub_pd(rr, li));
    }
}
#endif
} // namespace

PairedTransform::PairedTransform(int32_t blockSize, SimdForm form)
    : m_blockSize(blockSize), m_transformSize(2 * blockSize),
      m_groups(groupsFor(blockSize)), m_fft(m_transformSize, form),
      m_scratchRe(m_transformSize), m_scratchIm(m_transformSize), m_resultRe(m_transformSize),
      m_resultIm(m_transformSize), m_zeros(blockSize, 0.0), m_unpackGroups(unpackGroups),
      m_placeGroups(placeGroups)
{
#if defined(__x86_64__) || defined(__i386__)
    if (runsAvx2(form))
    {
        m_unpackGroups = avx2UnpackGroups;
        m_placeGroups = avx2PlaceGroups;
    }
#endif
}

size_t PairedTransform::memoryBytes() const
{
    return (m_scratchRe.capacity() + m_scratchIm.capacity() + m_resultRe.capacity() +
            m_resultIm.capacity() + m_zeros.capacity()) *
               sizeof(double) +
           m_fft.memoryBytes();
}

// Spectra of a and b through one complex transform of a + ib; a null block counts as zeros.
void PairedTransform::transformPair(const double* a, const double* b)
{
    m_fft.forwardScrambledHalf(a ? a : m_zeros.data(), b ? b : m_zeros.data(), m_resultRe.data(),
                               m_resultIm.data());
}

// With Z the transform of a + ib: A[k] = (Z[k] + conj Z[N - k]) / 2, B[k] = (Z[k] - conj Z[N - k])
// / 2i. A run of four bins fills one group of a row; its partners are read backwards.
void PairedTransform::unpackPair(double* aRow, double* bRow, int stride) const
{
    const double* zr = m_resultRe.data();
    const double* zi = m_resultIm.data();
    forEachRun(
        [&](int32_t bin, int32_t first, int32_t mirror, int32_t count)
        {
            const int32_t whole = count / kLanes;
            m_unpackGroups(zr, zi, first, mirror, whole, aRow + (bin / kLanes) * stride,
                           bRow ? bRow + (bin / kLanes) * stride : nullptr, stride);
            for (int32_t r = whole * kLanes; r < count; ++r)
            {
                const int32_t k = bin + r, p = first + r, m = mirror - r;
                double* a = aRow + (k / kLanes) * stride + k % kLanes;
                a[0] = 0.5 * (zr[p] + zr[m]);
                a[kLanes] = 0.5 * (zi[p] - zi[m]);
                if (!bRow) continue;
                double* b = bRow + (k / kLanes) * stride + k % kLanes;
                b[0] = 0.5 * (zi[p] + zi[m]);
                b[kLanes] = 0.5 * (zr[m] - zr[p]);
            }
        });
}

void PairedTransform::transformInputs(const double* a, double* aEar, const double* b,
                                      double* bEar)
{
    transformPair(a, b);
    unpackPair(aEar, bEar, SpectralRows::kInputGroup);
}

void PairedTransform::transformSoundingInputs(const double* a, double* aEar, uint8_t& aSilent,
                                              const double* b, double* bEar, uint8_t& bSilent)
{
    const bool silentA = allZero(a, m_blockSize);
    const bool silentB = allZero(b, m_blockSize);
    if (!(silentA && silentB && aSilent && bSilent)) transformInputs(a, aEar, b, bEar);
    aSilent = silentA;
    bSilent = silentB;
}

void PairedTransform::transformResponses(const double* a, const double* b, double* aRow,
                                         double* bRow)
{
    transformPair(a, b);
    unpackPair(aRow, b ? bRow : nullptr, SpectralRows::kResponseGroup);
}

void PairedTransform::inverseToOutput(const double* sums, double* outputLeft, double* outputRight)
{
    const int32_t n = m_transformSize;
    const int32_t half = m_blockSize;
    forEachRun(
        [&](int32_t bin, int32_t first, int32_t mirror, int32_t count)
        {
            const int32_t whole = count / kLanes;
            m_placeGroups(&sums[(bin / kLanes) * SpectralRows::kInputGroup], first, mirror, whole,
                          m_scratchRe.data(), m_scratchIm.data());
            for (int32_t r = whole * kLanes; r < count; ++r)
            {
                const int32_t k = bin + r, p = first + r, m = mirror - r;
                const double* group = &sums[(k / kLanes) * SpectralRows::kInputGroup + k % kLanes];
                const double lr = group[0], li = group[kLanes];
                const double rr = group[2 * kLanes], ri = group[3 * kLanes];
                m_scratchRe[p] = lr - ri;
                m_scratchIm[p] = li + rr;
                if (m == p) continue;
                m_scratchRe[m] = lr + ri;
                m_scratchIm[m] = rr - li;
            }
        });
    m_fft.inverseScrambled(m_scratchRe.data(), m_scratchIm.data(), m_resultRe.data(),
                           m_resultIm.data());
    const double scale = 1.0 / n;
    const double* ears[2] = {m_resultRe.data(), m_resultIm.data()};
    double* outputs[2] = {outputLeft, outputRight};
    for (int ear = 0; ear < 2; ++ear)
    {
        double* out = outputs[ear];
        const double* y = ears[ear];
        for (int32_t i = 0; i < half; ++i)
            out[i] = y[i] * scale + out[half + i];
        for (int32_t i = half; i < n; ++i)
            out[i] = y[i] * scale;
    }
}
} // namespace Engine
