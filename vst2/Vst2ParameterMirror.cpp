#include "Vst2ParameterMirror.h"

namespace Steinberg
{
namespace Vst
{

namespace
{
// Normalised values are 0..1; anything else (NaN included) is brought into range.
float clampNormalized(float v)
{
    if (!(v > 0.0f)) return 0.0f;
    return v < 1.0f ? v : 1.0f;
}
} // namespace

void Vst2ParameterMirror::resize(int32 count)
{
    size = count > 0 ? count : 0;
    values.reset(new std::atomic<float>[static_cast<size_t>(size)]);
    toProcessor.reset(new std::atomic<bool>[static_cast<size_t>(size)]);
    toController.reset(new std::atomic<bool>[static_cast<size_t>(size)]);
    for (int32 i = 0; i < size; ++i)
    {
        values[i].store(0.0f);
        toProcessor[i].store(false);
        toController[i].store(false);
    }
    anyToProcessor.store(false);
    anyToController.store(false);
}

float Vst2ParameterMirror::value(int32 index) const
{
    return inRange(index) ? values[index].load() : 0.0f;
}

void Vst2ParameterMirror::setFromHost(int32 index, float value)
{
    if (!inRange(index)) return;
    values[index].store(clampNormalized(value));
    mark(toProcessor, anyToProcessor, index);
    mark(toController, anyToController, index);
}

void Vst2ParameterMirror::setFromProcessor(int32 index, float value)
{
    if (!inRange(index)) return;
    values[index].store(clampNormalized(value));
    mark(toController, anyToController, index);
}

void Vst2ParameterMirror::setFromController(int32 index, float value)
{
    if (inRange(index)) values[index].store(clampNormalized(value));
}

void Vst2ParameterMirror::mark(Flags& flags, std::atomic<bool>& any, int32 index)
{
    // The value is stored before its mark, and the mark before the summary flag, so a reader
    // that sees a mark also sees the value.
    flags[index].store(true);
    any.store(true);
}

void Vst2ParameterMirror::dropPending()
{
    anyToProcessor.store(false);
    anyToController.store(false);
    for (int32 i = 0; i < size; ++i)
    {
        toProcessor[i].store(false);
        toController[i].store(false);
    }
}

} // namespace Vst
} // namespace Steinberg
