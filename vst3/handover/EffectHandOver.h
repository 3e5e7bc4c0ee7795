// The one road by which the UI thread changes the effect. While processing is active the audio
// thread is the effect's only writer: the UI side's writes (a loaded state, a program, the
// joystick, editor messages, bypass) become pending changes, which the audio thread applies at
// the start of its next process call in the order they were made. While processing is not
// active no process call can run, so changes are applied at once. Callers never need to know
// which of the two holds.
//
// Its pieces: the change ring (SpscRing) from the UI to the audio thread; the overflow snapshot
// the UI side writes when the ring is full and the published snapshot the audio thread writes
// after each block (both SeqLockSnapshot, laid out as StoredFields); the parameter reports the
// audio thread collects for the host (ParameterReports).
//
// Threads: the operations under "UI thread" are called by the host's UI thread only; those under
// "audio thread" by the thread that runs process. setProcessing may come from either, but never
// while a process call runs. No operation waits for the other thread.
#pragma once

#include "core/CPlugIn.h"
#include "vst3/handover/ParameterReports.h"
#include "vst3/handover/SeqLockSnapshot.h"
#include "vst3/handover/SpscRing.h"
#include "vst3/handover/StoredValues.h"

#include <atomic>
#include <cstdint>
#include <vector>

namespace Steinberg::Vst::Veru2ZOR3
{

class EffectHandOver
{
  public:
    // Pending changes the ring holds. When it is full the UI side writes the whole state it
    // wants into an overflow snapshot instead, which the audio thread applies after the ring,
    // until it has caught up (editor messages and reports made meanwhile are dropped).
    static constexpr std::size_t kCapacity = 1024;
    // Parameter reports one process call can carry beyond one per stored field.
    static constexpr std::size_t kExtraReports = 8;

    // Binds to the effect and to the processor's bypass switch; allocates. UI thread, before
    // processing starts.
    void attach(CPlugIn* effect, bool* bypass);

    // ---- UI thread
    void setPlainValue(uint32_t position, float value);
    void setNormalizedValue(uint32_t position, float normalized);
    void setJoystickX(float x);
    void setJoystickY(float y);
    void setBypass(bool bypass);
    // An editor message as a fresh record carrying its code, parameter index and value.
    void sendEditorMessage(uint32_t code, int32_t index = 0, double value = 0.0);
    // An editor message in the caller's record: while processing is off the effect gets the
    // record itself and may answer in it; while processing, the audio thread delivers a fresh
    // record with its code, parameter index and value.
    void sendEditorMessage(EditorMessage& message);
    // A parameter's new host value, for the audio thread to report to the host with the block
    // that applies it (while processing is off there is no block: it is dropped).
    void reportParameter(uint32_t id, double normalized);
    // The stored values as they will stand once every change made so far is applied.
    void readStoredValues(StoredValues& values);
    bool isProcessing() const { return m_processing.load(std::memory_order_acquire); }

    // ---- either thread, never during a process call: processing starts or stops. Stopping
    // applies whatever is still pending.
    void setProcessing(bool processing);

    // ---- audio thread
    // At the start of each process call: applies the pending changes in order; true when there
    // was any.
    bool applyPending();
    // At the end of a process call that may have changed stored values: makes them readable
    // by the UI side.
    void publish();
    // Calls f(id, normalized) for each parameter report the applied changes carried, then
    // forgets them.
    template <typename F> void takeReports(F&& f) { m_reports.take(f); }

  private:
    struct Change
    {
        enum Kind : uint32_t
        {
            kPlain,
            kNormalized,
            kJoystickX,
            kJoystickY,
            kBypass,
            kEditorMessage,
            kReport
        };
        Kind kind = kPlain;
        uint32_t position = 0; // the control's position, the message's code, the report's id
        int32_t index = 0;     // the editor message's parameter index
        double value = 0.0;
        uint64_t sequence = 0;
    };
    // The stored field a change sets, for changes that set none.
    static constexpr std::size_t kNoField = ~std::size_t(0);

    void submit(Change change, std::size_t field, float storedValue,
                EditorMessage* record = nullptr);
    void applyNow(const Change& change, EditorMessage* record);
    void apply(const Change& change);
    void writeOverflow(const Change& change, std::size_t field, float storedValue);
    bool applyOverflow();
    void readPublished(StoredValues& values, uint64_t& appliedSequence);
    void readEffect(StoredValues& values) const;
    bool isField(std::size_t field) const { return field < m_fields.count(); }

    CPlugIn* m_effect = nullptr;
    bool* m_bypass = nullptr;
    StoredFields m_fields;
    std::atomic<bool> m_processing{false};
    SpscRing<Change, kCapacity> m_ring;

    // UI side: per stored field, the last value sent and its sequence number; whether changes
    // go to the overflow snapshot, and the last one that went there; room to read a snapshot.
    uint64_t m_sentSequence = 0;
    bool m_overflowing = false;
    uint64_t m_overflowLatest = 0;
    std::vector<uint64_t> m_lastSentSequence;
    std::vector<float> m_lastSentValue;
    std::vector<float> m_publishedRead;

    // Audio side (or the UI side while processing is off): the last change applied, the
    // parameter reports for this block, room to read the overflow snapshot.
    uint64_t m_appliedSequence = 0;
    ParameterReports m_reports;
    std::vector<float> m_overflowRead;

    // The stored values as the audio thread last left them, tagged with the last change they
    // include.
    SeqLockSnapshot m_published;
    // Audio side (or the UI side while processing is off): room to gather the values to publish.
    std::vector<float> m_publishing;
    // The stored values the UI side wants once the ring has overflowed, tagged with the last
    // change they include, and the last such change the audio side applied from it.
    SeqLockSnapshot m_overflow;
    std::atomic<uint64_t> m_overflowApplied{0};
};

} // namespace Steinberg::Vst::Veru2ZOR3
