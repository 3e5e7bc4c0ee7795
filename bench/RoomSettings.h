#pragma once

#include <cstdint>
#include <vector>

// The room both benchmark jobs render: one bank position, the three wall-pair components with
// their volumes and hyperbolic absorption envelopes, and a turning listener.
struct RoomSettings
{
    int sampleRate = 48000;
    int position = 3;
    double volFB = 1.0, volLR = 0.8, volCF = 0.6;
    double absFB = 2.0, absLR = 3.0, absCF = 4.0;
    double revolutionsPerSecond = 0.25;
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
