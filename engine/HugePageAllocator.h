#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace Engine
{
// An allocator for the few stores of several megabytes that the engine streams through every
// block. Where the system leaves it to the program (Linux, transparent huge pages on "madvise"),
// it asks for 2 MB pages for them: a host calls the plug-in between other work, so the rows come
// from main memory, and with 4 kB pages a block also waits on hundreds of page-table walks. The
// memory is the usual heap's; the request is a hint that may be ignored. Only construction
// allocates.
template <typename T> class HugePageAllocator
{
  public:
    using value_type = T;

    HugePageAllocator() = default;
    template <typename U> HugePageAllocator(const HugePageAllocator<U>&) {}

    T* allocate(std::size_t n)
    {
        const std::size_t bytes = n * sizeof(T);
        void* data = ::operator new(bytes);
        adviseHugePages(data, bytes);
        return static_cast<T*>(data);
    }
    void deallocate(T* data, std::size_t) { ::operator delete(data); }

    template <typename U> bool operator==(const HugePageAllocator<U>&) const { return true; }
    template <typename U> bool operator!=(const HugePageAllocator<U>&) const { return false; }

  private:
    static void adviseHugePages(void* data, std::size_t bytes)
    {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
        constexpr std::uintptr_t kHugePage = std::uintptr_t(2) << 20;
        constexpr std::uintptr_t kPage = 4096;
        if (bytes < kHugePage) return;
        // From the start of the page holding the first byte: the system places a store this large
        // in a mapping of its own, aligned to 2 MB, so its first huge page starts there.
        const std::uintptr_t first = reinterpret_cast<std::uintptr_t>(data) & ~(kPage - 1);
        const std::uintptr_t end =
            (reinterpret_cast<std::uintptr_t>(data) + bytes + kPage - 1) & ~(kPage - 1);
        madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#else
        (void)data;
        (void)bytes;
#endif
    }
};
} // namespace Engine
