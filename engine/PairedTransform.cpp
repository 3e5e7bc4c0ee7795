#include "engine/PairedTransform.h"

#include <algorithm>

namespace Engine
{
PairedTransform::PairedTransform(int32_t blockSize, SimdForm form)
    : m_blockSize(blockSize), m_transformSize(2 * blockSize),
      m_groups(groupsFor(blockSize)), m_fft(m_transformSize, form),
      m_scratchRe(m_transformSize), m_scratchIm(m_transformSize), m_resultRe(m_transformSize),
      m_resultIm(m_transformSize), m_spectra(size_t(4) * (blockSize + 1))
{
}

size_t PairedTransform::memoryBytes() const
{
    return (m_scratchRe.capacity() + m_scratchIm.capacity() + m_resultRe.capacity() +
            m_resultIm.capacity() + m_spectra.capacity()) *
               sizeof(double) +
           m_fft.memoryBytes();
}

PairedTransform::Split PairedTransform::spectrum(int which)
{
    const size_t bins = size_t(m_blockSize) + 1;
    return {&m_spectra[2 * which * bins], &m_spectra[(2 * which + 1) * bins]};
}

// Spectra of a and b through one complex transform of a + ib; a null block counts as zeros.
void PairedTransform::transformPair(const double* a, const double* b)
{
    const int32_t half = m_blockSize;
    for (auto [block, scratch] : {std::pair{a, &m_scratchRe}, std::pair{b, &m_scratchIm}})
    {
        if (block)
            std::copy(block, block + half, scratch->begin());
        else
            std::fill(scratch->begin(), scratch->begin() + half, 0.0);
        std::fill(scratch->begin() + half, scratch->end(), 0.0);
    }
    m_fft.forwardScrambled(m_scratchRe.data(), m_scratchIm.data(), m_resultRe.data(),
                           m_resultIm.data());
    const double* zr = m_resultRe.data();
    const double* zi = m_resultIm.data();
    const Split aOut = spectrum(0), bOut = spectrum(1);
    forEachRepresentative(
        [&](int32_t bin, int32_t p, int32_t mirror)
        {
            aOut.re[bin] = 0.5 * (zr[p] + zr[mirror]);
            aOut.im[bin] = 0.5 * (zi[p] - zi[mirror]);
            bOut.re[bin] = 0.5 * (zi[p] + zi[mirror]);
            bOut.im[bin] = -0.5 * (zr[p] - zr[mirror]);
        });
}

// Bins 0 .. B into a row whose groups are `stride` doubles apart; the padding stays zero.
void PairedTransform::pack(Split spectrum, double* row, int stride) const
{
    constexpr int kLanes = SpectralRows::kBinsPerGroup;
    const int32_t bins = m_blockSize + 1;
    const int32_t whole = bins / kLanes;
    for (int32_t g = 0; g < whole; ++g)
    {
        double* group = row + g * stride;
        const double* re = spectrum.re + g * kLanes;
        const double* im = spectrum.im + g * kLanes;
        for (int lane = 0; lane < kLanes; ++lane)
        {
            group[lane] = re[lane];
            group[kLanes + lane] = im[lane];
        }
    }
    for (int32_t k = whole * kLanes; k < bins; ++k)
    {
        double* group = row + (k / kLanes) * stride + k % kLanes;
        group[0] = spectrum.re[k];
        group[kLanes] = spectrum.im[k];
    }
}

void PairedTransform::transformInputs(const double* a, double* aEar, const double* b,
                                      double* bEar)
{
    transformPair(a, b);
    pack(spectrum(0), aEar, SpectralRows::kInputGroup);
    pack(spectrum(1), bEar, SpectralRows::kInputGroup);
}

void PairedTransform::transformResponses(const double* a, const double* b, double* aRow,
                                         double* bRow)
{
    transformPair(a, b);
    pack(spectrum(0), aRow, SpectralRows::kResponseGroup);
    if (b) pack(spectrum(1), bRow, SpectralRows::kResponseGroup);
}

void PairedTransform::inverseToOutput(const double* sums, double* outputLeft, double* outputRight)
{
    const int32_t n = m_transformSize;
    const int32_t half = m_blockSize;
    constexpr int kLanes = SpectralRows::kBinsPerGroup;
    forEachRepresentative(
        [&](int32_t bin, int32_t p, int32_t mirror)
        {
            const double* group = &sums[(bin / kLanes) * SpectralRows::kInputGroup + bin % kLanes];
            const double lr = group[0], li = group[kLanes];
            const double rr = group[2 * kLanes], ri = group[3 * kLanes];
            m_scratchRe[p] = lr - ri;
            m_scratchIm[p] = li + rr;
            if (mirror != p)
            {
                m_scratchRe[mirror] = lr + ri;
                m_scratchIm[mirror] = rr - li;
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
