#include "tools/bankgen/BankGenerator.h"

#include "engine/ResponseBank.h"
#include "tools/bankgen/DiffuseTail.h"
#include "tools/bankgen/FractionalDelay.h"
#include "tools/bankgen/ImageSources.h"
#include "tools/bankgen/PortableMath.h"

#include <cmath>
#include <cstdint>

namespace bankgen
{
namespace
{
constexpr double kSampleRate = 44100.0;
constexpr double kSpeedOfSound = 343.0;
constexpr double kPi = 3.14159265358979323846;

// A living room of 7 x 9 x 3.5 m: plastered walls, a damped back wall, a carpeted floor. The
// listener sits a little right of the middle, so the side-wall reflections do not cancel.
constexpr Room kRoom = {
    {7.0, 9.0, 3.5},
    {{0.90, 0.85}, {0.78, 0.86}, {0.62, 0.82}}, // right/left, back/front, floor/ceiling
    {3.1, 4.0, 1.2},
};

// Sources stand on a circle at ear height around the listener, at the distance sound travels
// in this many samples (about 2.5 m).
constexpr double kDirectDelay = 322.25;
constexpr double kSourceDistance = kDirectDelay * kSpeedOfSound / kSampleRate;

// Azimuth of each position in degrees, positive to the listener's left.
constexpr double kAzimuths[ResponseBank::kPositionCount] = {0,   22,  32,  45,  64, 90,
                                                            -22, -32, -45, -64, -90};

// The "Center" front-back table peaks at this level at its direct sound.
constexpr double kCenterFrontBackPeak = 0.70710678118654752;

// Ceiling and floor are heard from everywhere: an omnidirectional weight.
constexpr double kCeilingFloorWeight = 0.5;

constexpr uint64_t kNoiseSeed = 0x5a17e5eedULL;

Vec3 sourcePosition(int position)
{
    const double azimuth = kAzimuths[position] * kPi / 180.0;
    return {kRoom.listener.x + kSourceDistance * portableSin(azimuth),
            kRoom.listener.y + kSourceDistance * portableCos(azimuth), kRoom.listener.z};
}

Axis axisOf(ResponseBank::Component c)
{
    switch (c)
    {
    case ResponseBank::kFrontBack:
        return kAxisFrontBack;
    case ResponseBank::kLeftRight:
        return kAxisLeftRight;
    default:
        return kAxisUpDown;
    }
}

// Front-back: cosine towards the front; left-right: cosine towards the left; ceiling-floor:
// constant.
double directionWeight(const Arrival& a, ResponseBank::Component c)
{
    switch (c)
    {
    case ResponseBank::kFrontBack:
        return a.offset.y / a.distance;
    case ResponseBank::kLeftRight:
        return a.offset.x / a.distance;
    default:
        return kCeilingFloorWeight;
    }
}

TailShape tailShape(ResponseBank::Component c)
{
    const double seconds = kSampleRate;
    switch (c)
    {
    case ResponseBank::kFrontBack:
        return {kDirectDelay, 0.012 * seconds, 2.75 * seconds, 1.6e-4, 0.35};
    case ResponseBank::kLeftRight:
        return {kDirectDelay, 0.010 * seconds, 2.65 * seconds, 1.4e-4, 0.30};
    default:
        return {kDirectDelay, 0.008 * seconds, 2.55 * seconds, 1.2e-4, 0.45};
    }
}

// Amplitude at 1 m that puts the "Center" front-back direct sound at its intended peak.
double sourceStrength()
{
    const double peakSample = std::floor(kDirectDelay + 0.5);
    return kCenterFrontBackPeak * kSourceDistance / bandLimitedTap(peakSample - kDirectDelay);
}

void renderTable(double* table, int position, ResponseBank::Component c, double strength)
{
    const int length = ResponseBank::kTableLength;
    const double reach = (length + kKernelHalfWidth) * kSpeedOfSound / kSampleRate;
    for (const Arrival& a : axisImages(kRoom, sourcePosition(position), axisOf(c), reach))
    {
        const double amplitude = strength * a.reflection * directionWeight(a, c) / a.distance;
        addArrival(table, length, a.distance * kSampleRate / kSpeedOfSound, amplitude);
    }
    const int index = ResponseBank::tableIndex(position, c);
    addDiffuseTail(table, length, tailShape(c), kNoiseSeed + static_cast<uint64_t>(index));
}
} // namespace

std::vector<double> generateBank()
{
    using namespace ResponseBank;
    std::vector<double> bank(static_cast<size_t>(kTableCount) * kTableLength, 0.0);
    const double strength = sourceStrength();
    for (int position = 0; position < kPositionCount; ++position)
        for (Component c : {kCeilingFloor, kLeftRight, kFrontBack})
        {
            double* table =
                bank.data() + static_cast<size_t>(tableIndex(position, c)) * kTableLength;
            renderTable(table, position, c, strength);
        }
    return bank;
}
} // namespace bankgen
