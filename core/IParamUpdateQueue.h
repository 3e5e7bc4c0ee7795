#pragma once

#include <cstdint>

// Hands an effect one control's automation of the current block as interpolated values.
class IParamUpdateQueue
{
  public:
    virtual ~IParamUpdateQueue() = default;
    virtual uint32_t getParameterId() = 0;
    // True when the value at this offset is new; the value is a normalised double.
    virtual bool getValueAtOffset(int32_t sampleOffset, double& value) = 0;
    virtual bool getNextValue(double& value) = 0;
};
