#pragma once

#include "tools/bankgen/Room.h"

#include <vector>

namespace bankgen
{
// One path from a source to the listener: the source itself or one of its mirror images.
struct Arrival
{
    Vec3 offset;       // image position minus listener position
    double distance;   // length of offset, metres
    double reflection; // product of the reflection coefficients met on the way
    int nearBounces;   // reflections off the surface at coordinate 0
    int farBounces;    // reflections off the opposite surface
};

// The direct sound and every image mirrored across the two surfaces of one axis only (the
// other coordinates stay the source's), out to maxDistance metres, nearest first.
std::vector<Arrival> axisImages(const Room& room, const Vec3& source, Axis axis,
                                double maxDistance);
} // namespace bankgen
