#pragma once

#include <complex>
#include <vector>

using LongComplex = std::complex<long double>;

// Naive DFT in long double: X[k] = sum x[n] exp(sign i 2 pi k n / N).
inline std::vector<LongComplex> naiveDft(const std::vector<LongComplex>& x, int sign)
{
    const size_t n = x.size();
    const long double pi = 3.141592653589793238462643383279502884L;
    std::vector<LongComplex> rotation(n);
    for (size_t j = 0; j < n; ++j)
        rotation[j] = std::polar(1.0L, sign * 2.0L * pi * j / n);
    std::vector<LongComplex> spectrum(n);
    for (size_t k = 0; k < n; ++k)
        for (size_t t = 0; t < n; ++t)
            spectrum[k] += x[t] * rotation[(k * t) % n];
    return spectrum;
}
