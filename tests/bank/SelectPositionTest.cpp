#include "engine/bank/ResponseBank.h"
#include "engine/bank/TableRef.h"

#include <gtest/gtest.h>

#include <climits>

using namespace Engine;

using namespace ResponseBank;

namespace
{
struct Refs
{
    TableRef frontBack{kTableLength};
    TableRef leftRight{kTableLength};
    TableRef ceilingFloor{kTableLength};

    void select(int position) { selectPosition(position, frontBack, leftRight, ceilingFloor); }

    void expectTables(int fb, int lr, int cf) const
    {
        EXPECT_EQ(frontBack.data, table(fb));
        EXPECT_EQ(leftRight.data, table(lr));
        EXPECT_EQ(ceilingFloor.data, table(cf));
        for (const TableRef* r : {&frontBack, &leftRight, &ceilingFloor})
            EXPECT_EQ(r->length, kTableLength);
    }
};
} // namespace

TEST(SelectPosition, EachPositionReferencesItsOwnThreeTables)
{
    Refs refs;
    refs.select(0);
    refs.expectTables(32, 31, 30);
    refs.select(10);
    refs.expectTables(2, 1, 0);
    for (int p = 0; p < kPositionCount; ++p)
    {
        refs.select(p);
        refs.expectTables(32 - 3 * p, 31 - 3 * p, 30 - 3 * p);
    }
}

TEST(SelectPosition, PositionsElevenToThirtyTwoKeepTheCurrentTables)
{
    Refs refs;
    refs.select(4);
    for (int p = kPositionCount; p < kTableCount; ++p)
    {
        refs.select(p);
        refs.expectTables(20, 19, 18);
    }
}

TEST(SelectPosition, NegativeOrTooLargePositionsSelectCenter)
{
    for (int p : {-1, kTableCount, kTableCount + 1, INT_MIN, INT_MAX})
    {
        Refs refs;
        refs.select(7);
        refs.select(p);
        refs.expectTables(32, 31, 30);
    }
}

TEST(SelectPosition, KeepingOnFreshReferencesFallsBackToCenter)
{
    Refs refs;
    refs.select(11);
    refs.expectTables(32, 31, 30);

    Refs partial;
    partial.frontBack.data = table(5);
    partial.select(20);
    partial.expectTables(32, 31, 30);
}
