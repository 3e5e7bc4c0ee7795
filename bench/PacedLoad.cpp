#include "PacedLoad.h"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <ctime>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace
{
double threadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + 1e-9 * double(t.tv_nsec);
}

int64_t monotonicNanoseconds()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

void sleepUntil(int64_t nanoseconds)
{
    const timespec t{time_t(nanoseconds / 1000000000), long(nanoseconds % 1000000000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) != 0)
    {
    }
}

// Another thread that writes one byte of every cache line of its memory each time it is asked.
class CacheSweeper
{
  public:
    explicit CacheSweeper(size_t bytes) : m_memory(bytes, 0), m_thread([this] { run(); }) {}

    ~CacheSweeper()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_one();
        m_thread.join();
    }

    // Asks for one pass and returns at once.
    void sweep()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            ++m_requested;
        }
        m_wake.notify_one();
    }

  private:
    void run()
    {
        long done = 0;
        for (;;)
        {
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_wake.wait(lock, [&] { return m_stop || m_requested != done; });
                if (m_stop) return;
                done = m_requested;
            }
            for (size_t i = 0; i < m_memory.size(); i += 64)
                ++m_memory[i];
        }
    }

    std::vector<uint8_t> m_memory;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    long m_requested = 0;
    bool m_stop = false;
    std::thread m_thread; // last: it runs on the members above
};
} // namespace

std::vector<PacedCost> pacedCosts(const PacedRun& run,
                                  const std::vector<std::function<void()>>& jobs)
{
    const size_t count = jobs.size();
    std::vector<PacedCost> costs(count);
    if (count == 0) return costs;
    const long warmUp = long(run.warmUpSeconds * run.sampleRate / run.blockFrames);
    for (const std::function<void()>& runBlock : jobs)
        for (long b = 0; b < warmUp; ++b)
            runBlock();

    std::unique_ptr<CacheSweeper> sweeper;
    if (run.sweepBytes > 0) sweeper = std::make_unique<CacheSweeper>(run.sweepBytes);
    const int64_t period = int64_t(1e9 * run.blockFrames / run.sampleRate);
    const long blocks = std::max(1L, long(run.seconds * run.sampleRate / run.blockFrames));
    std::vector<double> total(count, 0.0), worst(count, 0.0);
    int64_t deadline = monotonicNanoseconds();
    for (long b = 0; b < blocks; ++b)
    {
        // In series, as plug-ins on one track; the first of them changes every period, so none
        // always meets what the same neighbour left in the caches.
        for (size_t n = 0; n < count; ++n)
        {
            const size_t j = (size_t(b) + n) % count;
            const double start = threadCpuSeconds();
            jobs[j]();
            const double spent = threadCpuSeconds() - start;
            total[j] += spent;
            worst[j] = std::max(worst[j], spent);
        }
        if (sweeper) sweeper->sweep();
        // A late period starts the next one at once rather than catching up.
        deadline = std::max(deadline + period, monotonicNanoseconds());
        sleepUntil(deadline);
    }
    const double duration = double(run.blockFrames) / run.sampleRate;
    for (size_t j = 0; j < count; ++j)
        costs[j] = {total[j] / double(blocks) / duration, worst[j] / duration};
    return costs;
}
