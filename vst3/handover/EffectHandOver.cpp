#include "vst3/handover/EffectHandOver.h"

#include <cmath>
#include <thread>

namespace Steinberg::Vst::Veru2ZOR3
{
namespace
{
// A UI-side reader that keeps meeting a publication in progress gives up after this many tries
// and takes what it read: every value is whole, only their mutual consistency is at stake.
constexpr int kMaxReadAttempts = 64;
} // namespace

void EffectHandOver::attach(CPlugIn* effect, bool* bypass)
{
    m_effect = effect;
    m_bypass = bypass;
    m_fields = StoredFields(effect ? effect->m_uControlCount : 0);
    const std::size_t fields = m_fields.count();
    m_lastSentSequence.assign(fields, 0);
    m_lastSentValue.assign(fields, 0.0f);
    m_publishedRead.assign(fields, 0.0f);
    m_overflowRead.assign(fields, 0.0f);
    m_reports.reserve(fields + kExtraReports);
    m_published.resize(fields);
    m_publishing.assign(fields, 0.0f);
    m_overflow.resize(fields);
    publish();
}

// ---- UI thread ---------------------------------------------------------------------------------

void EffectHandOver::setPlainValue(uint32_t position, float value)
{
    if (!m_effect || position >= m_fields.controlCount() || !std::isfinite(value)) return;
    Change change;
    change.kind = Change::kPlain;
    change.position = position;
    change.value = value;
    submit(change, m_fields.control(position), m_effect->valueAsStored(position, value, false));
}

void EffectHandOver::setNormalizedValue(uint32_t position, float normalized)
{
    if (!m_effect || position >= m_fields.controlCount() || !std::isfinite(normalized)) return;
    const ControlRecord* record = m_effect->control(position);
    if (!record) return;
    Change change;
    change.kind = Change::kNormalized;
    change.position = position;
    change.value = normalized;
    // As the effect scales it.
    const float plain = (record->maxValue - record->minValue) * normalized + record->minValue;
    submit(change, m_fields.control(position), m_effect->valueAsStored(position, plain, true));
}

void EffectHandOver::setJoystickX(float x)
{
    if (!m_effect || !std::isfinite(x)) return;
    Change change;
    change.kind = Change::kJoystickX;
    change.value = x;
    submit(change, m_fields.joystickX(), x);
}

void EffectHandOver::setJoystickY(float y)
{
    if (!m_effect || !std::isfinite(y)) return;
    Change change;
    change.kind = Change::kJoystickY;
    change.value = y;
    submit(change, m_fields.joystickY(), y);
}

void EffectHandOver::setBypass(bool bypass)
{
    if (!m_bypass) return;
    Change change;
    change.kind = Change::kBypass;
    change.value = bypass ? 1.0 : 0.0;
    submit(change, m_fields.bypass(), StoredFields::bypassField(bypass));
}

void EffectHandOver::sendEditorMessage(uint32_t code, int32_t index, double value)
{
    EditorMessage message;
    message.code = code;
    message.parameterIndex = index;
    message.parameterValue = value;
    sendEditorMessage(message);
}

void EffectHandOver::sendEditorMessage(EditorMessage& message)
{
    if (!m_effect) return;
    Change change;
    change.kind = Change::kEditorMessage;
    change.position = message.code;
    change.index = message.parameterIndex;
    change.value = message.parameterValue;
    submit(change, kNoField, 0.0f, &message);
}

void EffectHandOver::reportParameter(uint32_t id, double normalized)
{
    if (!m_effect || !isProcessing()) return;
    Change change;
    change.kind = Change::kReport;
    change.position = id;
    change.value = normalized;
    submit(change, kNoField, 0.0f);
}

void EffectHandOver::submit(Change change, std::size_t field, float storedValue,
                            EditorMessage* record)
{
    change.sequence = ++m_sentSequence;
    if (isField(field))
    {
        m_lastSentSequence[field] = change.sequence;
        m_lastSentValue[field] = storedValue;
    }
    if (!isProcessing())
    {
        applyNow(change, record);
        return;
    }
    if (m_overflowing && m_overflowApplied.load(std::memory_order_acquire) >= m_overflowLatest)
        m_overflowing = false;
    // A full ring never makes the UI wait: the state it wants goes into the overflow snapshot.
    if (!m_overflowing && m_ring.push(change)) return;
    writeOverflow(change, field, storedValue);
}

// Nothing runs on the audio side: earlier changes still pending go first.
void EffectHandOver::applyNow(const Change& change, EditorMessage* record)
{
    applyPending();
    if (record)
        m_effect->editorMessage(record);
    else
        apply(change);
    m_appliedSequence = change.sequence;
}

void EffectHandOver::writeOverflow(const Change& change, std::size_t field, float storedValue)
{
    if (m_overflowing && !isField(field)) return;
    m_overflow.beginWrite();
    if (m_overflowing)
    {
        m_overflow.store(field, storedValue);
    }
    else
    {
        // The whole state the UI side wants, this change among it already.
        StoredValues wanted;
        readStoredValues(wanted);
        std::vector<float> row(m_fields.count());
        m_fields.toFields(wanted, row.data());
        for (std::size_t f = 0; f < row.size(); ++f)
            m_overflow.store(f, row[f]);
    }
    m_overflow.endWrite(change.sequence);
    m_overflowing = true;
    m_overflowLatest = change.sequence;
}

void EffectHandOver::readStoredValues(StoredValues& values)
{
    values.controls.assign(m_fields.controlCount(), 0.0f);
    if (!m_effect) return;
    if (!isProcessing())
    {
        readEffect(values);
        return;
    }
    uint64_t applied = 0;
    readPublished(values, applied);
    // Whatever the audio thread has not applied yet reads as it will be.
    for (std::size_t f = 0; f < m_fields.count(); ++f)
    {
        if (m_lastSentSequence[f] > applied) m_fields.setField(f, m_lastSentValue[f], values);
    }
}

void EffectHandOver::readEffect(StoredValues& values) const
{
    for (uint32_t i = 0; i < m_fields.controlCount(); ++i)
        values.controls[i] = m_effect->getControlValue(i);
    values.bypass = m_bypass && *m_bypass;
    m_effect->getJoystickPosition(values.joystickX, values.joystickY);
}

void EffectHandOver::readPublished(StoredValues& values, uint64_t& appliedSequence)
{
    for (int attempt = 1; !m_published.read(m_publishedRead.data(), appliedSequence); ++attempt)
    {
        if (attempt == kMaxReadAttempts) break;
        std::this_thread::yield();
    }
    m_fields.fromFields(m_publishedRead.data(), values);
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

bool EffectHandOver::applyPending()
{
    bool applied = false;
    Change change;
    while (m_ring.pop(change))
    {
        apply(change);
        m_appliedSequence = change.sequence;
        applied = true;
    }
    return applyOverflow() || applied;
}

// Everything in the ring is older than the overflow snapshot. A snapshot caught while the UI
// side writes it is taken on the next call instead.
bool EffectHandOver::applyOverflow()
{
    if (!m_effect) return false;
    const uint64_t applied = m_overflowApplied.load(std::memory_order_relaxed);
    if (m_overflow.tag() <= applied) return false;
    uint64_t sequence = 0;
    if (!m_overflow.read(m_overflowRead.data(), sequence) || sequence <= applied) return false;
    for (uint32_t i = 0; i < m_fields.controlCount(); ++i)
        m_effect->setPlainValue(i, m_overflowRead[m_fields.control(i)]);
    *m_bypass = m_overflowRead[m_fields.bypass()] != 0.0f;
    m_effect->setJoystickX(m_overflowRead[m_fields.joystickX()], true);
    m_effect->setJoystickY(m_overflowRead[m_fields.joystickY()], true);
    m_appliedSequence = sequence;
    m_overflowApplied.store(sequence, std::memory_order_release);
    return true;
}

void EffectHandOver::apply(const Change& change)
{
    const auto value = static_cast<float>(change.value);
    switch (change.kind)
    {
    case Change::kPlain:
        m_effect->setPlainValue(change.position, value);
        break;
    case Change::kNormalized:
        m_effect->setNormalizedValue(change.position, value, false);
        break;
    case Change::kJoystickX:
        m_effect->setJoystickX(value, true);
        break;
    case Change::kJoystickY:
        m_effect->setJoystickY(value, true);
        break;
    case Change::kBypass:
        *m_bypass = change.value != 0.0;
        break;
    case Change::kReport:
        // Only a block can carry a report; one made before processing stopped is dropped.
        if (isProcessing()) m_reports.keep(change.position, change.value);
        break;
    case Change::kEditorMessage:
    {
        EditorMessage message;
        message.code = change.position;
        message.parameterIndex = change.index;
        message.parameterValue = change.value;
        m_effect->editorMessage(&message);
        break;
    }
    }
}

void EffectHandOver::publish()
{
    if (!m_effect || m_published.size() != m_fields.count()) return;
    float* values = m_publishing.data();
    for (uint32_t i = 0; i < m_fields.controlCount(); ++i)
        values[m_fields.control(i)] = m_effect->getControlValue(i);
    values[m_fields.bypass()] = StoredFields::bypassField(*m_bypass);
    m_effect->getJoystickPosition(values[m_fields.joystickX()], values[m_fields.joystickY()]);
    // Most blocks change nothing: the snapshot, whose lines the UI side reads, is then left
    // alone.
    if (m_published.holds(values, m_appliedSequence)) return;
    m_published.beginWrite();
    for (std::size_t f = 0; f < m_publishing.size(); ++f)
        m_published.store(f, values[f]);
    m_published.endWrite(m_appliedSequence);
}

} // namespace Steinberg::Vst::Veru2ZOR3
