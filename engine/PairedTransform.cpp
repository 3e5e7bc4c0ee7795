#include "engine/PairedTransform.h"

#include <algorithm>

namespace Engine
{
PairedTransform::PairedTransform(int32_t blockSize, SimdForm form)
    : m_blockSize(blockSize), m_transformSize(2 * blockSize),
      m_groups(groupsFor(blockSize)), m_fft(m_transformSize, form),
      m_scratchRe(m_transformSize), m_scratchIm(m_transformSize), m_resultRe(m_transformSize),
      m_resultIm(m_transformSize), m_zeros(blockSize, 0.0)
{
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
    constexpr int kLanes = SpectralRows::kBinsPerGroup;
    const double* zr = m_resultRe.data();
    const double* zi = m_resultIm.data();
    const auto unpack = [&](int32_t bin, int32_t p, int32_t mirror)
    {
        double* a = aRow + (bin / kLanes) * stride + bin % kLanes;
        double* b = bRow ? bRow + (bin / kLanes) * stride + bin % kLanes : nullptr;
        a[0] = 0.5 * (zr[p] + zr[mirror]);
        a[kLanes] = 0.5 * (zi[p] - zi[mirror]);
        if (!b) return;
        b[0] = 0.5 * (zi[p] + zi[mirror]);
        b[kLanes] = -0.5 * (zr[p] - zr[mirror]);
    };
    forEachRun(
        [&](int32_t bin, int32_t first, int32_t mirror, int32_t count)
        {
            int32_t r = 0;
            for (; r + kLanes <= count; r += kLanes)
            {
                double* a = aRow + ((bin + r) / kLanes) * stride;
                const double* pr = zr + first + r;
                const double* pi = zi + first + r;
                const double* mr = zr + mirror - r;
                const double* mi = zi + mirror - r;
                for (int lane = 0; lane < kLanes; ++lane)
                {
                    a[lane] = 0.5 * (pr[lane] + mr[-lane]);
                    a[kLanes + lane] = 0.5 * (pi[lane] - mi[-lane]);
                }
                if (!bRow) continue;
                double* b = bRow + ((bin + r) / kLanes) * stride;
                for (int lane = 0; lane < kLanes; ++lane)
                {
                    b[lane] = 0.5 * (pi[lane] + mi[-lane]);
                    b[kLanes + lane] = -0.5 * (pr[lane] - mr[-lane]);
                }
            }
            for (; r < count; ++r)
                unpack(bin + r, first + r, mirror - r);
        });
}

void PairedTransform::transformInputs(const double* a, double* aEar, const double* b,
                                      double* bEar)
{
    transformPair(a, b);
    unpackPair(aEar, bEar, SpectralRows::kInputGroup);
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
    constexpr int kLanes = SpectralRows::kBinsPerGroup;
    const auto place = [&](const double* group, int lane, int32_t p, int32_t mirror)
    {
        const double lr = group[lane], li = group[kLanes + lane];
        const double rr = group[2 * kLanes + lane], ri = group[3 * kLanes + lane];
        m_scratchRe[p] = lr - ri;
        m_scratchIm[p] = li + rr;
        if (mirror == p) return;
        m_scratchRe[mirror] = lr + ri;
        m_scratchIm[mirror] = rr - li;
    };
    forEachRun(
        [&](int32_t bin, int32_t first, int32_t mirror, int32_t count)
        {
            int32_t r = 0;
            for (; r + kLanes <= count; r += kLanes)
            {
                const double* group = &sums[((bin + r) / kLanes) * SpectralRows::kInputGroup];
                double* pr = &m_scratchRe[first + r];
                double* pi = &m_scratchIm[first + r];
                double* mr = &m_scratchRe[mirror - r];
                double* mi = &m_scratchIm[mirror - r];
                for (int lane = 0; lane < kLanes; ++lane)
                {
                    const double lr = group[lane], li = group[kLanes + lane];
                    const double rr = group[2 * kLanes + lane], ri = group[3 * kLanes + lane];
                    pr[lane] = lr - ri;
                    pi[lane] = li + rr;
                    mr[-lane] = lr + ri;
                    mi[-lane] = rr - li;
                }
            }
            for (; r < count; ++r)
            {
                const double* group = &sums[((bin + r) / kLanes) * SpectralRows::kInputGroup];
                place(group, (bin + r) % kLanes, first + r, mirror - r);
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
