#pragma once

// Windows builds read and write WAV files of their own; the fuzzing harness builds that reader
// natively by defining VEVADUR_OWN_WAV_FILES.
#if defined(_WIN32) && !defined(VEVADUR_OWN_WAV_FILES)
#define VEVADUR_OWN_WAV_FILES 1
#endif

#ifdef VEVADUR_OWN_WAV_FILES
#include "host/render/win32/WavFormat.h"
#else
#include <sndfile.h>
#endif

#include <string>
#include <vector>

namespace vevadur::render
{

// An input file opened with libsndfile, read as interleaved float frames. Windows builds,
// without libsndfile, read and write WAV files of their own (win32/WavReader.cpp, win32/WavWriter.cpp).
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
#ifdef VEVADUR_OWN_WAV_FILES
    std::FILE* m_file = nullptr;
    WavInfo m_info{};
#else
    SNDFILE* m_file = nullptr;
    SF_INFO m_info{};
#endif
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
#ifdef VEVADUR_OWN_WAV_FILES
    std::FILE* m_file = nullptr;
    WavInfo m_info{};
#else
    SNDFILE* m_file = nullptr;
#endif
    std::string m_path;
    std::string m_temporaryPath;
};

} // namespace vevadur::render
