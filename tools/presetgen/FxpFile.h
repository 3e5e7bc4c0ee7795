#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vevadur::presets
{

// What a VST2 program file says about the plug-in it belongs to; hosts compare the id.
struct Vst2Identity
{
    std::int32_t uniqueId = 0;
    std::int32_t version = 0;
    std::int32_t parameterCount = 0;
};

// A VST2 program file (.fxp) in the chunk form: big-endian header 'CcnK', 'FPCh', the
// identity, the program's name (at most 27 bytes) and the plug-in's chunk as it is.
std::vector<std::uint8_t> fxpProgramFile(const Vst2Identity& identity, const std::string& name,
                                         const std::vector<std::uint8_t>& chunk);

} // namespace vevadur::presets
