// A fixed ring of values from one producer thread to one consumer thread. Neither side ever
// waits or allocates: a full ring refuses the value, an empty one has nothing to give.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>

namespace Steinberg::Vst::Veru2ZOR3
{

template <typename T, std::size_t Capacity> class SpscRing
{
    static_assert(Capacity >= 2 && (Capacity & (Capacity - 1)) == 0,
                  "the capacity is a power of two");

  public:
    // Producer side: false when the ring is full.
    bool push(const T& value)
    {
        const std::size_t head = m_head.load(std::memory_order_relaxed);
        if (head - m_tail.load(std::memory_order_acquire) >= Capacity) return false;
        m_slots[head & (Capacity - 1)] = value;
        m_head.store(head + 1, std::memory_order_release);
        return true;
    }

    // Consumer side: false when the ring is empty.
    bool pop(T& value)
    {
        const std::size_t tail = m_tail.load(std::memory_order_relaxed);
        if (tail == m_head.load(std::memory_order_acquire)) return false;
        value = m_slots[tail & (Capacity - 1)];
        m_tail.store(tail + 1, std::memory_order_release);
        return true;
    }

  private:
    std::array<T, Capacity> m_slots{};
    std::atomic<std::size_t> m_head{0};
    std::atomic<std::size_t> m_tail{0};
};

} // namespace Steinberg::Vst::Veru2ZOR3
