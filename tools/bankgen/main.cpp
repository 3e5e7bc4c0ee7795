// vevadur-bankgen OUTPUT: renders the response bank and writes it to OUTPUT as little-endian
// IEEE doubles, the image the plug-in links in as read-only data.
#include "tools/bankgen/BankGenerator.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{
std::vector<unsigned char> littleEndianBytes(const std::vector<double>& samples)
{
    std::vector<unsigned char> bytes(samples.size() * 8);
    for (size_t i = 0; i < samples.size(); ++i)
    {
        uint64_t bits = 0;
        std::memcpy(&bits, &samples[i], sizeof bits);
        for (int b = 0; b < 8; ++b)
            bytes[i * 8 + b] = static_cast<unsigned char>(bits >> (8 * b));
    }
    return bytes;
}

// Writes beside the target and renames, so an interrupted build never leaves a short image.
bool writeFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    const std::string partial = path + ".partial";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (written && closed && std::rename(partial.c_str(), path.c_str()) == 0) return true;
    std::remove(partial.c_str());
    return false;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s OUTPUT\n", argv[0]);
        return 2;
    }
    if (!writeFile(argv[1], littleEndianBytes(bankgen::generateBank())))
    {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
