#pragma once

#include "engine/reference/ComplexMath.h"

#include <cstdint>
#include <vector>

namespace Engine
{
// Spectral history of a uniformly partitioned convolution, one frequency bin at a time.
// For every bin it keeps the bin of the last P input-block spectra and of the P partition spectra
// of the response, P = segment length / block size. Each bin's P values sit next to each other,
// so the per-sample sum runs over contiguous memory.
class SpectralStore
{
  public:
    SpectralStore(int32_t segmentLength, int32_t blockSize);

    int32_t partitionCount() const { return m_partitionCount; }
    // Empties both histories, as at creation.
    void clear();

    // Called once per sample during the block whose gathering partition is `partition`
    // (0 .. P-1), for bin `bin` (0 .. B-1): stores `input`, bin `bin` of the newest input block's
    // spectrum, and `spectrum`, bin `bin` of the spectrum of partition `partition` - 1
    // (cyclically), then returns the sum over m = 0 .. P-1 of input(m blocks back) times partition
    // m, added in the order of m. Bin 0 carries DC and Nyquist as one real pair and multiplies
    // element-wise.
    Complex accumulate(int32_t bin, int32_t partition, Complex input, Complex spectrum)
    {
        const int32_t count = m_partitionCount;
        if (count < 1) return {};
        Complex* inputs = &m_inputHistory[static_cast<size_t>(bin) * count];
        Complex* spectra = &m_partitionSpectra[static_cast<size_t>(bin) * count];
        // Input history runs backwards in time from `newest`, wrapping at the end of the row.
        const int32_t newest = partition == 0 ? 0 : count - partition;
        inputs[newest] = input;
        spectra[partition == 0 ? count - 1 : partition - 1] = spectrum;

        const int32_t beforeWrap = count - newest;
        Sum sum;
        if (bin == 0)
        {
            sum.addPairs(inputs + newest, spectra, beforeWrap);
            sum.addPairs(inputs, spectra + beforeWrap, newest);
        }
        else
        {
            sum.addProducts(inputs + newest, spectra, beforeWrap);
            sum.addProducts(inputs, spectra + beforeWrap, newest);
        }
        return {sum.re, sum.im};
    }

  private:
    struct Sum
    {
        double re = 0.0;
        double im = 0.0;

        void addProducts(const Complex* x, const Complex* h, int32_t count)
        {
            for (int32_t m = 0; m < count; ++m)
            {
                re += x[m].real() * h[m].real() - x[m].imag() * h[m].imag();
                im += x[m].real() * h[m].imag() + x[m].imag() * h[m].real();
            }
        }

        void addPairs(const Complex* x, const Complex* h, int32_t count)
        {
            for (int32_t m = 0; m < count; ++m)
            {
                re += x[m].real() * h[m].real();
                im += x[m].imag() * h[m].imag();
            }
        }
    };

    int32_t m_partitionCount;
    std::vector<Complex> m_inputHistory;     // [bin][slot], slot = (P - partition) mod P
    std::vector<Complex> m_partitionSpectra; // [bin][partition]
};
} // namespace Engine
