#include "engine/reference/DelayLine.h"

#include "engine/SampleGuard.h"

#include <algorithm>
#include <cmath>

namespace Engine
{
namespace
{
double fraction(double percent)
{
    return std::isfinite(percent) ? percent / 100.0 : 0.0;
}
} // namespace

DelayLine::DelayLine(int32_t capacity, int32_t delay, double feedbackPercent, double wetPercent)
    : m_capacity(std::clamp(capacity, 1, kMaxCapacity)), m_size(2 * m_capacity), m_buffer(m_size)
{
    set(delay, feedbackPercent, wetPercent);
}

void DelayLine::set(int32_t delay, double feedbackPercent, double wetPercent)
{
    // A delay of the full ring still works: the read comes just before the write to the same slot.
    m_delay = std::clamp(delay, 0, m_size);
    m_writeIndex = 0;
    m_readIndex = m_delay > 0 ? m_size - m_delay : 0;
    // Beyond unity the recirculation would grow without bound.
    m_feedback = std::clamp(fraction(feedbackPercent), -1.0, 1.0);
    m_wet = fraction(wetPercent);
    std::fill(m_buffer.begin(), m_buffer.end(), 0.0);
}

void DelayLine::push(double x)
{
    x = guardedSample(x);
    const double delayed = m_delay == 0 ? x : m_buffer[m_readIndex];
    m_buffer[m_writeIndex] = m_feedback * delayed + x;
    if (++m_writeIndex == m_size) m_writeIndex = 0;
    if (++m_readIndex == m_size) m_readIndex = 0;
    m_lastOutput = (1.0 - m_wet) * x + m_wet * delayed;
}
} // namespace Engine
