#include "NaiveDft.h"
#include "TestSignals.h"
#include "engine/reference/ARFFT.h"
#include "engine/reference/BRFFT.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Engine;

namespace
{
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
