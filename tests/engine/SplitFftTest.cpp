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
} // namespace

TEST_P(SplitFftSizes, BothDirectionsMatchTheNaiveDft)
{
    const size_t size = static_cast<size_t>(GetParam());
    const std::vector<double> re = noise(size, 11), im = noise(size, 12);
    for (SimdForm form : {SimdForm::kWidest, SimdForm::kPortable})
        expectNaiveDftBothWays(SplitFft(GetParam(), form), re, im);
}

INSTANTIATE_TEST_SUITE_P(PowersOfTwo, SplitFftSizes, testing::Values(1, 2, 4, 8, 32, 256, 1024));
