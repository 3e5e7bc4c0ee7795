#include "RoomSettings.h"

#include "common/MathConstants.h"
#include "engine/DecayEnvelope.h"
#include "engine/bank/ResponseBank.h"

#include <cmath>

using namespace Engine;

std::vector<float> componentResponse(const RoomSettings& room, int component)
{
    const auto c = static_cast<ResponseBank::Component>(component);
    const double volume = c == ResponseBank::kFrontBack   ? room.volFB
                          : c == ResponseBank::kLeftRight ? room.volLR
                                                          : room.volCF;
    const double absorption = c == ResponseBank::kFrontBack   ? room.absFB
                              : c == ResponseBank::kLeftRight ? room.absLR
                                                              : room.absCF;
    std::vector<double> envelope(ResponseBank::kTableLength);
    fillDecayEnvelope(envelope.data(), 0, ResponseBank::kTableLength, absorption, room.sampleRate,
                      kHyperbolicDecay);
    const double* table = ResponseBank::table(ResponseBank::tableIndex(room.position, c));
    std::vector<float> response(ResponseBank::kTableLength);
    for (int i = 0; i < ResponseBank::kTableLength; ++i)
        response[i] = static_cast<float>(envelope[i] * volume * table[i]);
    return response;
}

Rotation::Rotation(const RoomSettings& room)
    : increment_(room.revolutionsPerSecond * 2.0 * vevadur::kPi / room.sampleRate)
{
}

void Rotation::next(double& s, double& k)
{
    s = std::sin(angle_);
    k = -std::cos(angle_);
    angle_ += increment_;
}
