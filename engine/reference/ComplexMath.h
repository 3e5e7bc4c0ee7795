#pragma once

#include <complex>

namespace Engine
{
using Complex = std::complex<double>;

// The textbook product. std::complex's operator* adds an infinity/NaN recovery path (a library
// call on some compilers) that finite audio data never needs.
inline Complex multiply(Complex a, Complex b)
{
    return {a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real()};
}

// i * z, exact: a swap and a sign change.
inline Complex timesI(Complex z)
{
    return {-z.imag(), z.real()};
}
} // namespace Engine
