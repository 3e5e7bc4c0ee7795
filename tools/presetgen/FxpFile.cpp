#include "tools/presetgen/FxpFile.h"

#include <algorithm>

namespace vevadur::presets
{
namespace
{
constexpr size_t kNameBytes = 28;

void putTag(std::vector<std::uint8_t>& out, const char (&tag)[5])
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(tag[i]));
}

void putBigEndian(std::vector<std::uint8_t>& out, std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(bits >> shift));
}
} // namespace

std::vector<std::uint8_t> fxpProgramFile(const Vst2Identity& identity, const std::string& name,
                                         const std::vector<std::uint8_t>& chunk)
{
    std::vector<std::uint8_t> file;
    putTag(file, "CcnK");
    // The size counts everything after itself: six fields of 4 bytes, the name, the chunk.
    putBigEndian(file, static_cast<std::int32_t>(6 * 4 + kNameBytes + chunk.size()));
    putTag(file, "FPCh");
    putBigEndian(file, 1); // format version
    putBigEndian(file, identity.uniqueId);
    putBigEndian(file, identity.version);
    putBigEndian(file, identity.parameterCount);
    std::uint8_t programName[kNameBytes] = {};
    std::copy_n(name.begin(), std::min(name.size(), kNameBytes - 1), programName);
    file.insert(file.end(), programName, programName + kNameBytes);
    putBigEndian(file, static_cast<std::int32_t>(chunk.size()));
    file.insert(file.end(), chunk.begin(), chunk.end());
    return file;
}

} // namespace vevadur::presets
