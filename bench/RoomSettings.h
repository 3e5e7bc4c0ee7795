#pragma once

#include <cstdint>
#include <vector>

// The room both benchmark jobs render: the plug-in's default settings (bank position "Center",
// full volumes, absorption 7 with hyperbolic envelopes) and a listener turning once per second.
struct RoomSettings
{
    int sampleRate = 48000;
    int position = 0;
    double volFB = 1.0, volLR = 1.0, volCF = 1.0;
    double absFB = 7.0, absLR = 7.0, absCF = 7.0;
    double revolutionsPerSecond = 1.0;
};

// One component's full response (all 69632 taps): envelope x volume x bank table.
// component: ResponseBank::Component.
std::vector<float> componentResponse(const RoomSettings& room, int component);

// Sine and (non-reversed) cosine weights of the turning listener, advanced per frame.
class Rotation
{
  public:
    explicit Rotation(const RoomSettings& room);
    void next(double& s, double& k);

  private:
    double angle_ = 0.0;
    double increment_;
};
