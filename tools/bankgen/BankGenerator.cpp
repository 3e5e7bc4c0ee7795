#include "tools/bankgen/BankGenerator.h"

#include "common/MathConstants.h"
#include "engine/bank/ResponseBank.h"
#include "tools/bankgen/ArrivalFilter.h"
#include "tools/bankgen/DiffuseTail.h"
#include "tools/bankgen/FractionalDelay.h"
#include "tools/bankgen/ImageSources.h"
#include "tools/bankgen/PortableMath.h"

#include <cmath>
#include <cstdint>

using namespace Engine;

namespace bankgen
{
namespace
{
// The rate the tables are modelled for: the commonest host rate today.
constexpr double kSampleRate = 48000.0;
constexpr double kSpeedOfSound = 343.0;
using vevadur::kPi;

// A living room of 7 x 9 x 3.5 m: plastered walls, a damped back wall, a carpeted floor. The
// listener sits a little right of the middle, so the side-wall reflections do not cancel. Each
// surface pair dulls a reflection by its own per-bounce low-pass: plaster least, carpet most.
constexpr Room kRoom = {
    {7.0, 9.0, 3.5},
    {{0.90, 0.85, 0.12}, {0.78, 0.86, 0.22}, {0.62, 0.82, 0.30}}, // right/left, back/front,
                                                                   // floor/ceiling
    {3.1, 4.0, 1.2},
};
constexpr double kRoomVolume = 7.0 * 9.0 * 3.5;

// How much faster than at 1 kHz walls, furniture and people soak up each octave's sound in
// the diffuse field (125 Hz .. 16 kHz); air comes on top of this.
constexpr double kWallLossByOctave[kTailBandCount] = {0.70, 0.80, 0.92, 1.0,
                                                      1.08, 1.16, 1.24, 1.32};
// The diffuse field's spectrum at its onset: the first bounces have already dulled it.
constexpr double kOnsetLevelByOctave[kTailBandCount] = {1.0, 1.0, 1.0,  1.0,
                                                        0.89, 0.79, 0.71, 0.56};
constexpr double kOctaveCentresHz[kTailBandCount] = {125.0,  250.0,  500.0,  1000.0,
                                                     2000.0, 4000.0, 8000.0, 16000.0};

// Sources stand on a circle at ear height around the listener, at the distance sound travels
// in this many samples (about 2.3 m).
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

// Air absorption in dB per metre at `hz`, as the arrival filter applies it.
double airLossPerMetre(double hz)
{
    const double s = portableSin(kPi * hz / kSampleRate);
    return 20.0 / 2.302585092994046 * 4.0 * kAirSmoothingPerMetre * s * s;
}

// The diffuse tail of a component whose 1 kHz band falls by 60 dB in `midDecaySeconds`: the
// other octaves decay faster or slower by the room's wall loss, plus the air's.
TailShape tailShape(double buildUpSeconds, double midDecaySeconds, double endLevel)
{
    TailShape shape{};
    shape.sampleRate = kSampleRate;
    shape.onset = kDirectDelay;
    shape.buildUp = buildUpSeconds * kSampleRate;
    const double midAirRate = airLossPerMetre(1000.0) * kSpeedOfSound;
    const double wallRate = 60.0 / midDecaySeconds - midAirRate; // dB per second at 1 kHz
    for (int b = 0; b < kTailBandCount; ++b)
    {
        const double rate =
            wallRate * kWallLossByOctave[b] + airLossPerMetre(kOctaveCentresHz[b]) * kSpeedOfSound;
        shape.decayTimes[b] = 60.0 / rate * kSampleRate;
        shape.levels[b] = kOnsetLevelByOctave[b];
    }
    const double perSample = 1.0 / kSampleRate;
    shape.densityGrowth = 4.0 * kPi * kSpeedOfSound * kSpeedOfSound * kSpeedOfSound / kRoomVolume *
                          perSample * perSample * perSample;
    shape.endLevel = endLevel;
    return shape;
}

TailShape tailShape(ResponseBank::Component c)
{
    switch (c)
    {
    case ResponseBank::kFrontBack:
        return tailShape(0.012, 2.53, 1.6e-4);
    case ResponseBank::kLeftRight:
        return tailShape(0.010, 2.44, 1.4e-4);
    default:
        return tailShape(0.008, 2.34, 1.2e-4);
    }
}

PathLoss pathLoss(const Arrival& a, Axis axis)
{
    return {kRoom.surfaces[axis].lowPass, a.nearBounces + a.farBounces, a.distance};
}

// Amplitude at 1 m that puts the "Center" front-back direct sound at its intended peak.
double sourceStrength()
{
    const Vec3 source = sourcePosition(0);
    const Arrival direct = axisImages(kRoom, source, kAxisFrontBack, kSourceDistance * 1.01)[0];
    const int peakSample = static_cast<int>(std::floor(kDirectDelay + 0.5));
    std::vector<double> probe(static_cast<size_t>(peakSample) * 2, 0.0);
    addFilteredArrival(probe.data(), static_cast<int>(probe.size()), kDirectDelay, 1.0,
                       pathLoss(direct, kAxisFrontBack));
    return kCenterFrontBackPeak * kSourceDistance / probe[peakSample];
}

void renderTable(double* table, int position, ResponseBank::Component c, double strength)
{
    const int length = ResponseBank::kTableLength;
    const double reach = (length + kKernelHalfWidth) * kSpeedOfSound / kSampleRate;
    const Axis axis = axisOf(c);
    for (const Arrival& a : axisImages(kRoom, sourcePosition(position), axis, reach))
    {
        const double amplitude = strength * a.reflection * directionWeight(a, c) / a.distance;
        addFilteredArrival(table, length, a.distance * kSampleRate / kSpeedOfSound, amplitude,
                           pathLoss(a, axis));
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
