#pragma once

#include <sndfile.h>

#include <string>
#include <vector>

namespace vevadur::render
{

// An input file opened with libsndfile, read as interleaved float frames.
class SoundFileReader
{
  public:
    ~SoundFileReader();
    // False with a reason when the file is missing, unreadable or not 1 or 2 channels.
    bool open(const std::string& path, std::string& error);
    // Reads up to `frames` frames; returns how many were read (0 at the end).
    long read(float* interleaved, long frames);

    int channels() const { return m_info.channels; }
    int sampleRate() const { return m_info.samplerate; }
    long long frames() const { return m_info.frames; }

  private:
    SNDFILE* m_file = nullptr;
    SF_INFO m_info{};
};

// An output file written under a temporary name beside its final one and renamed into
// place by commit(); dropped without commit, it leaves nothing behind.
class SoundFileWriter
{
  public:
    ~SoundFileWriter();
    // The container follows the name's extension (.wav, .aif/.aiff, .flac, .ogg).
    bool open(const std::string& path, int channels, int sampleRate, std::string& error);
    bool write(const float* interleaved, long frames, std::string& error);
    bool commit(std::string& error);
    void discard();

    // The libsndfile format for an output name, or 0 when the extension is not supported.
    static int formatFor(const std::string& path);

  private:
    SNDFILE* m_file = nullptr;
    std::string m_path;
    std::string m_temporaryPath;
};

} // namespace vevadur::render
