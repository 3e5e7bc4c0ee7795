// Any bytes as a WAV file for the Windows build's own reader (built natively here): it refuses
// the file with a reason, or reports a renderable format and then reads exactly the frames it
// announced.
#include "FuzzCheck.h"

#include "host/render/SoundFiles.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
const std::string& filePath()
{
    // Static storage that outlives every exit handler: the file goes when the harness ends.
    static char pattern[] = "/tmp/vevadur-fuzz-wav-XXXXXX";
    static const std::string path = [] {
        const int fd = mkstemp(pattern);
        FUZZ_CHECK(fd >= 0, "no temporary file");
        close(fd);
        std::atexit([] { std::remove(pattern); });
        return std::string(pattern);
    }();
    return path;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FILE* file = std::fopen(filePath().c_str(), "wb");
    FUZZ_CHECK(file != nullptr, "cannot write %s", filePath().c_str());
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    vevadur::render::SoundFileReader reader;
    std::string error;
    if (!reader.open(filePath(), error))
    {
        FUZZ_CHECK(!error.empty(), "refused without a reason");
        return 0;
    }
    FUZZ_CHECK(reader.channels() == 1 || reader.channels() == 2, "%d channels", reader.channels());
    FUZZ_CHECK(reader.sampleRate() > 0, "sample rate %d", reader.sampleRate());
    FUZZ_CHECK(reader.frames() >= 0, "%lld frames", reader.frames());
    // The data can be no larger than the file: the reader may announce no more frames.
    FUZZ_CHECK(reader.frames() <= static_cast<long long>(size), "%lld frames in %zu bytes",
               reader.frames(), size);
    constexpr long kBlock = 256;
    std::vector<float> block(static_cast<size_t>(kBlock * reader.channels()));
    long long total = 0;
    for (long got = 0; (got = reader.read(block.data(), kBlock)) > 0;)
    {
        FUZZ_CHECK(got <= kBlock, "read %ld frames into %ld", got, kBlock);
        total += got;
        FUZZ_CHECK(total <= reader.frames(), "read %lld of %lld frames", total, reader.frames());
    }
    FUZZ_CHECK(total == reader.frames(), "read %lld of %lld frames", total, reader.frames());
    return 0;
}
