#include "host/RunLoop.h"

#include <algorithm>
#include <chrono>

namespace vevadur::host
{

void RunLoop::runFor(int milliseconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (auto now = std::chrono::steady_clock::now(); now < end;
         now = std::chrono::steady_clock::now())
        iterate(static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(end - now).count()));
}

bool RunLoop::runUntil(const std::function<bool()>& done, int timeoutMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done())
    {
        const auto now = std::chrono::steady_clock::now();
        if (now >= end) return false;
        iterate(std::min<int>(
            10, static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(end - now).count())));
    }
    return true;
}

} // namespace vevadur::host
