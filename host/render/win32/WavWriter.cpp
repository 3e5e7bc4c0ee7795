// SoundFileWriter for Windows builds: RIFF WAVE only, written as 32-bit float like the Linux
// build's .wav output. The reader is in WavReader.cpp.
#include "host/render/SoundFiles.h"

#include "host/render/win32/WavFormat.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <vector>

#include <process.h>
#include <windows.h>

namespace vevadur::render
{
namespace
{
constexpr uint16_t kFormatFloat = 3;

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

struct SoundFileWriter::File
{
    std::FILE* handle = nullptr;
    WavInfo info{};
};

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
