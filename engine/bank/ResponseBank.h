#pragma once

#include <cstdint>

namespace Engine
{
class TableRef;

// The compiled-in bank of room impulse responses: 11 source positions x 3 components,
// each table kTableLength doubles, stored back to back as read-only data.
// Table index t = 3 * (10 - position) + c, with c = 0 ceiling-floor, 1 left-right, 2 front-back.
namespace ResponseBank
{
constexpr int kTableLength = 69632;
constexpr int kTableCount = 33;
constexpr int kPositionCount = 11;

enum Component
{
    kCeilingFloor = 0,
    kLeftRight = 1,
    kFrontBack = 2
};

// First sample of table t (0 <= t < kTableCount); null for any other index.
const double* table(int t);

// Bank index of a position's component (position 0..10).
constexpr int tableIndex(int position, Component c)
{
    return 3 * (10 - position) + c;
}

// Points the three references at the tables of a position. A negative position or one of
// kTableCount or more selects position 0; positions 11 .. kTableCount - 1 keep the tables
// already referenced.
void selectPosition(int position, TableRef& frontBack, TableRef& leftRight, TableRef& ceilingFloor);
} // namespace ResponseBank
} // namespace Engine
