#include "tools/bankgen/BankGenerator.h"
#include "engine/bank/ResponseBank.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <vector>

using namespace Engine;

namespace
{
const size_t kSampleCount =
    static_cast<size_t>(ResponseBank::kTableCount) * ResponseBank::kTableLength;

std::vector<unsigned char> readFile(const std::string& path)
{
    std::vector<unsigned char> bytes;
    if (std::FILE* f = std::fopen(path.c_str(), "rb"))
    {
        unsigned char buffer[65536];
        size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.insert(bytes.end(), buffer, buffer + n);
        std::fclose(f);
    }
    return bytes;
}

double littleEndianSample(const std::vector<unsigned char>& bytes, size_t i)
{
    uint64_t bits = 0;
    for (int b = 7; b >= 0; --b)
        bits = (bits << 8) | bytes[i * 8 + b];
    double x = 0.0;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}
} // namespace

TEST(BankGenerator, RendersTheCompiledInBankBitForBit)
{
    const std::vector<double> bank = bankgen::generateBank();
    ASSERT_EQ(bank.size(), kSampleCount);
    EXPECT_EQ(std::memcmp(bank.data(), ResponseBank::table(0), kSampleCount * sizeof(double)), 0);
}

TEST(BankGenerator, ToolWritesTheSameImageAsLittleEndianDoubles)
{
    const std::string path = testing::TempDir() + "vevadur_bank_test.bin";
    const std::string command =
        std::string("timeout -k 5 120 \"") + VEVADUR_BANKGEN_PATH + "\" \"" + path + "\"";
    const int status = std::system(command.c_str());
    ASSERT_EQ(status, 0) << (WIFEXITED(status) && WEXITSTATUS(status) == 124
                                 ? "the generator did not end within 120 s"
                                 : "the generator failed");
    const std::vector<unsigned char> bytes = readFile(path);
    std::remove(path.c_str());

    ASSERT_EQ(bytes.size(), kSampleCount * 8);
    const double* linked = ResponseBank::table(0);
    size_t mismatches = 0;
    for (size_t i = 0; i < kSampleCount; ++i)
        mismatches += littleEndianSample(bytes, i) != linked[i];
    EXPECT_EQ(mismatches, 0u);
}
