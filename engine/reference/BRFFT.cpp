#include "engine/reference/BRFFT.h"

namespace Engine
{
namespace
{
// Bin k of the paired transform from bins k and M-k of the real signal's spectrum.
Complex splitInverse(Complex a, Complex q, Complex w)
{
    const Complex sum = a + std::conj(q);
    const Complex difference = a - std::conj(q);
    return 0.5 * (sum + multiply(std::conj(w), timesI(difference)));
}
} // namespace

BRFFT::BRFFT(int32_t size) : RFFT(size) {}

void BRFFT::complexTransform(const Complex* src, int32_t count)
{
    transformComplex(src, count, Direction::Inverse);
}

void BRFFT::dump(int32_t start, int32_t count) const
{
    dumpRange('f', start, count);
}

void BRFFT::dumpAll() const
{
    dump(0, m_size);
}

void BRFFT::inverseTransform(Complex* spectrum)
{
    const int32_t m = m_half;
    for (int32_t k = 0; k <= m / 2; ++k)
    {
        const Complex a = spectrum[k];
        const Complex q = spectrum[m - k];
        spectrum[k] = splitInverse(a, q, m_twiddle[k]);
        spectrum[m - k] = splitInverse(q, a, m_twiddle[m - k]);
    }
    complexTransform(spectrum, m);

    // Unpack the pairs from the top down so no value is overwritten before it is read.
    Complex* samples = m_result.data();
    for (int32_t k = m - 1; k >= 0; --k)
    {
        const Complex z = samples[k];
        samples[2 * k + 1] = {2.0 * z.imag(), 0.0};
        samples[2 * k] = {2.0 * z.real(), 0.0};
    }
}
} // namespace Engine
