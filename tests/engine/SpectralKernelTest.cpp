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
    // Passes of four groups, one of two and a last single group.
    constexpr int kGroups = 11;
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

// Two batches run together, a chunk of bins at a time and rows of each silence kind mixed, sum
// exactly what each sums when flushed alone: chunking changes which memory is warm, not the
// order of any addition. The group count leaves a partial last chunk.
TEST(SpectralKernel, BatchesRunTogetherSumWhatEachSumsAlone)
{
    constexpr int32_t kGroups = 2 * SpectralBatch::kChunkGroups + 5;
    const size_t sumDoubles = size_t(kGroups) * SpectralRows::kInputGroup;
    std::vector<std::vector<double>> inputs, responses;
    for (int r = 0; r < 6; ++r)
    {
        inputs.push_back(noise(sumDoubles, 100 + r));
        responses.push_back(noise(size_t(kGroups) * SpectralRows::kResponseGroup, 120 + r));
    }
    // Row r of the first batch, and r + 1 of the second, as a stage pairs its blocks; the
    // silence of the inputs' ears cycles through both, left only, right only.
    auto fill = [&](SpectralBatch& batch, int shift)
    {
        for (int r = 0; r + shift < 6; ++r)
            batch.add(inputs[size_t(r)].data(), responses[size_t(r + shift)].data(), r % 3 == 2,
                      r % 3 == 1);
    };
    for (SimdForm form : {SimdForm::kWidest, SimdForm::kPortable})
    {
        std::vector<double> aloneFirst = noise(sumDoubles, 7), aloneSecond = noise(sumDoubles, 8);
        std::vector<double> first = aloneFirst, second = aloneSecond;
        {
            SpectralBatch a(earsKernel(form), earKernel(form), aloneFirst.data(), kGroups);
            SpectralBatch b(earsKernel(form), earKernel(form), aloneSecond.data(), kGroups);
            fill(a, 0);
            fill(b, 1);
        }
        {
            SpectralBatch together[2] = {
                {earsKernel(form), earKernel(form), first.data(), kGroups},
                {earsKernel(form), earKernel(form), second.data(), kGroups}};
            fill(together[0], 0);
            fill(together[1], 1);
            SpectralBatch::runTogether(together, 2);
        }
        EXPECT_EQ(first, aloneFirst);
        EXPECT_EQ(second, aloneSecond);
    }
}
