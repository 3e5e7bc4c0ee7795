#pragma once

#include "engine/CpuFeatures.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Engine
{
// Complex FFT of a power-of-two size on split arrays (real parts and imaginary parts apart), the
// layout the spectral multiply-accumulate vectorises on. Iterative radix-2 with the bit-reversal
// order and every stage's twiddles computed once at construction; a transform allocates nothing.
// Unscaled in both directions: inverse(forward(x)) = N x. The loops run in AVX2 where the
// processor has it (chosen at construction).
class SplitFft
{
  public:
    explicit SplitFft(int32_t size, SimdForm form = SimdForm::kWidest);

    int32_t size() const { return m_size; }
    size_t memoryBytes() const;

    // X[k] = sum over n of x[n] exp(-2 pi i k n / N). Input and output may not overlap.
    void forward(const double* inRe, const double* inIm, double* outRe, double* outIm) const;
    // x[n] = sum over k of X[k] exp(+2 pi i k n / N). Input and output may not overlap.
    void inverse(const double* inRe, const double* inIm, double* outRe, double* outIm) const;

    // What one transform reads besides its data.
    struct Plan
    {
        int32_t size;
        const int32_t* bitReversed;
        const double* twiddleRe;
    };
    using TransformFunction = void (*)(const Plan&, const double* inRe, const double* inIm,
                                       double* outRe, double* outIm, const double* twiddleIm);

  private:
    void transform(const double* inRe, const double* inIm, double* outRe, double* outIm,
                   const double* twiddleIm) const;

    int32_t m_size;
    std::vector<int32_t> m_bitReversed;
    // Stage of span 2h keeps its h twiddles exp(-i pi j / h) at entries h .. 2h - 1.
    std::vector<double> m_twiddleRe;
    std::vector<double> m_twiddleIm;        // forward
    std::vector<double> m_twiddleImInverse; // conjugates, for the inverse
    TransformFunction m_transform;          // the widest vector form the processor runs
};
} // namespace Engine
