#include "engine/PairedTransform.h"
#include "engine/SpectralKernels.h"
#include "TestSignals.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Engine;

namespace
{
class PairedTransformSizes : public testing::TestWithParam<int>
{
};
} // namespace

// Two real blocks through one transform, times the spectrum of a delayed impulse, back through
// the inverse: each ear is its block delayed, the part past the block's end in the overlap.
// Whatever order the bins are kept in, this holds only if unpacking, the products and the inverse
// agree on it.
TEST_P(PairedTransformSizes, ADelayedImpulseDelaysBothEars)
{
    const int32_t block = GetParam();
    const size_t size = static_cast<size_t>(block);
    const std::vector<double> left = noise(size, 31), right = noise(size, 32);
    for (SimdForm form : {SimdForm::kWidest, SimdForm::kPortable})
    {
        for (int32_t delay : {0, 1, block / 2 + 1, block - 1})
        {
            if (delay >= block) continue;
            PairedTransform transform(block, form);
            std::vector<double> inputs(transform.inputRowDoubles(), 0.0);
            std::vector<double> impulse(size, 0.0), response(transform.responseRowDoubles(), 0.0);
            std::vector<double> sums(transform.inputRowDoubles(), 0.0);
            impulse[size_t(delay)] = 1.0;
            transform.transformInputs(left.data(), inputs.data(), right.data(),
                                      inputs.data() + 2 * SpectralRows::kBinsPerGroup);
            transform.transformResponses(impulse.data(), nullptr, response.data(), nullptr);
            SpectralRows rows;
            rows.inputs[0] = inputs.data();
            rows.responses[0] = response.data();
            rows.count = 1;
            earsKernel(form)(sums.data(), rows, transform.groups());
            std::vector<double> outLeft(2 * size, 0.0), outRight(2 * size, 0.0);
            transform.inverseToOutput(sums.data(), outLeft.data(), outRight.data());
            for (size_t i = 0; i < 2 * size; ++i)
            {
                const bool inside = i >= size_t(delay) && i < size + size_t(delay);
                ASSERT_NEAR(outLeft[i], inside ? left[i - size_t(delay)] : 0.0, 1e-12)
                    << "delay " << delay << " frame " << i;
                ASSERT_NEAR(outRight[i], inside ? right[i - size_t(delay)] : 0.0, 1e-12)
                    << "delay " << delay << " frame " << i;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BlockSizes, PairedTransformSizes, testing::Values(1, 2, 4, 8, 128, 512));
