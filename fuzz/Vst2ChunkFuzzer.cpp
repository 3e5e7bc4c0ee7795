// Any bytes as a VST2 host's stored chunk, through the adapter's set-chunk: afterwards every
// parameter the host sees is a normalised value and the chunk the host gets back is a
// well-formed state in range that loads again as itself.
#include "FuzzCheck.h"
#include "StateRanges.h"

#include "Vst2Abi.h"
#include "Vst2PluginMain.h"
#include "vst3/PluginFactory.h"
#include "vst3/Processor.h"

#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{
intptr_t host(vst_effect*, int32_t opcode, int32_t, intptr_t, void*, float)
{
    return opcode == Vst2Abi::kHostVersion ? 2400 : 0;
}

IPluginFactory* factory()
{
    return Veru2ZOR3::acquirePluginFactory(&Veru2ZOR3::registerProcessorClass);
}

intptr_t dispatch(vst_effect* effect, int32_t opcode, intptr_t value = 0, void* ptr = nullptr)
{
    return effect->control(effect, static_cast<VST_EFFECT_OPCODE>(opcode), 0, value, ptr, 0.0f);
}

// The effect a VST2 host would hold, opened once.
vst_effect* effect()
{
    static vst_effect* opened = []
    {
        const Vst2EntryFacts facts{nullptr, &factory, Veru2ZOR3::Processor::cid.toTUID(),
                                   CCONST('V', 'v', 'R', 'T')};
        vst_effect* made = vst2PluginMain(&host, facts);
        FUZZ_CHECK(made != nullptr, "no VST2 effect");
        dispatch(made, Vst2Abi::kOpen);
        return made;
    }();
    return opened;
}

std::vector<uint8_t> chunkOf(vst_effect* e)
{
    void* data = nullptr;
    const intptr_t size = dispatch(e, Vst2Abi::kGetChunk, 0, &data);
    FUZZ_CHECK(size > 0 && data != nullptr, "no chunk");
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    vst_effect* e = effect();
    // Hosts hand their own memory; a copy lets the sanitizers see any write or over-read.
    std::vector<uint8_t> copy(data, data + size);
    dispatch(e, Vst2Abi::kSetChunk, static_cast<intptr_t>(copy.size()),
             copy.empty() ? nullptr : copy.data());

    for (int32_t i = 0; i < e->num_params; ++i)
    {
        const float value = e->get_parameter(e, static_cast<uint32_t>(i));
        FUZZ_CHECK(value >= 0.0f && value <= 1.0f, "parameter %d holds %g", i, value);
    }
    std::vector<uint8_t> chunk = chunkOf(e);
    const char* fault = vevadur::fuzz::stateFault(chunk);
    FUZZ_CHECK(fault == nullptr, "%s", fault);
    const std::vector<uint8_t> saved = chunk;
    FUZZ_CHECK(dispatch(e, Vst2Abi::kSetChunk, static_cast<intptr_t>(chunk.size()),
                        chunk.data()) == 1,
               "the chunk it gave does not load");
    FUZZ_CHECK(chunkOf(e) == saved, "a chunk does not read back as itself");
    return 0;
}
