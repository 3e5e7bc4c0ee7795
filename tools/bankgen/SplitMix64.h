#pragma once

#include <cstdint>

namespace bankgen
{
// A small seeded generator (splitmix64): the same sequence on every machine and library.
class SplitMix64
{
  public:
    explicit SplitMix64(uint64_t seed) : state(seed) {}

    uint64_t next()
    {
        uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

    // Uniform in [-1, 1), from the top 53 bits.
    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-52 - 1.0; }

  private:
    uint64_t state;
};
} // namespace bankgen
