#pragma once

namespace Engine
{
// Which form of the engine's vector loops to run. kWidest: the widest form this processor runs
// (AVX2 with FMA where present); kPortable: plain C++ loops, what a processor without AVX2 runs
// (tests ask for it to check that form on any machine).
enum class SimdForm
{
    kWidest,
    kPortable
};

// Whether the processor runs AVX2 and FMA instructions. Ask at set-up; the answer picks a plain
// function pointer that the audio thread calls.
bool hasAvx2Fma();

// kWidest where the processor has AVX2 and FMA, else kPortable.
inline bool runsAvx2(SimdForm form)
{
    return form == SimdForm::kWidest && hasAvx2Fma();
}
} // namespace Engine
