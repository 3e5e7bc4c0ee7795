#include "TestSignals.h"
#include "engine/ARFFT.h"
#include "engine/BRFFT.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
using LongComplex = std::complex<long double>;

// Naive DFT in long double: X[k] = sum x[n] exp(sign i 2 pi k n / N).
std::vector<LongComplex> naiveDft(const std::vector<LongComplex>& x, int sign)
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

std::vector<LongComplex> toLong(const std::vector<double>& x)
{
    return std::vector<LongComplex>(x.begin(), x.end());
}

// Rounding of a radix-2 transform grows with log2 N; the sum of magnitudes bounds every output.
double tolerance(const std::vector<double>& x)
{
    double magnitude = 0.0;
    for (double v : x)
        magnitude += std::fabs(v);
    return 8.0 * std::log2(double(x.size())) * std::numeric_limits<double>::epsilon() * magnitude;
}

class RealFFTSizes : public testing::TestWithParam<int>
{
};
} // namespace

TEST_P(RealFFTSizes, ForwardMatchesNaiveDft)
{
    const int n = GetParam();
    const std::vector<double> x = noise(n, 11u + n);
    const std::vector<LongComplex> expected = naiveDft(toLong(x), -1);

    ARFFT fft(n);
    fft.forwardTransform(x.data());
    const double tol = tolerance(x);
    for (int k = 0; k < n; ++k)
    {
        EXPECT_NEAR(fft.result()[k].real(), double(expected[k].real()), tol) << "bin " << k;
        EXPECT_NEAR(fft.result()[k].imag(), double(expected[k].imag()), tol) << "bin " << k;
    }
}

TEST_P(RealFFTSizes, InverseMatchesNaiveDftAndReadsOnlyTheLowerHalf)
{
    const int n = GetParam();
    const std::vector<double> x = noise(n, 23u + n);
    const std::vector<LongComplex> exact = naiveDft(toLong(x), -1);
    std::vector<Complex> spectrum(n, Complex(std::nan(""), std::nan("")));
    for (int k = 0; k <= n / 2; ++k)
        spectrum[k] = Complex(double(exact[k].real()), double(exact[k].imag()));

    BRFFT inverse(n);
    inverse.inverseTransform(spectrum.data());
    const double tol = tolerance(x) * n;
    for (int t = 0; t < n; ++t)
    {
        EXPECT_NEAR(inverse.result()[t].real(), n * x[t], tol) << "sample " << t;
        EXPECT_EQ(inverse.result()[t].imag(), 0.0);
    }
}

TEST_P(RealFFTSizes, RoundTripReturnsTheInput)
{
    const int n = GetParam();
    const std::vector<double> x = noise(n, 37u + n);
    ARFFT forward(n);
    BRFFT inverse(n);
    forward.forwardTransform(x.data());
    inverse.inverseTransform(forward.result());
    inverse.scale();
    for (int t = 0; t < n; ++t)
        EXPECT_NEAR(inverse.result()[t].real(), x[t], 1e-14 * std::log2(double(n))) << t;
}

INSTANTIATE_TEST_SUITE_P(Sizes, RealFFTSizes, testing::Values(2, 4, 8, 256, 4096));

TEST(RealFFT, ImpulseAndConstantGiveFlatAndDcSpectra)
{
    const int n = 256;
    std::vector<double> impulse(n, 0.0);
    impulse[0] = 1.0;
    ARFFT fft(n);
    fft.forwardTransform(impulse.data());
    for (int k = 0; k < n; ++k)
        EXPECT_EQ(fft.result()[k], Complex(1.0, 0.0)) << k;

    const std::vector<double> ones(n, 1.0);
    fft.forwardTransform(ones.data());
    EXPECT_NEAR(fft.result()[0].real(), n, 1e-12);
    for (int k = 0; k < n; ++k)
        EXPECT_NEAR(std::abs(fft.result()[k] - (k == 0 ? Complex(n, 0) : Complex())), 0.0, 1e-12)
            << k;
}

TEST(RealFFT, DumpPrintsIndexedValuesAndIgnoresBadRanges)
{
    ARFFT forward(8);
    const std::vector<double> ones(8, 1.0);
    forward.forwardTransform(ones.data());
    testing::internal::CaptureStdout();
    forward.dump(0, 1);
    forward.dump(7, 2);
    forward.dump(-1, 1);
    forward.dump(0, 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "F[0] = (8,0)\n");

    BRFFT inverse(4);
    testing::internal::CaptureStdout();
    inverse.dumpAll();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "f[0] = (0,0)\nf[1] = (0,0)\nf[2] = (0,0)\nf[3] = (0,0)\n");
}

TEST(RealFFT, SizeIsRoundedDownToAPowerOfTwo)
{
    EXPECT_EQ(ARFFT(100).size(), 64);
    EXPECT_EQ(BRFFT(0).size(), 2);
    EXPECT_EQ(ARFFT(-5).size(), 2);
}

// ---- the fast engine's complex transform and spectral kernel --------------------------------

#include "engine/SpectralKernels.h"
#include "engine/SplitFft.h"

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
    for (SplitFft::Form form : {SplitFft::Form::kWidest, SplitFft::Form::kPortable})
        expectNaiveDftBothWays(SplitFft(GetParam(), form), re, im);
}

INSTANTIATE_TEST_SUITE_P(PowersOfTwo, SplitFftSizes, testing::Values(1, 2, 4, 8, 32, 256, 1024));

// Both forms of the kernel against complex products summed one by one, with a group count that
// leaves a remainder for the vector form's scalar tail.
TEST(SpectralKernel, BothFormsSumTheProductsOfEveryRowForBothEars)
{
    constexpr int kGroups = 7;
    constexpr int kLanes = SpectralRows::kBinsPerGroup;
    for (EarsKernel kernel : {earsKernel(), portableEarsKernel()})
    {
        for (int rowCount = 1; rowCount <= SpectralRows::kMaxRows; ++rowCount)
        {
            std::vector<std::vector<double>> inputs, responses;
            SpectralRows rows;
            for (int r = 0; r < rowCount; ++r)
            {
                inputs.push_back(noise(kGroups * SpectralRows::kInputGroup, 20 + r));
                responses.push_back(noise(kGroups * SpectralRows::kResponseGroup, 40 + r));
                rows.inputs[r] = inputs.back().data();
                rows.responses[r] = responses.back().data();
            }
            rows.count = rowCount;
            std::vector<double> sums = noise(kGroups * SpectralRows::kInputGroup, 5);
            const std::vector<double> before = sums;
            kernel(sums.data(), rows, kGroups);
            for (int g = 0; g < kGroups; ++g)
                for (int lane = 0; lane < kLanes; ++lane)
                    for (int ear = 0; ear < 2; ++ear)
                    {
                        const int re = g * SpectralRows::kInputGroup + 2 * ear * kLanes + lane;
                        const int im = re + kLanes;
                        std::complex<double> expected(before[size_t(re)], before[size_t(im)]);
                        for (int r = 0; r < rowCount; ++r)
                        {
                            const double* h = &responses[size_t(r)][size_t(g * 8 + lane)];
                            expected += std::complex<double>(inputs[size_t(r)][size_t(re)],
                                                             inputs[size_t(r)][size_t(im)]) *
                                        std::complex<double>(h[0], h[kLanes]);
                        }
                        ASSERT_NEAR(sums[size_t(re)], expected.real(), 1e-14);
                        ASSERT_NEAR(sums[size_t(im)], expected.imag(), 1e-14);
                    }
        }
    }
}
