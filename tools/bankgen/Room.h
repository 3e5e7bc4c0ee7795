#pragma once

namespace bankgen
{
// Room coordinates in metres, origin in the right-hand rear floor corner as the listener faces
// the front wall: x grows towards the left wall, y towards the front wall, z upwards.
struct Vec3
{
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

enum Axis
{
    kAxisLeftRight = 0, // x: side walls
    kAxisFrontBack = 1, // y: front and back walls
    kAxisUpDown = 2     // z: ceiling and floor
};

inline double coordinate(const Vec3& v, Axis axis)
{
    return axis == kAxisLeftRight ? v.x : axis == kAxisFrontBack ? v.y : v.z;
}

inline void setCoordinate(Vec3& v, Axis axis, double value)
{
    (axis == kAxisLeftRight ? v.x : axis == kAxisFrontBack ? v.y : v.z) = value;
}

// Pressure reflection coefficients of the two surfaces across one axis: the one at coordinate
// 0 (right wall, back wall, floor) and the one at the room's far side; and the coefficient of
// the one-pole low-pass each bounce off either applies, as their absorption grows with frequency.
struct SurfacePair
{
    double nearSide = 0.0;
    double farSide = 0.0;
    double lowPass = 0.0;
};

struct Room
{
    Vec3 size;
    SurfacePair surfaces[3]; // by Axis
    Vec3 listener;
};
} // namespace bankgen
