#include "engine/bank/ResponseBank.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>

using namespace Engine;

using namespace ResponseBank;

TEST(BankLayout, TablesLieBackToBackAndOnlyValidIndicesResolve)
{
    ASSERT_NE(table(0), nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(table(0)) % 64, 0u);
    for (int t = 1; t < kTableCount; ++t)
        EXPECT_EQ(table(t) - table(t - 1), kTableLength) << "table " << t;
    for (int t : {-1, kTableCount, kTableCount + 1, INT32_MIN, INT32_MAX})
        EXPECT_EQ(table(t), nullptr) << "index " << t;
}

TEST(BankLayout, StorageOrderRunsFromR90CeilingFloorToCenterFrontBack)
{
    EXPECT_EQ(tableIndex(10, kCeilingFloor), 0);
    EXPECT_EQ(tableIndex(0, kFrontBack), 32);
    std::set<int> seen;
    for (int p = 0; p < kPositionCount; ++p)
    {
        EXPECT_EQ(tableIndex(p, kFrontBack), 32 - 3 * p);
        EXPECT_EQ(tableIndex(p, kLeftRight), 31 - 3 * p);
        EXPECT_EQ(tableIndex(p, kCeilingFloor), 30 - 3 * p);
        for (Component c : {kCeilingFloor, kLeftRight, kFrontBack})
            seen.insert(tableIndex(p, c));
    }
    EXPECT_EQ(seen.size(), static_cast<size_t>(kTableCount));
    EXPECT_EQ(*seen.begin(), 0);
    EXPECT_EQ(*seen.rbegin(), kTableCount - 1);
}

// FNV-1a over the samples' little-endian bytes. Pinned: any change to the generator, or a
// machine that renders it differently, shows up here.
TEST(BankLayout, ContentsMatchThePinnedChecksum)
{
    uint64_t hash = 0xcbf29ce484222325ULL;
    const double* samples = table(0);
    for (int i = 0; i < kTableCount * kTableLength; ++i)
    {
        uint64_t bits = 0;
        std::memcpy(&bits, &samples[i], sizeof bits);
        for (int b = 0; b < 8; ++b)
            hash = (hash ^ ((bits >> (8 * b)) & 0xff)) * 0x100000001b3ULL;
    }
    EXPECT_EQ(hash, 0x4234c4febbee48a4ULL);
}
