// The Windows build's own WAV reader, built natively: libsndfile, reading the same files, is the
// reference for what a file holds; damaged files are refused or read as far as they go.
#include "host/render/SoundFiles.h"

#include <gtest/gtest.h>

#include <sndfile.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace
{
using Bytes = std::vector<uint8_t>;

void put(Bytes& b, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void tag(Bytes& b, const char* t)
{
    b.insert(b.end(), t, t + 4);
}

// A RIFF WAVE file: the fmt chunk (with `fmtExtra` bytes after its 16), then any chunk before
// the data, then the data, whose header may claim more than it holds.
Bytes wav(int format, int channels, int rate, int bits, const Bytes& data, int fmtExtra = 0,
          uint32_t claimedData = 0)
{
    Bytes fmt;
    fmt.reserve(64); // reserved up front: GCC 12 warns falsely about growing from empty
    put(fmt, format, 2);
    put(fmt, channels, 2);
    put(fmt, rate, 4);
    put(fmt, rate * channels * bits / 8, 4);
    put(fmt, channels * bits / 8, 2);
    put(fmt, bits, 2);
    if (fmtExtra) put(fmt, fmtExtra - 2, 2);
    for (int i = 2; i < fmtExtra; ++i)
        fmt.push_back(0);
    Bytes body;
    body.reserve(64 + fmt.size() + data.size());
    tag(body, "WAVE");
    tag(body, "fmt ");
    put(body, static_cast<uint32_t>(fmt.size()), 4);
    body.insert(body.end(), fmt.begin(), fmt.end());
    if (fmt.size() % 2) body.push_back(0);
    tag(body, "LIST"); // an odd-sized chunk the reader must step over, pad byte included
    put(body, 3, 4);
    body.insert(body.end(), {'a', 'b', 'c', 0});
    tag(body, "data");
    put(body, claimedData ? claimedData : static_cast<uint32_t>(data.size()), 4);
    body.insert(body.end(), data.begin(), data.end());
    Bytes file{'R', 'I', 'F', 'F'};
    put(file, static_cast<uint32_t>(body.size()), 4);
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

Bytes ramp(size_t bytes)
{
    Bytes data;
    for (size_t i = 0; i < bytes; ++i)
        data.push_back(static_cast<uint8_t>(i * 37 + 11));
    return data;
}

class WavReader : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/vevadur-wav-reader-XXXXXX";
        const int fd = mkstemp(pattern);
        ASSERT_GE(fd, 0);
        close(fd);
        path = pattern;
    }
    void TearDown() override { std::remove(path.c_str()); }

    void write(const Bytes& file) const
    {
        FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(file.data(), 1, file.size(), f);
        std::fclose(f);
    }
    // Every frame the reader gives, in blocks of 5.
    static std::vector<float> readAll(vevadur::render::SoundFileReader& reader)
    {
        std::vector<float> all;
        std::vector<float> block(static_cast<size_t>(5 * reader.channels()));
        for (long got = 0; (got = reader.read(block.data(), 5)) > 0;)
            all.insert(all.end(), block.begin(), block.begin() + got * reader.channels());
        return all;
    }

    std::string path;
};
} // namespace

TEST_F(WavReader, ReadsEveryFormatItTakesAsLibsndfileDoes)
{
    struct Case
    {
        int format, channels, rate, bits, frames, fmtExtra;
    } cases[] = {{1, 1, 48000, 16, 23, 0}, {1, 2, 44100, 24, 17, 0}, {1, 2, 96000, 32, 9, 0},
                 {3, 1, 48000, 32, 13, 2}, {3, 2, 22050, 64, 7, 0},  {1, 1, 8000, 16, 4, 3}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "format " << c.format << ", " << c.bits << " bits, "
                                        << c.channels << " channels");
        Bytes data = ramp(static_cast<size_t>(c.frames * c.channels * c.bits / 8));
        if (c.format == 3) // finite floats: every sample a small value
            for (size_t i = 0; i < data.size(); i += c.bits / 8)
                data[i + c.bits / 8 - 1] = 0x3e;
        write(wav(c.format, c.channels, c.rate, c.bits, data, c.fmtExtra));

        SF_INFO info{};
        SNDFILE* reference = sf_open(path.c_str(), SFM_READ, &info);
        ASSERT_NE(reference, nullptr) << sf_strerror(nullptr);
        std::vector<float> expected(static_cast<size_t>(info.frames * info.channels));
        sf_readf_float(reference, expected.data(), info.frames);
        sf_close(reference);

        vevadur::render::SoundFileReader reader;
        std::string error;
        ASSERT_TRUE(reader.open(path, error)) << error;
        EXPECT_EQ(reader.channels(), info.channels);
        EXPECT_EQ(reader.sampleRate(), info.samplerate);
        EXPECT_EQ(reader.frames(), info.frames);
        const std::vector<float> got = readAll(reader);
        ASSERT_EQ(got.size(), expected.size());
        for (size_t i = 0; i < got.size(); ++i)
            ASSERT_NEAR(got[i], expected[i], 1e-6f) << "sample " << i;
    }
}

TEST_F(WavReader, ACutFileAnnouncesAndReadsTheFramesItHolds)
{
    // The data chunk claims 1000 frames; the file holds 7 and half of the eighth.
    write(wav(1, 2, 48000, 16, ramp(7 * 4 + 2), 0, 4000));
    vevadur::render::SoundFileReader reader;
    std::string error;
    ASSERT_TRUE(reader.open(path, error)) << error;
    EXPECT_EQ(reader.frames(), 7);
    EXPECT_EQ(readAll(reader).size(), 14u);
}

TEST_F(WavReader, RefusesDamagedHeadersWithAReason)
{
    Bytes hugeFormat = wav(1, 1, 48000, 16, ramp(8));
    hugeFormat[16] = hugeFormat[17] = hugeFormat[18] = hugeFormat[19] = 0xff; // fmt size 4 GiB
    Bytes noChannels = wav(1, 0, 48000, 16, ramp(8));
    Bytes noRate = wav(1, 1, 0, 16, ramp(8));
    Bytes oddBits = wav(1, 1, 48000, 12, ramp(8));
    Bytes notWave = wav(1, 1, 48000, 16, ramp(8));
    notWave[8] = 'X';
    for (const Bytes* file : {&hugeFormat, &noChannels, &noRate, &oddBits, &notWave})
    {
        write(*file);
        vevadur::render::SoundFileReader reader;
        std::string error;
        EXPECT_FALSE(reader.open(path, error));
        EXPECT_NE(error.find(path), std::string::npos) << error;
    }
}
