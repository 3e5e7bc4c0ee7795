#include "tools/bankgen/ImageSources.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace bankgen
{
namespace
{
double power(double base, int exponent)
{
    double result = 1.0;
    for (int i = 0; i < exponent; ++i)
        result *= base;
    return result;
}

// Image (mirrored, period) along one axis of extent L: coordinate (1 - 2 mirrored) * s + 2 period
// L, reached by |period - mirrored| near-side and |period| far-side reflections.
Arrival makeImage(const Room& room, const Vec3& source, Axis axis, int mirrored, int period)
{
    const double extent = coordinate(room.size, axis);
    Vec3 image = source;
    setCoordinate(image, axis,
                  (1 - 2 * mirrored) * coordinate(source, axis) + 2.0 * period * extent);

    Arrival a;
    a.offset = {image.x - room.listener.x, image.y - room.listener.y, image.z - room.listener.z};
    a.distance =
        std::sqrt(a.offset.x * a.offset.x + a.offset.y * a.offset.y + a.offset.z * a.offset.z);
    a.nearBounces = std::abs(period - mirrored);
    a.farBounces = std::abs(period);
    const SurfacePair& s = room.surfaces[axis];
    a.reflection = power(s.nearSide, a.nearBounces) * power(s.farSide, a.farBounces);
    return a;
}
} // namespace

std::vector<Arrival> axisImages(const Room& room, const Vec3& source, Axis axis, double maxDistance)
{
    std::vector<Arrival> arrivals;
    const double extent = coordinate(room.size, axis);
    if (!(extent > 0.0) || !(maxDistance > 0.0)) return arrivals;

    const int periods = static_cast<int>(std::ceil(maxDistance / (2.0 * extent))) + 1;
    for (int period = -periods; period <= periods; ++period)
        for (int mirrored = 0; mirrored <= 1; ++mirrored)
        {
            const Arrival a = makeImage(room, source, axis, mirrored, period);
            if (a.distance <= maxDistance) arrivals.push_back(a);
        }

    std::stable_sort(arrivals.begin(), arrivals.end(),
                     [](const Arrival& a, const Arrival& b) { return a.distance < b.distance; });
    return arrivals;
}
} // namespace bankgen
