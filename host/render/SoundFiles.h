#pragma once

#include <memory>
#include <string>

namespace vevadur::render
{

// Sound files as the renderer reads and writes them: interleaved float frames. Each platform
// supplies the open file (`File`) and the operations in a file of its own: libsndfile on Linux
// (SoundFilesSndfile.cpp); on Windows, without libsndfile, WAV files read and written by our
// own code (win32/WavReader.cpp, win32/WavWriter.cpp).

// An input file, read from its start.
class SoundFileReader
{
  public:
    SoundFileReader();
    ~SoundFileReader();
    SoundFileReader(const SoundFileReader&) = delete;
    SoundFileReader& operator=(const SoundFileReader&) = delete;

    // False with a reason when the file is missing, unreadable or not 1 or 2 channels.
    bool open(const std::string& path, std::string& error);
    // Reads up to `frames` frames; returns how many were read (0 at the end).
    long read(float* interleaved, long frames);

    int channels() const { return m_channels; }
    int sampleRate() const { return m_sampleRate; }
    long long frames() const { return m_frames; }

  private:
    struct File;
    std::unique_ptr<File> m_file;
    int m_channels = 0;
    int m_sampleRate = 0;
    long long m_frames = 0;
};

// An output file written under a temporary name beside its final one and renamed into
// place by commit(); dropped without commit, it leaves nothing behind.
class SoundFileWriter
{
  public:
    SoundFileWriter();
    ~SoundFileWriter();
    SoundFileWriter(const SoundFileWriter&) = delete;
    SoundFileWriter& operator=(const SoundFileWriter&) = delete;

    // The container follows the name's extension (.wav, .aif/.aiff, .flac, .ogg; on Windows
    // .wav only).
    bool open(const std::string& path, int channels, int sampleRate, std::string& error);
    bool write(const float* interleaved, long frames, std::string& error);
    bool commit(std::string& error);
    void discard();

    // The platform's format code for an output name, or 0 when the extension is not supported.
    static int formatFor(const std::string& path);

  private:
    struct File;
    std::unique_ptr<File> m_file;
    std::string m_path;
    std::string m_temporaryPath;
};

} // namespace vevadur::render
