#include "TestSignals.h"
#include "engine/SpectralKernels.h"

#include <gtest/gtest.h>

#include <complex>

using namespace Engine;

// Both forms of the kernel against complex products summed one by one, with a group count that
// leaves a remainder for the vector form's scalar tail.
TEST(SpectralKernel, BothFormsSumTheProductsOfEveryRowForBothEars)
{
    constexpr int kGroups = 7;
    constexpr int kLanes = SpectralRows::kBinsPerGroup;
    for (EarsKernel kernel : {earsKernel(SimdForm::kWidest), earsKernel(SimdForm::kPortable)})
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

// The one-ear kernel sums for its ear exactly what the two-ear kernel of the same form sums
// (same operations in the same order), and leaves the other ear's sums alone.
TEST(SpectralKernel, OneEarFormsMatchTheTwoEarFormForTheirEar)
{
    constexpr int kGroups = 9;
    constexpr int kLanes = SpectralRows::kBinsPerGroup;
    for (SimdForm form : {SimdForm::kWidest, SimdForm::kPortable})
    {
        const EarsKernel both = earsKernel(form);
        const EarKernel one = earKernel(form);
        for (int rowCount = 1; rowCount <= SpectralRows::kMaxRows; ++rowCount)
        {
            std::vector<std::vector<double>> inputs, responses;
            SpectralRows rows;
            for (int r = 0; r < rowCount; ++r)
            {
                inputs.push_back(noise(kGroups * SpectralRows::kInputGroup, 60 + r));
                responses.push_back(noise(kGroups * SpectralRows::kResponseGroup, 80 + r));
                rows.inputs[r] = inputs.back().data();
                rows.responses[r] = responses.back().data();
            }
            rows.count = rowCount;
            const std::vector<double> start = noise(kGroups * SpectralRows::kInputGroup, 9);
            std::vector<double> expected = start;
            both(expected.data(), rows, kGroups);
            for (int ear = 0; ear < 2; ++ear)
            {
                std::vector<double> sums = start;
                one(sums.data(), rows, kGroups, ear);
                for (int g = 0; g < kGroups; ++g)
                    for (int i = 0; i < 4 * kLanes; ++i)
                    {
                        const size_t k = size_t(g * SpectralRows::kInputGroup + i);
                        const bool ours = i / (2 * kLanes) == ear;
                        ASSERT_EQ(sums[k], ours ? expected[k] : start[k])
                            << "ear " << ear << " group " << g << " entry " << i;
                    }
            }
        }
    }
}
