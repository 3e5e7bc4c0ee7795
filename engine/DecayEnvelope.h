#pragma once

#include <cmath>
#include <cstdint>

// The decay curves that shape one component of a room response. Any non-zero curve value
// selects the hyperbolic curve.
enum DecayCurve : int
{
    kExponentialDecay = 0,
    kHyperbolicDecay = 1
};

// One decay curve, evaluated at absolute response indices, so stages covering different parts of
// one response share one continuous envelope:
//   hyperbolic:  fs / (i (7.5 a + 0.07) + fs)
//   exponential: exp(-i a / fs)
// An absorption a that is NaN or negative counts as 0; a sample rate below 1 counts as 1.
// A default-constructed envelope is silent (0 everywhere): no curve has been set yet.
class DecayEnvelope
{
  public:
    DecayEnvelope() = default;
    DecayEnvelope(double absorption, int sampleRate, int curve);

    double at(int32_t i) const
    {
        if (!set_) return 0.0;
        if (hyperbolic_) return fs_ / (double(i) * slope_ + fs_);
        return std::exp(-(double(i) * absorption_ / fs_));
    }

    bool operator==(const DecayEnvelope& other) const
    {
        return set_ == other.set_ && hyperbolic_ == other.hyperbolic_ && fs_ == other.fs_ &&
               absorption_ == other.absorption_;
    }

  private:
    bool set_ = false;
    bool hyperbolic_ = false;
    double fs_ = 1.0;
    double absorption_ = 0.0;
    double slope_ = 0.0;
};

// Fills envelope[0 .. count-1] with the curve at absolute response indices first .. first+count-1.
void fillDecayEnvelope(double* envelope, int32_t first, int32_t count, double absorption,
                       int sampleRate, int curve);
