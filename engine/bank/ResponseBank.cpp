#include "engine/bank/ResponseBank.h"

#include "engine/bank/TableRef.h"

#include <cstddef>

namespace Engine
{
// The samples, linked in from bankData.S. Hidden: reached PC-relative, never exported.
extern "C" __attribute__((visibility("hidden"))) const double vevadur_bank_samples[];

namespace ResponseBank
{
const double* table(int t)
{
    if (t < 0 || t >= kTableCount) return nullptr;
    return vevadur_bank_samples + static_cast<std::ptrdiff_t>(t) * kTableLength;
}

void selectPosition(int position, TableRef& frontBack, TableRef& leftRight, TableRef& ceilingFloor)
{
    if (position < 0 || position >= kTableCount) position = 0;
    if (position >= kPositionCount)
    {
        // Keep what is referenced; references that were never pointed anywhere get "Center",
        // since there is nothing to keep and the convolver reads them right after.
        if (frontBack.data && leftRight.data && ceilingFloor.data) return;
        position = 0;
    }
    frontBack.data = table(tableIndex(position, kFrontBack));
    leftRight.data = table(tableIndex(position, kLeftRight));
    ceilingFloor.data = table(tableIndex(position, kCeilingFloor));
}
} // namespace ResponseBank
} // namespace Engine
