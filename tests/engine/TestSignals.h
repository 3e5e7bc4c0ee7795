#pragma once

#include <cstdint>
#include <random>
#include <vector>

// Reproducible white noise in [-1, 1).
inline std::vector<double> noise(size_t length, uint32_t seed)
{
    std::mt19937 generator(seed);
    std::uniform_real_distribution<double> uniform(-1.0, 1.0);
    std::vector<double> samples(length);
    for (double& s : samples)
        s = uniform(generator);
    return samples;
}
