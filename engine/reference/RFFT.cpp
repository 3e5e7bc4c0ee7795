#include "engine/reference/RFFT.h"

#include <cmath>
#include <cstdio>

namespace Engine
{
namespace
{
constexpr double kTwoPi = 6.283185307179586;

int32_t powerOfTwoAtMost(int32_t n)
{
    int32_t p = 2;
    while (p <= n / 2)
        p *= 2;
    return p;
}

bool isPowerOfTwo(int32_t n)
{
    return n > 0 && (n & (n - 1)) == 0;
}
} // namespace

RFFT::RFFT(int32_t size)
    : m_size(powerOfTwoAtMost(size)), m_half(m_size / 2), m_twiddle(m_half + 1), m_result(m_size)
{
    const double baseAngle = kTwoPi / m_size;
    for (int32_t j = 0; j <= m_half; ++j)
    {
        const double theta = -(j * baseAngle);
        m_twiddle[j] = {std::cos(theta), std::sin(theta)};
    }
}

void RFFT::scale()
{
    const double factor = 1.0 / m_size; // exact: N is a power of two
    for (Complex& value : m_result)
        value *= factor;
}

void RFFT::transformComplex(const Complex* src, int32_t count, Direction direction)
{
    if (!isPowerOfTwo(count) || count > m_size) return;
    for (int32_t i = 0; i < count; ++i)
        m_result[i] = src[i];
    butterflies(count, direction);
    bitReverse(count);
}

// Decimation in frequency: spans count, count/2, ..., 2. Each stage's rotations come from one
// cos/sin pair by repeated multiplication.
void RFFT::butterflies(int32_t count, Direction direction)
{
    Complex* r = m_result.data();
    const double sign = direction == Direction::Forward ? -1.0 : 1.0;
    for (int32_t span = count; span > 1; span /= 2)
    {
        const int32_t groups = span / 2;
        const double angle = kTwoPi / span;
        const Complex step{std::cos(angle), sign * std::sin(angle)};
        Complex w{1.0, 0.0};
        for (int32_t j = 0; j < groups; ++j)
        {
            for (int32_t index = j; index < count; index += span)
            {
                const Complex a = r[index];
                const Complex b = r[index + groups];
                r[index] = a + b;
                r[index + groups] = multiply(a - b, w);
            }
            w = multiply(w, step);
        }
    }
}

void RFFT::bitReverse(int32_t count)
{
    Complex* r = m_result.data();
    int32_t reversed = 0;
    for (int32_t i = 0; i < count; ++i)
    {
        if (i < reversed) std::swap(r[i], r[reversed]);
        int32_t m = count / 2;
        while (m > 0 && m <= reversed)
        {
            reversed -= m;
            m /= 2;
        }
        reversed += m;
    }
}

void RFFT::dumpRange(char letter, int32_t start, int32_t count) const
{
    if (start < 0 || count <= 0 || int64_t{start} + count > m_size) return;
    for (int32_t i = start; i < start + count; ++i)
        std::printf("%c[%d] = (%g,%g)\n", letter, i, m_result[i].real(), m_result[i].imag());
}
} // namespace Engine
