// SoundFileReader and SoundFileWriter on libsndfile: any format it reads; written as 32-bit
// float WAV or AIFF, 24-bit FLAC or Ogg Vorbis by the name's extension.
#include "host/render/SoundFiles.h"

#include "host/render/RenderableFormat.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace vevadur::render
{
namespace
{
std::string extensionOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}
} // namespace

struct SoundFileReader::File
{
    SNDFILE* handle = nullptr;
    ~File()
    {
        if (handle) sf_close(handle);
    }
};

struct SoundFileWriter::File
{
    SNDFILE* handle = nullptr;
};

// ---- reader --------------------------------------------------------------------------------

SoundFileReader::SoundFileReader() : m_file(new File) {}

SoundFileReader::~SoundFileReader() = default;

bool SoundFileReader::open(const std::string& path, std::string& error)
{
    SF_INFO info{};
    m_file->handle = sf_open(path.c_str(), SFM_READ, &info);
    if (!m_file->handle)
    {
        error = "cannot read " + path + ": " + sf_strerror(nullptr);
        return false;
    }
    m_channels = info.channels;
    m_sampleRate = info.samplerate;
    m_frames = info.frames;
    return renderableFormat(path, m_channels, m_sampleRate, error);
}

long SoundFileReader::read(float* interleaved, long frames)
{
    return static_cast<long>(sf_readf_float(m_file->handle, interleaved, frames));
}

// ---- writer --------------------------------------------------------------------------------

int SoundFileWriter::formatFor(const std::string& path)
{
    const std::string extension = extensionOf(path);
    if (extension == "wav") return SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    if (extension == "aif" || extension == "aiff") return SF_FORMAT_AIFF | SF_FORMAT_FLOAT;
    if (extension == "flac") return SF_FORMAT_FLAC | SF_FORMAT_PCM_24;
    if (extension == "ogg") return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    return 0;
}

SoundFileWriter::SoundFileWriter() : m_file(new File) {}

SoundFileWriter::~SoundFileWriter()
{
    discard();
}

bool SoundFileWriter::open(const std::string& path, int channels, int sampleRate,
                           std::string& error)
{
    SF_INFO info{};
    info.channels = channels;
    info.samplerate = sampleRate;
    info.format = formatFor(path);
    if (info.format == 0)
    {
        error = "cannot write " + path + ": use a .wav, .aiff, .flac or .ogg name";
        return false;
    }
    m_path = path;
    m_temporaryPath = path + ".partial-" + std::to_string(getpid());
    m_file->handle = sf_open(m_temporaryPath.c_str(), SFM_WRITE, &info);
    if (!m_file->handle)
    {
        error = "cannot write " + path + ": " + sf_strerror(nullptr);
        return false;
    }
    // Integer formats clip rather than wrap around.
    sf_command(m_file->handle, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    return true;
}

bool SoundFileWriter::write(const float* interleaved, long frames, std::string& error)
{
    if (sf_writef_float(m_file->handle, interleaved, frames) != frames)
    {
        error = "cannot write " + m_path + ": " + sf_strerror(m_file->handle);
        return false;
    }
    return true;
}

bool SoundFileWriter::commit(std::string& error)
{
    const int closed = sf_close(m_file->handle);
    m_file->handle = nullptr;
    if (closed != 0)
    {
        error = "cannot write " + m_path + ": " + sf_error_number(closed);
        discard();
        return false;
    }
    if (std::rename(m_temporaryPath.c_str(), m_path.c_str()) != 0)
    {
        error = "cannot write " + m_path + ": " + std::strerror(errno);
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
        sf_close(m_file->handle);
        m_file->handle = nullptr;
    }
    if (!m_temporaryPath.empty())
    {
        std::remove(m_temporaryPath.c_str());
        m_temporaryPath.clear();
    }
}

} // namespace vevadur::render
