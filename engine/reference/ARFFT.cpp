#include "engine/reference/ARFFT.h"

namespace Engine
{
namespace
{
// Spectrum bin k of the real signal from bins k and M-k of the paired transform.
Complex splitForward(Complex a, Complex q, Complex w)
{
    const Complex sum = a + std::conj(q);
    const Complex difference = a - std::conj(q);
    return 0.5 * (sum - multiply(w, timesI(difference)));
}
} // namespace

ARFFT::ARFFT(int32_t size) : RFFT(size), m_pairs(m_half) {}

void ARFFT::complexTransform(const Complex* src, int32_t count)
{
    transformComplex(src, count, Direction::Forward);
}

void ARFFT::dump(int32_t start, int32_t count) const
{
    dumpRange('F', start, count);
}

void ARFFT::dumpAll() const
{
    dump(0, m_size);
}

void ARFFT::forwardTransform(const double* x)
{
    const int32_t m = m_half;
    for (int32_t k = 0; k < m; ++k)
        m_pairs[k] = {x[2 * k], x[2 * k + 1]};
    complexTransform(m_pairs.data(), m);

    Complex* spectrum = m_result.data();
    spectrum[m] = spectrum[0];
    for (int32_t k = 0; k <= m / 2; ++k)
    {
        const Complex a = spectrum[k];
        const Complex q = spectrum[m - k];
        spectrum[k] = splitForward(a, q, m_twiddle[k]);
        spectrum[m - k] = splitForward(q, a, m_twiddle[m - k]);
    }
    for (int32_t k = 1; k < m; ++k)
        spectrum[m_size - k] = std::conj(spectrum[k]);
}
} // namespace Engine
