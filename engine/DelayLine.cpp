#include "engine/DelayLine.h"

#include "engine/SampleGuard.h"

#include <algorithm>
#include <cmath>

namespace
{
double fraction(double percent)
{
    return std::isfinite(percent) ? percent / 100.0 : 0.0;
}
} // namespace

DelayLine::DelayLine(int32_t capacity, int32_t delay, double feedbackPercent, double wetPercent)
    : capacity_(std::clamp(capacity, 1, kMaxCapacity)), size_(2 * capacity_), buffer_(size_)
{
    set(delay, feedbackPercent, wetPercent);
}

void DelayLine::set(int32_t delay, double feedbackPercent, double wetPercent)
{
    // A delay of the full ring still works: the read comes just before the write to the same slot.
    delay_ = std::clamp(delay, 0, size_);
    writeIndex_ = 0;
    readIndex_ = delay_ > 0 ? size_ - delay_ : 0;
    // Beyond unity the recirculation would grow without bound.
    feedback_ = std::clamp(fraction(feedbackPercent), -1.0, 1.0);
    wet_ = fraction(wetPercent);
    std::fill(buffer_.begin(), buffer_.end(), 0.0);
}

void DelayLine::push(double x)
{
    x = guardedSample(x);
    const double delayed = delay_ == 0 ? x : buffer_[readIndex_];
    buffer_[writeIndex_] = feedback_ * delayed + x;
    if (++writeIndex_ == size_) writeIndex_ = 0;
    if (++readIndex_ == size_) readIndex_ = 0;
    lastOutput_ = (1.0 - wet_) * x + wet_ * delayed;
}
