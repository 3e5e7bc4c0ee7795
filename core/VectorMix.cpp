#include "core/VectorMix.h"

namespace
{
// Written out to eight decimals on purpose: the weights depend on this exact value.
constexpr double kRootTwo = 1.41421356;

double limitUnit(double v)
{
    if (v > 1.0) v = 1.0;
    if (!(v >= 0.0)) // also catches NaN
        v = 0.0;
    return v;
}

// Maps a coordinate onto the 0..254 grid, clamped at 127 above and -128 below before the offset.
double gridCoordinate(double v)
{
    double g = v * 127.0;
    if (g > 127.0) g = 127.0;
    if (g < -128.0) g = -128.0;
    return g + 127.0;
}
} // namespace

VectorMix computeVectorMix(double x, double y, bool rotate)
{
    VectorMix mix;
    const double u = rotate ? x : (x - y) / kRootTwo / kRootTwo;
    const double w = rotate ? y : (x + y) / kRootTwo / kRootTwo;
    mix.mixAC = (u + 1.0) * 0.5;
    mix.mixBD = (w + 1.0) * 0.5;

    const double gx = rotate ? (x * kRootTwo + y * kRootTwo) / kRootTwo : x;
    const double gy = rotate ? (y * kRootTwo - x * kRootTwo) / kRootTwo : y;
    const double e = gridCoordinate(gx);
    const double f = gridCoordinate(gy);

    if (e == 127.0 && f == 127.0)
    {
        mix.a = mix.b = mix.c = mix.d = 0.25;
        return mix;
    }
    const double b = e * f / 645.0;
    const double c = (255.0 - f) * e / 645.0;
    const double d = (255.0 - e) * (255.0 - f) / 645.0;
    mix.a = limitUnit((100.0 - b - c - d) / 100.0);
    mix.b = limitUnit(b / 100.0);
    mix.c = limitUnit(c / 100.0);
    mix.d = limitUnit(d / 100.0);
    return mix;
}
