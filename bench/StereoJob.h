#pragma once

// A stereo signal path as the benchmarks drive it: one host block of float frames in and out.
class StereoJob
{
  public:
    virtual ~StereoJob() = default;
    virtual void process(const float* inL, const float* inR, float* outL, float* outR,
                         int frames) = 0;
};
