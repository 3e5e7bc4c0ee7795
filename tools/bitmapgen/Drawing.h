#pragma once

#include "common/MathConstants.h"

#include <cairo.h>

#include <cstdint>

// Small drawing helpers shared by the panel's bitmaps.
namespace bitmapgen
{
using vevadur::kPi;

struct Rgb
{
    double r, g, b;
};

// A deterministic generator, so every build draws the same pixels.
class Random
{
  public:
    explicit Random(uint64_t seed) : m_state(seed) {}
    uint64_t next()
    {
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [-1, 1).
    double signedUnit() { return (next() >> 11) * (2.0 / 9007199254740992.0) - 1.0; }

  private:
    uint64_t m_state;
};

void setColor(cairo_t* cr, const Rgb& c, double alpha = 1.0);
// A radial gradient lit from the upper left, from light to dark.
cairo_pattern_t* litSphere(double cx, double cy, double radius, const Rgb& light, const Rgb& dark);
// A soft shadow disc below and right of a round part.
void dropShadow(cairo_t* cr, double cx, double cy, double radius, double offset);
// A hex-headed screw, for the panel's corners.
void screw(cairo_t* cr, double cx, double cy, double radius, double slotAngle);
} // namespace bitmapgen
