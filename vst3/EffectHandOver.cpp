#include "vst3/EffectHandOver.h"

#include <cmath>
#include <thread>

namespace Steinberg::Vst::Veru2ZOR3
{
namespace
{
// A reader that keeps meeting a write in progress gives up after this many tries and takes
// what it read: every value is whole, only their mutual consistency is at stake.
constexpr int kMaxReadAttempts = 64;
// Both snapshots are sequence locks without fences: the writer makes the version odd, stores
// every value with release order and makes the version even again; a reader loads the version,
// the values with acquire order and the version once more, and keeps what it read only when
// both versions are the same even number.
constexpr int64_t kNoField = -1;
} // namespace

void EffectHandOver::attach(CPlugIn* effect, bool* bypass)
{
    m_pEffect = effect;
    m_pBypass = bypass;
    m_controlCount = effect ? effect->m_uControlCount : 0;
    m_lastSentSequence.assign(fieldCount(), 0);
    m_lastSentValue.assign(fieldCount(), 0.0f);
    m_reports.assign(fieldCount() + 8, Report{0, 0.0});
    m_reportCount = 0;
    m_published.reset(new std::atomic<float>[fieldCount()]);
    m_overflow.reset(new std::atomic<float>[fieldCount()]);
    for (std::size_t f = 0; f < fieldCount(); ++f)
    {
        m_published[f].store(0.0f, std::memory_order_relaxed);
        m_overflow[f].store(0.0f, std::memory_order_relaxed);
    }
    m_overflowRead.assign(fieldCount(), 0.0f);
    publish();
}

// ---- UI thread ---------------------------------------------------------------------------------

void EffectHandOver::setPlainValue(uint32_t position, float value)
{
    if (!m_pEffect || position >= m_controlCount || !std::isfinite(value)) return;
    Change change;
    change.kind = Change::kPlain;
    change.position = position;
    change.value = value;
    submit(change, position, m_pEffect->valueAsStored(position, value, false));
}

void EffectHandOver::setNormalizedValue(uint32_t position, float normalized)
{
    if (!m_pEffect || position >= m_controlCount || !std::isfinite(normalized)) return;
    const ControlRecord* record = m_pEffect->control(position);
    if (!record) return;
    Change change;
    change.kind = Change::kNormalized;
    change.position = position;
    change.value = normalized;
    // As the effect scales it.
    const float plain = (record->maxValue - record->minValue) * normalized + record->minValue;
    submit(change, position, m_pEffect->valueAsStored(position, plain, true));
}

void EffectHandOver::setJoystickX(float x)
{
    if (!m_pEffect || !std::isfinite(x)) return;
    Change change;
    change.kind = Change::kJoystickX;
    change.value = x;
    submit(change, static_cast<int64_t>(m_controlCount) + 1, x);
}

void EffectHandOver::setJoystickY(float y)
{
    if (!m_pEffect || !std::isfinite(y)) return;
    Change change;
    change.kind = Change::kJoystickY;
    change.value = y;
    submit(change, static_cast<int64_t>(m_controlCount) + 2, y);
}

void EffectHandOver::setBypass(bool bypass)
{
    if (!m_pBypass) return;
    Change change;
    change.kind = Change::kBypass;
    change.value = bypass ? 1.0 : 0.0;
    submit(change, static_cast<int64_t>(m_controlCount), bypass ? 1.0f : 0.0f);
}

void EffectHandOver::sendEditorMessage(uint32_t code, int32_t index, double value)
{
    if (!m_pEffect) return;
    Change change;
    change.kind = Change::kEditorMessage;
    change.position = code;
    change.index = index;
    change.value = value;
    submit(change, kNoField, 0.0f);
}

void EffectHandOver::reportParameter(uint32_t id, double normalized)
{
    if (!m_pEffect || !isProcessing()) return;
    Change change;
    change.kind = Change::kReport;
    change.position = id;
    change.value = normalized;
    submit(change, kNoField, 0.0f);
}

void EffectHandOver::submit(Change change, int64_t field, float storedValue)
{
    change.sequence = ++m_sentSequence;
    if (field >= 0 && static_cast<std::size_t>(field) < fieldCount())
    {
        m_lastSentSequence[field] = change.sequence;
        m_lastSentValue[field] = storedValue;
    }
    if (!isProcessing())
    {
        // Nothing runs on the audio side: earlier changes still pending go first.
        applyPending();
        apply(change);
        m_appliedSequence = change.sequence;
        return;
    }
    if (m_overflowing && m_overflowApplied.load(std::memory_order_acquire) >= m_overflowLatest)
        m_overflowing = false;
    // A full ring never makes the UI wait: the state it wants goes into the overflow snapshot.
    if (!m_overflowing && m_ring.push(change)) return;
    writeOverflow(change, field, storedValue);
}

void EffectHandOver::writeOverflow(const Change& change, int64_t field, float storedValue)
{
    const bool isField = field >= 0 && static_cast<std::size_t>(field) < fieldCount();
    if (m_overflowing && !isField) return;
    StoredValues wanted;
    if (!m_overflowing) readStoredValues(wanted); // this change is among them already
    const uint32_t version = m_overflowVersion.load(std::memory_order_relaxed);
    m_overflowVersion.store(version + 1, std::memory_order_relaxed);
    if (!m_overflowing)
    {
        for (std::size_t i = 0; i < m_controlCount; ++i)
            m_overflow[i].store(wanted.controls[i], std::memory_order_release);
        m_overflow[m_controlCount].store(wanted.bypass ? 1.0f : 0.0f, std::memory_order_release);
        m_overflow[m_controlCount + 1].store(wanted.joystickX, std::memory_order_release);
        m_overflow[m_controlCount + 2].store(wanted.joystickY, std::memory_order_release);
    }
    else
    {
        m_overflow[static_cast<std::size_t>(field)].store(storedValue, std::memory_order_release);
    }
    m_overflowSequence.store(change.sequence, std::memory_order_release);
    m_overflowVersion.store(version + 2, std::memory_order_release);
    m_overflowing = true;
    m_overflowLatest = change.sequence;
}

void EffectHandOver::readStoredValues(StoredValues& values)
{
    values.controls.assign(m_controlCount, 0.0f);
    if (!m_pEffect) return;
    if (!isProcessing())
    {
        for (uint32_t i = 0; i < m_controlCount; ++i)
            values.controls[i] = m_pEffect->getControlValue(i);
        values.bypass = m_pBypass && *m_pBypass;
        m_pEffect->getJoystickPosition(values.joystickX, values.joystickY);
        return;
    }
    uint64_t applied = 0;
    readPublished(values, applied);
    // Whatever the audio thread has not applied yet reads as it will be.
    for (std::size_t f = 0; f < fieldCount(); ++f)
    {
        if (m_lastSentSequence[f] <= applied) continue;
        const float v = m_lastSentValue[f];
        if (f < m_controlCount)
            values.controls[f] = v;
        else if (f == m_controlCount)
            values.bypass = v != 0.0f;
        else if (f == m_controlCount + 1)
            values.joystickX = v;
        else
            values.joystickY = v;
    }
}

void EffectHandOver::readPublished(StoredValues& values, uint64_t& appliedSequence) const
{
    for (int attempt = 0; attempt < kMaxReadAttempts; ++attempt)
    {
        const uint32_t before = m_publishVersion.load(std::memory_order_acquire);
        for (std::size_t i = 0; i < m_controlCount; ++i)
            values.controls[i] = m_published[i].load(std::memory_order_acquire);
        values.bypass = m_published[m_controlCount].load(std::memory_order_acquire) != 0.0f;
        values.joystickX = m_published[m_controlCount + 1].load(std::memory_order_acquire);
        values.joystickY = m_published[m_controlCount + 2].load(std::memory_order_acquire);
        appliedSequence = m_publishedSequence.load(std::memory_order_acquire);
        if ((before & 1) == 0 && m_publishVersion.load(std::memory_order_relaxed) == before) return;
        std::this_thread::yield();
    }
}

// ---- either thread -----------------------------------------------------------------------------

void EffectHandOver::setProcessing(bool processing)
{
    if (processing == isProcessing()) return;
    if (processing)
    {
        publish();
        m_processing.store(true, std::memory_order_release);
        return;
    }
    m_processing.store(false, std::memory_order_release);
    applyPending();
}

// ---- audio thread ------------------------------------------------------------------------------

void EffectHandOver::applyPending()
{
    Change change;
    while (m_ring.pop(change))
    {
        apply(change);
        m_appliedSequence = change.sequence;
    }
    applyOverflow();
}

// Everything in the ring is older than the overflow snapshot. A snapshot caught while the UI
// side writes it is taken on the next call instead.
void EffectHandOver::applyOverflow()
{
    if (!m_overflow) return;
    const uint32_t version = m_overflowVersion.load(std::memory_order_acquire);
    if (version & 1) return;
    const uint64_t sequence = m_overflowSequence.load(std::memory_order_acquire);
    if (sequence <= m_overflowApplied.load(std::memory_order_relaxed)) return;
    for (std::size_t f = 0; f < fieldCount(); ++f)
        m_overflowRead[f] = m_overflow[f].load(std::memory_order_acquire);
    if (m_overflowVersion.load(std::memory_order_relaxed) != version) return;
    for (uint32_t i = 0; i < m_controlCount; ++i)
        m_pEffect->setPlainValue(i, m_overflowRead[i]);
    *m_pBypass = m_overflowRead[m_controlCount] != 0.0f;
    m_pEffect->setJoystickX(m_overflowRead[m_controlCount + 1], true);
    m_pEffect->setJoystickY(m_overflowRead[m_controlCount + 2], true);
    m_appliedSequence = sequence;
    m_overflowApplied.store(sequence, std::memory_order_release);
}

void EffectHandOver::apply(const Change& change)
{
    const auto value = static_cast<float>(change.value);
    switch (change.kind)
    {
    case Change::kPlain:
        m_pEffect->setPlainValue(change.position, value);
        break;
    case Change::kNormalized:
        m_pEffect->setNormalizedValue(change.position, value, false);
        break;
    case Change::kJoystickX:
        m_pEffect->setJoystickX(value, true);
        break;
    case Change::kJoystickY:
        m_pEffect->setJoystickY(value, true);
        break;
    case Change::kBypass:
        *m_pBypass = change.value != 0.0;
        break;
    case Change::kReport:
        keepReport(change.position, change.value);
        break;
    case Change::kEditorMessage:
    {
        EditorMessage message;
        message.code = change.position;
        message.parameterIndex = change.index;
        message.parameterValue = change.value;
        m_pEffect->editorMessage(&message);
        break;
    }
    }
}

// The last value per parameter counts; with no room left a report is dropped, as the host
// learns the value again from the next one.
void EffectHandOver::keepReport(uint32_t id, double value)
{
    if (!isProcessing()) return;
    for (std::size_t k = 0; k < m_reportCount; ++k)
    {
        if (m_reports[k].id == id)
        {
            m_reports[k].value = value;
            return;
        }
    }
    if (m_reportCount < m_reports.size()) m_reports[m_reportCount++] = Report{id, value};
}

void EffectHandOver::publish()
{
    if (!m_published || !m_pEffect) return;
    const uint32_t version = m_publishVersion.load(std::memory_order_relaxed);
    m_publishVersion.store(version + 1, std::memory_order_relaxed);
    for (uint32_t i = 0; i < m_controlCount; ++i)
        m_published[i].store(m_pEffect->getControlValue(i), std::memory_order_release);
    float x = 0.0f;
    float y = 0.0f;
    m_pEffect->getJoystickPosition(x, y);
    m_published[m_controlCount].store(*m_pBypass ? 1.0f : 0.0f, std::memory_order_release);
    m_published[m_controlCount + 1].store(x, std::memory_order_release);
    m_published[m_controlCount + 2].store(y, std::memory_order_release);
    m_publishedSequence.store(m_appliedSequence, std::memory_order_release);
    m_publishVersion.store(version + 2, std::memory_order_release);
}

} // namespace Steinberg::Vst::Veru2ZOR3
