#pragma once

#if defined(__SSE__)
#include <xmmintrin.h>
#endif

namespace Steinberg::Vst::Veru2ZOR3
{

// Flushes denormal floats to zero (results and operands) for as long as it lives, then puts
// the caller's floating-point mode back. Denormals in a decaying reverb tail cost a lot of time.
class DenormalGuard
{
  public:
#if defined(__SSE__)
    DenormalGuard() : m_saved(_mm_getcsr())
    {
        _mm_setcsr(m_saved | kFlushToZero | kDenormalsAreZero);
    }
    ~DenormalGuard()
    {
        _mm_setcsr(m_saved);
    }
#else
    DenormalGuard() = default;
#endif
    DenormalGuard(const DenormalGuard&) = delete;
    DenormalGuard& operator=(const DenormalGuard&) = delete;

  private:
#if defined(__SSE__)
    static constexpr unsigned kFlushToZero = 0x8000;
    static constexpr unsigned kDenormalsAreZero = 0x0040;
    unsigned m_saved;
#endif
};

} // namespace Steinberg::Vst::Veru2ZOR3
