#pragma once

#include "engine/CpuFeatures.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Engine
{
// Complex FFT of a power-of-two size on split arrays (real parts and imaginary parts apart), the
// layout the spectral multiply-accumulate vectorises on. Radix-2 stages, two of them per pass
// over the data, with every stage's twiddles computed once at construction; a transform
// allocates nothing. Unscaled in both directions: inverse(forward(x)) = N x. The loops run in
// AVX2 where the processor has it (chosen at construction).
//
// Bins come in two orders. The natural one (forward, inverse) is X[k] at index k. The scrambled
// one (forwardScrambled, inverseScrambled) is X[k] at index bitReverse(k): decimation in frequency
// produces it and decimation in time consumes it without reordering anything, so a convolution
// whose products are taken bin by bin never pays for the reordering. In the scrambled order the
// bins k and N - k of index p >= 2 sit in the same octave [L, 2L) of indices (L the largest power
// of two <= p), mirrored: at p and 3L - 1 - p.
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
    // The same with the bins in the scrambled order: out[p] = X[bitReverse(p)], and for the
    // inverse in[p] = X[bitReverse(p)]. Input and output may not overlap.
    void forwardScrambled(const double* inRe, const double* inIm, double* outRe,
                          double* outIm) const;
    // forwardScrambled of a signal whose upper half is zero: in holds its first N / 2 values.
    // The zeros are neither stored nor added.
    void forwardScrambledHalf(const double* inRe, const double* inIm, double* outRe,
                              double* outIm) const;
    void inverseScrambled(const double* inRe, const double* inIm, double* outRe,
                          double* outIm) const;

    // What one transform reads besides its data.
    struct Plan
    {
        int32_t size;
        const double* twiddleRe;
        const double* twiddleIm; // forward or inverse
        bool zeroUpperHalf;      // the input holds only its first half; the rest is zero
    };
    using TransformFunction = void (*)(const Plan&, const double* inRe, const double* inIm,
                                       double* outRe, double* outIm);

  private:
    Plan plan(bool inverse, bool zeroUpperHalf = false) const;
    void bitReverseInPlace(double* re, double* im) const;

    int32_t m_size;
    std::vector<int32_t> m_bitReversed;
    // Stage of span 2h keeps its h twiddles exp(-i pi j / h) at entries h .. 2h - 1.
    std::vector<double> m_twiddleRe;
    std::vector<double> m_twiddleIm;        // forward
    std::vector<double> m_twiddleImInverse; // conjugates, for the inverse
    // The widest vector forms the processor runs: frequency decimation (natural to scrambled)
    // and time decimation (scrambled to natural).
    TransformFunction m_decimateFrequency;
    TransformFunction m_decimateTime;
};
} // namespace Engine
