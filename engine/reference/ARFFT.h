#pragma once

#include "engine/reference/RFFT.h"

namespace Engine
{
// Forward real transform: N real samples to their full N-point spectrum in result().
class ARFFT final : public RFFT
{
  public:
    explicit ARFFT(int32_t size);

    // Forward complex transform (exp(-i 2 pi / span) rotations), unscaled.
    void complexTransform(const Complex* src, int32_t count) override;
    // Lines "F[i] = (re,im)".
    void dump(int32_t start, int32_t count) const override;
    void dumpAll() const override;
    // result()[k] = sum over n of x[n] exp(-i 2 pi k n / N) for k = 0 .. N-1, unscaled;
    // result()[0] and result()[N/2] are real.
    void forwardTransform(const double* x) override;

  private:
    std::vector<Complex> m_pairs; // x[2k] + i x[2k+1], N/2 entries
};
} // namespace Engine
