#pragma once

#include <cstdint>
#include <vector>

namespace Engine
{
// A ring-buffer delay with feedback and a wet/dry mix. The ring holds twice the capacity given
// at construction; delays are clamped to the ring, so any setting reads inside it.
class DelayLine
{
  public:
    // capacity: typically the sample rate (clamped to 1 .. kMaxCapacity). Percentages: feedback
    // -100 .. 100 (clamped), wet 0 .. 100 (not clamped); non-finite percentages count as 0.
    DelayLine(int32_t capacity, int32_t delay, double feedbackPercent, double wetPercent);

    // Stores the settings and clears the ring. Allocates nothing.
    void set(int32_t delay, double feedbackPercent, double wetPercent);
    // Takes one input sample (NaN, infinities and absurd magnitudes count as 0).
    void push(double x);
    // (1 - wet) x + wet y for the last sample pushed, y being the delayed signal.
    double output() const { return m_lastOutput; }

    int32_t delay() const { return m_delay; }
    int32_t size() const { return m_size; }

    static constexpr int32_t kMaxCapacity = 1 << 22;

  private:
    int32_t m_capacity;
    int32_t m_size; // twice the capacity
    std::vector<double> m_buffer;
    int32_t m_readIndex = 0;
    int32_t m_writeIndex = 0;
    int32_t m_delay = 0;
    double m_feedback = 0.0;
    double m_wet = 0.0;
    double m_lastOutput = 0.0;
};
} // namespace Engine
