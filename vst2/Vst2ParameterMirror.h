// The normalised value of every parameter as the VST2 host sees it, and which values still have
// to reach the processor (in the next process call) and the edit controller (on the UI thread).
// A host may set parameters from any thread, the audio thread included, so the values and the
// pending marks are atomics: no side ever waits for the other.
#pragma once

#include "pluginterfaces/base/ftypes.h"

#include <atomic>
#include <memory>

namespace Steinberg
{
namespace Vst
{

class Vst2ParameterMirror
{
  public:
    // Sizes the mirror for count parameters, all 0 and nothing pending (allocates).
    void resize(int32 count);
    int32 count() const { return size; }

    float value(int32 index) const;
    // A value the host or the editor set: both the processor and the controller must learn it.
    void setFromHost(int32 index, float value);
    // A value the processor already has (a mapped MIDI controller, an output parameter): only
    // the controller must learn it.
    void setFromProcessor(int32 index, float value);
    // A value read from the controller: nobody else needs it.
    void setFromController(int32 index, float value);

    // Calls f(index, value) for each value pending for the processor and clears its mark.
    template <typename F> void takeForProcessor(F&& f) { take(toProcessor, anyToProcessor, f); }
    // Calls f(index, value) for each value pending for the controller and clears its mark.
    template <typename F> void takeForController(F&& f) { take(toController, anyToController, f); }
    bool pendingForProcessor() const { return anyToProcessor.load(); }
    // Forgets every pending value (a whole new state replaced them).
    void dropPending();

  private:
    using Flags = std::unique_ptr<std::atomic<bool>[]>;
    template <typename F> void take(Flags& flags, std::atomic<bool>& any, F& f)
    {
        if (!any.exchange(false)) return;
        for (int32 i = 0; i < size; ++i)
            if (flags[i].exchange(false)) f(i, value(i));
    }
    void mark(Flags& flags, std::atomic<bool>& any, int32 index);
    bool inRange(int32 index) const { return index >= 0 && index < size; }

    int32 size = 0;
    std::unique_ptr<std::atomic<float>[]> values;
    Flags toProcessor;
    Flags toController;
    std::atomic<bool> anyToProcessor{false};
    std::atomic<bool> anyToController{false};
};

} // namespace Vst
} // namespace Steinberg
