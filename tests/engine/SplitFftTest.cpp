#include "engine/SplitFft.h"
#include "NaiveDft.h"
#include "TestSignals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Engine;

namespace
{
class SplitFftSizes : public testing::TestWithParam<int>
{
};

void expectNaiveDftBothWays(const SplitFft& fft, const std::vector<double>& re,
                            const std::vector<double>& im)
{
    const int n = fft.size();
    const size_t size = static_cast<size_t>(n);
    std::vector<LongComplex> x(size);
    for (int i = 0; i < n; ++i)
        x[size_t(i)] = {re[size_t(i)], im[size_t(i)]};
    std::vector<double> outRe(size), outIm(size);
    double magnitude = 0.0;
    for (int i = 0; i < n; ++i)
        magnitude += std::fabs(re[size_t(i)]) + std::fabs(im[size_t(i)]);
    const double bound = 8.0 * std::log2(double(std::max(n, 2))) *
                         std::numeric_limits<double>::epsilon() * magnitude;
    for (int sign : {-1, 1})
    {
        if (sign < 0)
            fft.forward(re.data(), im.data(), outRe.data(), outIm.data());
        else
            fft.inverse(re.data(), im.data(), outRe.data(), outIm.data());
        const std::vector<LongComplex> expected = naiveDft(x, sign);
        for (int k = 0; k < n; ++k)
        {
            ASSERT_NEAR(outRe[size_t(k)], double(expected[size_t(k)].real()), bound) << k;
            ASSERT_NEAR(outIm[size_t(k)], double(expected[size_t(k)].imag()), bound) << k;
        }
    }
}

int bitReversed(int index, int size)
{
    int reversed = 0;
    for (int bit = 1; bit < size; bit *= 2)
        reversed = reversed * 2 + ((index & bit) ? 1 : 0);
    return reversed;
}

// The scrambled forward holds bin bitReverse(p) at p; the scrambled inverse takes that order
// back to N times the signal; the half forward transforms the signal's first half zero-padded.
void expectScrambledOrderBothWays(const SplitFft& fft, const std::vector<double>& re,
                                  const std::vector<double>& im)
{
    const int n = fft.size();
    const size_t size = static_cast<size_t>(n);
    std::vector<LongComplex> x(size);
    double magnitude = 0.0;
    for (size_t i = 0; i < size; ++i)
    {
        x[i] = {re[i], im[i]};
        magnitude += std::fabs(re[i]) + std::fabs(im[i]);
    }
    const double bound = 8.0 * std::log2(double(std::max(n, 2))) *
                         std::numeric_limits<double>::epsilon() * magnitude;
    const std::vector<LongComplex> expected = naiveDft(x, -1);
    std::vector<double> spectrumRe(size), spectrumIm(size), backRe(size), backIm(size);
    fft.forwardScrambled(re.data(), im.data(), spectrumRe.data(), spectrumIm.data());
    for (int p = 0; p < n; ++p)
    {
        const LongComplex bin = expected[size_t(bitReversed(p, n))];
        ASSERT_NEAR(spectrumRe[size_t(p)], double(bin.real()), bound) << p;
        ASSERT_NEAR(spectrumIm[size_t(p)], double(bin.imag()), bound) << p;
    }
    fft.inverseScrambled(spectrumRe.data(), spectrumIm.data(), backRe.data(), backIm.data());
    for (size_t i = 0; i < size; ++i)
    {
        ASSERT_NEAR(backRe[i], n * re[i], bound) << i;
        ASSERT_NEAR(backIm[i], n * im[i], bound) << i;
    }

    // Only the first half given, the rest zero: the spectrum of the zero-padded signal.
    if (n < 2) return;
    std::vector<LongComplex> padded = x;
    for (size_t i = size / 2; i < size; ++i)
        padded[i] = LongComplex{0, 0};
    const std::vector<LongComplex> paddedExpected = naiveDft(padded, -1);
    fft.forwardScrambledHalf(re.data(), im.data(), spectrumRe.data(), spectrumIm.data());
    for (int p = 0; p < n; ++p)
    {
        const LongComplex bin = paddedExpected[size_t(bitReversed(p, n))];
        ASSERT_NEAR(spectrumRe[size_t(p)], double(bin.real()), bound) << "half " << p;
        ASSERT_NEAR(spectrumIm[size_t(p)], double(bin.imag()), bound) << "half " << p;
    }
}
} // namespace

TEST_P(SplitFftSizes, BothDirectionsMatchTheNaiveDft)
{
    const size_t size = static_cast<size_t>(GetParam());
    const std::vector<double> re = noise(size, 11), im = noise(size, 12);
    for (SimdForm form : {SimdForm::kWidest, SimdForm::kPortable})
    {
        const SplitFft fft(GetParam(), form);
        expectNaiveDftBothWays(fft, re, im);
        expectScrambledOrderBothWays(fft, re, im);
    }
}

INSTANTIATE_TEST_SUITE_P(PowersOfTwo, SplitFftSizes, testing::Values(1, 2, 4, 8, 16, 32, 256, 512,
                                                                     1024));
