// SoundFileReader and SoundFileWriter for Windows builds: RIFF WAVE only, read as 16-, 24- or
// 32-bit integer or 32- or 64-bit float samples, written as 32-bit float like the Linux build's
// .wav output.
#include "host/render/SoundFiles.h"

#include "host/render/RenderableFormat.h"

#include <cstdint>
#include <cstdio>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

#include <process.h>
#include <windows.h>

namespace vevadur::render
{
namespace
{
// What the reader knows of a WAV file, and where the samples are.
struct WavInfo
{
    int channels = 0;
    int samplerate = 0;
    long long frames = 0;
    int bitsPerSample = 0;
    bool isFloat = false;
    long long framesLeft = 0;
};

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint16_t kFormatExtensible = 0xFFFE;

uint32_t le32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint16_t le16(const unsigned char* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

void put32(std::vector<unsigned char>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

void put16(std::vector<unsigned char>& out, uint16_t v)
{
    out.push_back(static_cast<unsigned char>(v));
    out.push_back(static_cast<unsigned char>(v >> 8));
}

void putTag(std::vector<unsigned char>& out, const char (&tag)[5])
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<unsigned char>(tag[i]));
}

std::string lowerExtension(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
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
    case 16:
        return static_cast<int16_t>(le16(p)) / 32768.f;
    case 24:
    {
        int32_t v =
            static_cast<int32_t>((p[0] << 8) | (p[1] << 16) | (static_cast<uint32_t>(p[2]) << 24));
        return static_cast<float>(v / 2147483648.0);
    }
    default:
        return static_cast<float>(static_cast<int32_t>(le32(p)) / 2147483648.0);
    }
}

std::vector<unsigned char> floatWavHeader(int channels, int sampleRate, uint32_t dataBytes)
{
    std::vector<unsigned char> h;
    h.reserve(44);
    putTag(h, "RIFF");
    put32(h, 36 + dataBytes);
    putTag(h, "WAVE");
    putTag(h, "fmt ");
    put32(h, 16);
    put16(h, kFormatFloat);
    put16(h, static_cast<uint16_t>(channels));
    put32(h, static_cast<uint32_t>(sampleRate));
    put32(h, static_cast<uint32_t>(sampleRate * channels * 4));
    put16(h, static_cast<uint16_t>(channels * 4));
    put16(h, 32);
    putTag(h, "data");
    put32(h, dataBytes);
    return h;
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

struct SoundFileWriter::File
{
    std::FILE* handle = nullptr;
    WavInfo info{};
};

// ---- reader --------------------------------------------------------------------------------

SoundFileReader::SoundFileReader() : m_file(new File) {}

SoundFileReader::~SoundFileReader() = default;

bool SoundFileReader::open(const std::string& path, std::string& error)
{
    m_file->handle = std::fopen(path.c_str(), "rb");
    unsigned char header[12];
    if (!m_file->handle || std::fread(header, 1, 12, m_file->handle) != 12 ||
        std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0)
    {
        error = "cannot read " + path + ": not a WAV file (this build reads WAV only)";
        return false;
    }
    bool haveFormat = false;
    for (;;)
    {
        unsigned char chunk[8];
        if (std::fread(chunk, 1, 8, m_file->handle) != 8) break;
        const uint32_t size = le32(chunk + 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0)
        {
            std::vector<unsigned char> fmt(size);
            if (std::fread(fmt.data(), 1, size, m_file->handle) != size ||
                !readFormat(fmt.data(), size, m_file->info))
                break;
            haveFormat = true;
            if (size % 2) std::fseek(m_file->handle, 1, SEEK_CUR);
        }
        else if (std::memcmp(chunk, "data", 4) == 0 && haveFormat)
        {
            const int frameBytes = m_file->info.channels * m_file->info.bitsPerSample / 8;
            m_file->info.frames = frameBytes > 0 ? size / frameBytes : 0;
            m_file->info.framesLeft = m_file->info.frames;
            m_channels = m_file->info.channels;
            m_sampleRate = m_file->info.samplerate;
            m_frames = m_file->info.frames;
            return renderableFormat(path, m_channels, m_sampleRate, error);
        }
        else if (std::fseek(m_file->handle, size + (size % 2), SEEK_CUR) != 0)
            break;
    }
    error = "cannot read " + path + ": no usable WAV format and data";
    return false;
}

long SoundFileReader::read(float* interleaved, long frames)
{
    const long wanted = static_cast<long>(std::min<long long>(frames, m_file->info.framesLeft));
    if (wanted <= 0) return 0;
    const size_t sampleBytes = static_cast<size_t>(m_file->info.bitsPerSample / 8);
    const size_t frameBytes = sampleBytes * static_cast<size_t>(m_file->info.channels);
    std::vector<unsigned char> raw(frameBytes * static_cast<size_t>(wanted));
    const size_t got =
        std::fread(raw.data(), frameBytes, static_cast<size_t>(wanted), m_file->handle);
    for (size_t i = 0; i < got * static_cast<size_t>(m_file->info.channels); ++i)
        interleaved[i] = sampleAt(raw.data() + i * sampleBytes, m_file->info);
    m_file->info.framesLeft -= static_cast<long long>(got);
    return static_cast<long>(got);
}

// ---- writer --------------------------------------------------------------------------------

int SoundFileWriter::formatFor(const std::string& path)
{
    return lowerExtension(path) == "wav" ? kFormatFloat : 0;
}

SoundFileWriter::SoundFileWriter() : m_file(new File) {}

SoundFileWriter::~SoundFileWriter()
{
    discard();
}

bool SoundFileWriter::open(const std::string& path, int channels, int sampleRate,
                           std::string& error)
{
    if (formatFor(path) == 0)
    {
        error = "cannot write " + path + ": use a .wav name (this build writes WAV only)";
        return false;
    }
    m_path = path;
    m_temporaryPath = path + ".partial-" + std::to_string(_getpid());
    m_file->handle = std::fopen(m_temporaryPath.c_str(), "wb");
    m_file->info = WavInfo{};
    m_file->info.channels = channels;
    m_file->info.samplerate = sampleRate;
    const auto header = floatWavHeader(channels, sampleRate, 0);
    if (!m_file->handle ||
        std::fwrite(header.data(), 1, header.size(), m_file->handle) != header.size())
    {
        error = "cannot write " + path;
        discard();
        return false;
    }
    return true;
}

bool SoundFileWriter::write(const float* interleaved, long frames, std::string& error)
{
    const size_t count = static_cast<size_t>(frames) * static_cast<size_t>(m_file->info.channels);
    if (std::fwrite(interleaved, sizeof(float), count, m_file->handle) != count)
    {
        error = "cannot write " + m_path;
        return false;
    }
    m_file->info.frames += frames;
    return true;
}

bool SoundFileWriter::commit(std::string& error)
{
    const auto dataBytes = static_cast<uint32_t>(m_file->info.frames * m_file->info.channels * 4);
    const auto header = floatWavHeader(m_file->info.channels, m_file->info.samplerate, dataBytes);
    const bool written =
        std::fseek(m_file->handle, 0, SEEK_SET) == 0 &&
        std::fwrite(header.data(), 1, header.size(), m_file->handle) == header.size();
    const bool closed = std::fclose(m_file->handle) == 0;
    m_file->handle = nullptr;
    // Plain rename does not replace an existing file on Windows; this does, in one step.
    if (!written || !closed ||
        !MoveFileExA(m_temporaryPath.c_str(), m_path.c_str(), MOVEFILE_REPLACE_EXISTING))
    {
        error = "cannot write " + m_path;
        discard();
        return false;
    }
    m_temporaryPath.clear();
    return true;
}

void SoundFileWriter::discard()
{
    if (m_file->handle)
    {
        std::fclose(m_file->handle);
        m_file->handle = nullptr;
    }
    if (!m_temporaryPath.empty())
    {
        std::remove(m_temporaryPath.c_str());
        m_temporaryPath.clear();
    }
}

} // namespace vevadur::render
