#pragma once

#include "engine/reference/ComplexMath.h"

#include <cstdint>
#include <vector>

namespace Engine
{
// Common part of the real transforms: size, the split-step twiddle table and the result array.
// A real transform of size N runs as one complex transform of size N/2 (samples paired as complex
// values) plus a split step. The complex transform is an in-place radix-2 decimation-in-frequency
// FFT followed by a bit-reversal permutation. All memory is allocated here; transforms allocate
// nothing.
class RFFT
{
  public:
    // size: N, a power of two of at least 2 (anything else is rounded down to one).
    explicit RFFT(int32_t size);
    virtual ~RFFT() = default;
    RFFT(const RFFT&) = delete;
    RFFT& operator=(const RFFT&) = delete;

    // Copies count values into the result array and transforms them in place, unscaled.
    virtual void complexTransform(const Complex*, int32_t) {}
    // Prints result elements start .. start + count - 1 to standard output (diagnostics).
    virtual void dump(int32_t, int32_t) const {}
    virtual void dumpAll() const {}
    virtual void forwardTransform(const double*) {}
    virtual void inverseTransform(Complex*) {}

    // Completes an inverse transform: multiplies every result element by 1/N.
    void scale();

    int32_t size() const { return m_size; }
    Complex* result() { return m_result.data(); }
    const Complex* result() const { return m_result.data(); }

  protected:
    enum class Direction
    {
        Forward,
        Inverse
    };

    // The complex transform shared by both directions: result[0 .. count - 1] = src, transformed.
    // count must be a power of two no larger than N; other counts leave the result unchanged.
    void transformComplex(const Complex* src, int32_t count, Direction direction);
    void dumpRange(char letter, int32_t start, int32_t count) const;

    int32_t m_size;
    int32_t m_half;
    std::vector<Complex> m_twiddle; // entry j = exp(-i 2 pi j / N), j = 0 .. N/2
    std::vector<Complex> m_result;  // N entries

  private:
    void butterflies(int32_t count, Direction direction);
    void bitReverse(int32_t count);
};
} // namespace Engine
