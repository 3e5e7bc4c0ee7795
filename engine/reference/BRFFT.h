#pragma once

#include "engine/reference/RFFT.h"

namespace Engine
{
// Inverse real transform: the N-point spectrum of a real signal back to N real samples.
class BRFFT final : public RFFT
{
  public:
    explicit BRFFT(int32_t size);

    // Inverse complex transform (exp(+i 2 pi / span) rotations), unscaled.
    void complexTransform(const Complex* src, int32_t count) override;
    // Lines "f[i] = (re,im)".
    void dump(int32_t start, int32_t count) const override;
    void dumpAll() const override;
    // Reads spectrum[0 .. N/2] only and uses it as working space. Afterwards result()[n] holds
    // (N x[n], 0); scale() completes the inverse.
    void inverseTransform(Complex* spectrum) override;
};
} // namespace Engine
