#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Complex FFT of a power-of-two size on split arrays (real parts and imaginary parts apart), the
// layout the spectral multiply-accumulate vectorises on. Iterative radix-2 with the bit-reversal
// order and every stage's twiddles computed once at construction; a transform allocates nothing.
// Unscaled in both directions: inverse(forward(x)) = N x. The loops run in AVX2 where the
// processor has it (chosen at construction).
class SplitFft
{
  public:
    // kWidest: the widest vector form the processor runs; kPortable: plain C++ loops (what a
    // processor without AVX2 runs; tests use it to check that form here too).
    enum class Form
    {
        kWidest,
        kPortable
    };
    explicit SplitFft(int32_t size, Form form = Form::kWidest);

    int32_t size() const { return size_; }
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

    int32_t size_;
    std::vector<int32_t> bitReversed_;
    // Stage of span 2h keeps its h twiddles exp(-i pi j / h) at entries h .. 2h - 1.
    std::vector<double> twiddleRe_;
    std::vector<double> twiddleIm_;        // forward
    std::vector<double> twiddleImInverse_; // conjugates, for the inverse
    TransformFunction transform_;          // the widest vector form the processor runs
};
