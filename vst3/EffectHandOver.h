// The one road by which the UI thread changes the effect. While processing is active the audio
// thread is the effect's only writer: the UI side's writes (a loaded state, a program, the
// joystick, editor messages, bypass) become pending changes, which the audio thread applies at
// the start of its next process call in the order they were made. While processing is not
// active no process call can run, so changes are applied at once.
//
// Threads: the operations under "UI thread" are called by the host's UI thread only; those under
// "audio thread" by the thread that runs process. setProcessing may come from either, but never
// while a process call runs. No operation waits for the other thread.
#pragma once

#include "core/CPlugIn.h"
#include "vst3/SpscRing.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace Steinberg::Vst::Veru2ZOR3
{

class EffectHandOver
{
  public:
    // What the state stream stores: one value per control position, bypass, the joystick.
    struct StoredValues
    {
        std::vector<float> controls;
        bool bypass = false;
        float joystickX = 0.0f;
        float joystickY = 0.0f;
    };

    // Pending changes the ring holds. When it is full the UI side writes the whole state it
    // wants into an overflow snapshot instead, which the audio thread applies after the ring,
    // until it has caught up (editor messages and reports made meanwhile are dropped).
    static constexpr std::size_t kCapacity = 1024;

    // Binds to the effect and to the processor's bypass switch; allocates. UI thread, before
    // processing starts.
    void attach(CPlugIn* effect, bool* bypass);

    // ---- UI thread
    void setPlainValue(uint32_t position, float value);
    void setNormalizedValue(uint32_t position, float normalized);
    void setJoystickX(float x);
    void setJoystickY(float y);
    void setBypass(bool bypass);
    void sendEditorMessage(uint32_t code, int32_t index, double value);
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
    // At the start of each process call: applies the pending changes in order.
    void applyPending();
    // At the end of each process call: makes the stored values readable by the UI side.
    void publish();
    // Calls f(id, normalized) for each parameter report the applied changes carried, then
    // forgets them.
    template <typename F> void takeReports(F&& f)
    {
        for (std::size_t k = 0; k < m_reportCount; ++k)
            f(m_reports[k].id, m_reports[k].value);
        m_reportCount = 0;
    }

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

    void submit(Change change, int64_t field, float storedValue);
    void apply(const Change& change);
    void keepReport(uint32_t id, double value);
    void writeOverflow(const Change& change, int64_t field, float storedValue);
    void applyOverflow();
    void readPublished(StoredValues& values, uint64_t& appliedSequence) const;
    std::size_t fieldCount() const { return m_controlCount + 3; }

    CPlugIn* m_pEffect = nullptr;
    bool* m_pBypass = nullptr;
    std::size_t m_controlCount = 0;
    std::atomic<bool> m_processing{false};
    SpscRing<Change, kCapacity> m_ring;

    // UI side: per stored field, the last value sent and its sequence number; whether changes
    // go to the overflow snapshot, and the last one that went there.
    uint64_t m_sentSequence = 0;
    bool m_overflowing = false;
    uint64_t m_overflowLatest = 0;
    std::vector<uint64_t> m_lastSentSequence;
    std::vector<float> m_lastSentValue;

    // Audio side (or the UI side while processing is off): the last change applied, and the
    // parameter reports for this block (room for one per stored field and a few more).
    uint64_t m_appliedSequence = 0;
    struct Report
    {
        uint32_t id;
        double value;
    };
    std::vector<Report> m_reports;
    std::size_t m_reportCount = 0;

    // The stored values as the audio thread last left them, under a sequence lock: odd while
    // being written.
    std::unique_ptr<std::atomic<float>[]> m_published;
    std::atomic<uint64_t> m_publishedSequence{0};
    std::atomic<uint32_t> m_publishVersion{0};

    // The overflow snapshot: the stored values the UI side wants, under a sequence lock of its
    // own, the last change it holds and the last one the audio side applied from it.
    std::unique_ptr<std::atomic<float>[]> m_overflow;
    std::atomic<uint64_t> m_overflowSequence{0};
    std::atomic<uint32_t> m_overflowVersion{0};
    std::atomic<uint64_t> m_overflowApplied{0};
    std::vector<float> m_overflowRead; // audio side's copy while applying
};

} // namespace Steinberg::Vst::Veru2ZOR3
