#include "vst3/handover/SeqLockSnapshot.h"

#include <cstring>

namespace Steinberg::Vst::Veru2ZOR3
{

// A sequence lock without fences: the writer makes the version odd, stores every field with
// release order and makes the version even again. A reader that loaded any field of a write
// with acquire order also sees that write's odd version; it loads the version, the fields and
// the version again, and the read is whole when both versions are the same even number.

void SeqLockSnapshot::resize(std::size_t fields)
{
    m_fields.reset(new std::atomic<float>[fields]);
    for (std::size_t f = 0; f < fields; ++f)
        m_fields[f].store(0.0f, std::memory_order_relaxed);
    m_size = fields;
    m_tag.store(0, std::memory_order_relaxed);
    m_version.store(0, std::memory_order_release);
}

void SeqLockSnapshot::beginWrite()
{
    m_version.store(m_version.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
}

void SeqLockSnapshot::store(std::size_t field, float value)
{
    if (field < m_size) m_fields[field].store(value, std::memory_order_release);
}

void SeqLockSnapshot::endWrite(uint64_t tag)
{
    m_tag.store(tag, std::memory_order_release);
    m_version.store(m_version.load(std::memory_order_relaxed) + 1, std::memory_order_release);
}

bool SeqLockSnapshot::holds(const float* values, uint64_t tag) const
{
    // Only the writer calls this, so what it reads is what it wrote.
    if (m_tag.load(std::memory_order_relaxed) != tag) return false;
    for (std::size_t f = 0; f < m_size; ++f)
    {
        const float held = m_fields[f].load(std::memory_order_relaxed);
        if (std::memcmp(&held, &values[f], sizeof held) != 0) return false;
    }
    return true;
}

bool SeqLockSnapshot::read(float* values, uint64_t& tag) const
{
    const uint32_t before = m_version.load(std::memory_order_acquire);
    for (std::size_t f = 0; f < m_size; ++f)
        values[f] = m_fields[f].load(std::memory_order_acquire);
    tag = m_tag.load(std::memory_order_acquire);
    return (before & 1) == 0 && m_version.load(std::memory_order_relaxed) == before;
}

} // namespace Steinberg::Vst::Veru2ZOR3
