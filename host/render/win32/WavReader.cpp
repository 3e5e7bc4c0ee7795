// SoundFileReader for Windows builds: RIFF WAVE only, read as 16-, 24- or 32-bit integer or 32-
// or 64-bit float samples. Portable code (only the C library): the fuzzing harness builds it
// natively too.
#include "host/render/SoundFiles.h"

#include "host/render/RenderableFormat.h"
#include "host/render/win32/WavFormat.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace vevadur::render
{
namespace
{
constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint16_t kFormatExtensible = 0xFFFE;
// The fmt chunk's fields this reader looks at end here (WAVE_FORMAT_EXTENSIBLE's sub-format tag).
constexpr uint32_t kFormatBytesRead = 26;

uint32_t le32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint16_t le16(const unsigned char* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

// Moves on by a chunk's (padded) size; false where the C library cannot (a long has 32 bits on
// Windows).
bool skip(std::FILE* file, uint64_t bytes)
{
    return bytes <= static_cast<uint64_t>(std::numeric_limits<long>::max()) &&
           std::fseek(file, static_cast<long>(bytes), SEEK_CUR) == 0;
}

// The bytes from the file's position to its end.
long long bytesLeft(std::FILE* file)
{
    const long here = std::ftell(file);
    if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) return 0;
    const long end = std::ftell(file);
    std::fseek(file, here, SEEK_SET);
    return end > here ? end - here : 0;
}

// Reads the fmt chunk's fields into info; false for formats this reader does not take.
bool readFormat(const unsigned char* fmt, uint32_t size, WavInfo& info)
{
    if (size < 16) return false;
    uint16_t tag = le16(fmt);
    info.channels = le16(fmt + 2);
    info.samplerate = static_cast<int>(le32(fmt + 4));
    info.bitsPerSample = le16(fmt + 14);
    if (tag == kFormatExtensible && size >= 26) tag = le16(fmt + 24);
    info.isFloat = tag == kFormatFloat;
    if (tag == kFormatFloat) return info.bitsPerSample == 32 || info.bitsPerSample == 64;
    if (tag == kFormatPcm)
        return info.bitsPerSample == 16 || info.bitsPerSample == 24 || info.bitsPerSample == 32;
    return false;
}

float sampleAt(const unsigned char* p, const WavInfo& info)
{
    if (info.isFloat)
    {
        if (info.bitsPerSample == 32)
        {
            float f;
            std::memcpy(&f, p, 4);
            return f;
        }
        double d;
        std::memcpy(&d, p, 8);
        return static_cast<float>(d);
    }
    switch (info.bitsPerSample)
    {
    case 16: return static_cast<int16_t>(le16(p)) / 32768.f;
    case 24:
    {
        int32_t v = static_cast<int32_t>((p[0] << 8) | (p[1] << 16) | (static_cast<uint32_t>(p[2]) << 24));
        return static_cast<float>(v / 2147483648.0);
    }
    default: return static_cast<float>(static_cast<int32_t>(le32(p)) / 2147483648.0);
    }
}

} // namespace

struct SoundFileReader::File
{
    std::FILE* handle = nullptr;
    WavInfo info{};
    ~File()
    {
        if (handle) std::fclose(handle);
    }
};

SoundFileReader::SoundFileReader() : m_file(new File) {}

SoundFileReader::~SoundFileReader() = default;

bool SoundFileReader::open(const std::string& path, std::string& error)
{
    std::FILE*& file = m_file->handle;
    WavInfo& info = m_file->info;
    file = std::fopen(path.c_str(), "rb");
    unsigned char header[12];
    if (!file || std::fread(header, 1, 12, file) != 12 || std::memcmp(header, "RIFF", 4) != 0 ||
        std::memcmp(header + 8, "WAVE", 4) != 0)
    {
        error = "cannot read " + path + ": not a WAV file (this build reads WAV only)";
        return false;
    }
    bool haveFormat = false;
    for (;;)
    {
        unsigned char chunk[8];
        if (std::fread(chunk, 1, 8, file) != 8) break;
        const uint32_t size = le32(chunk + 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0)
        {
            // Only the first fields matter; the size a damaged file claims is not allocated.
            unsigned char fmt[kFormatBytesRead];
            const uint32_t wanted = std::min<uint32_t>(size, kFormatBytesRead);
            if (std::fread(fmt, 1, wanted, file) != wanted || !readFormat(fmt, wanted, info) ||
                !skip(file, uint64_t{size} - wanted + size % 2))
                break;
            haveFormat = true;
        }
        else if (std::memcmp(chunk, "data", 4) == 0 && haveFormat)
        {
            const int frameBytes = info.channels * info.bitsPerSample / 8;
            // A cut file holds fewer frames than its header says: announce those it holds.
            const long long present = std::min<long long>(size, bytesLeft(file));
            info.frames = frameBytes > 0 ? present / frameBytes : 0;
            info.framesLeft = info.frames;
            m_channels = info.channels;
            m_sampleRate = info.samplerate;
            m_frames = info.frames;
            return renderableFormat(path, m_channels, m_sampleRate, error);
        }
        else if (!skip(file, uint64_t{size} + size % 2))
            break;
    }
    error = "cannot read " + path + ": no usable WAV format and data";
    return false;
}

long SoundFileReader::read(float* interleaved, long frames)
{
    WavInfo& info = m_file->info;
    const long wanted = static_cast<long>(std::min<long long>(frames, info.framesLeft));
    if (wanted <= 0) return 0;
    const size_t sampleBytes = static_cast<size_t>(info.bitsPerSample / 8);
    const size_t frameBytes = sampleBytes * static_cast<size_t>(info.channels);
    std::vector<unsigned char> raw(frameBytes * static_cast<size_t>(wanted));
    const size_t got = std::fread(raw.data(), frameBytes, static_cast<size_t>(wanted), m_file->handle);
    for (size_t i = 0; i < got * static_cast<size_t>(info.channels); ++i)
        interleaved[i] = sampleAt(raw.data() + i * sampleBytes, info);
    info.framesLeft -= static_cast<long long>(got);
    return static_cast<long>(got);
}

} // namespace vevadur::render
