// A fixed set of float fields and a tag, written by one thread and read by another under a
// sequence lock. Neither side waits or allocates: a reader that meets a write in progress is
// told so and decides itself whether to try again.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace Steinberg::Vst::Veru2ZOR3
{

class SeqLockSnapshot
{
  public:
    // Allocates `fields` fields, all 0, tag 0. Before either thread uses the snapshot.
    void resize(std::size_t fields);
    std::size_t size() const { return m_size; }

    // ---- writer thread: beginWrite, any number of store calls, endWrite. Fields not stored
    // keep their values from the writes before.
    void beginWrite();
    void store(std::size_t field, float value);
    void endWrite(uint64_t tag);
    // Whether the writes so far left exactly these values (bit for bit, room for size() of them)
    // and this tag: a write that would change nothing can then be skipped.
    bool holds(const float* values, uint64_t tag) const;

    // ---- reader thread: copies every field into `values` (room for size() of them) and the
    // tag into `tag`. False when a write was in progress or happened meanwhile: every value is
    // then whole, but they may come from different writes.
    bool read(float* values, uint64_t& tag) const;
    // The tag of the last finished write, without the fields.
    uint64_t tag() const { return m_tag.load(std::memory_order_acquire); }

  private:
    std::unique_ptr<std::atomic<float>[]> m_fields;
    std::size_t m_size = 0;
    std::atomic<uint64_t> m_tag{0};
    // Odd while a write is in progress.
    std::atomic<uint32_t> m_version{0};
};

} // namespace Steinberg::Vst::Veru2ZOR3
