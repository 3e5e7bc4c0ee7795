#include "tools/analyze/Spectrogram.h"

#include "common/MathConstants.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>

namespace analyze
{
namespace
{
using vevadur::kPi;
constexpr int kFrameLength = 1024;
constexpr int kHop = 256;

// In-place iterative radix-2 transform; the size must be a power of two.
void fft(std::vector<std::complex<double>>& a)
{
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i)
    {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (size_t length = 2; length <= n; length <<= 1)
    {
        const std::complex<double> step = std::polar(1.0, -2.0 * kPi / length);
        for (size_t start = 0; start < n; start += length)
        {
            std::complex<double> w = 1.0;
            for (size_t k = 0; k < length / 2; ++k, w *= step)
            {
                const std::complex<double> u = a[start + k];
                const std::complex<double> v = a[start + k + length / 2] * w;
                a[start + k] = u + v;
                a[start + k + length / 2] = u - v;
            }
        }
    }
}
} // namespace

Spectrogram spectrogram(const std::vector<double>& x, double sampleRate)
{
    Spectrogram s;
    if (x.size() < kFrameLength || !(sampleRate > 0.0)) return s;
    s.frameCount = static_cast<int>((x.size() - kFrameLength) / kHop) + 1;
    s.binCount = kFrameLength / 2 + 1;
    s.frameSeconds = kHop / sampleRate;
    s.binHz = sampleRate / kFrameLength;
    s.levels.resize(static_cast<size_t>(s.frameCount) * s.binCount);

    std::vector<std::complex<double>> frame(kFrameLength);
    double loudest = 0.0;
    for (int f = 0; f < s.frameCount; ++f)
    {
        for (int i = 0; i < kFrameLength; ++i)
        {
            const double hann = 0.5 - 0.5 * std::cos(2.0 * kPi * i / kFrameLength);
            frame[i] = hann * x[static_cast<size_t>(f) * kHop + i];
        }
        fft(frame);
        for (int b = 0; b < s.binCount; ++b)
        {
            const double power = std::norm(frame[b]);
            s.levels[f * s.binCount + b] = power;
            loudest = std::max(loudest, power);
        }
    }
    for (double& v : s.levels)
        v = v > 0.0 && loudest > 0.0 ? 10.0 * std::log10(v / loudest)
                                     : -std::numeric_limits<double>::infinity();
    return s;
}
} // namespace analyze
