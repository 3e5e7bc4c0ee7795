#pragma once

#include <cstdint>
#include <vector>

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
    double output() const { return lastOutput_; }

    int32_t delay() const { return delay_; }
    int32_t size() const { return size_; }

    static constexpr int32_t kMaxCapacity = 1 << 22;

  private:
    int32_t capacity_;
    int32_t size_; // twice the capacity
    std::vector<double> buffer_;
    int32_t readIndex_ = 0;
    int32_t writeIndex_ = 0;
    int32_t delay_ = 0;
    double feedback_ = 0.0;
    double wet_ = 0.0;
    double lastOutput_ = 0.0;
};
