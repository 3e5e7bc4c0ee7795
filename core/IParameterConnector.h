#pragma once

#include <cstdint>

// The channel through which a GUI drawn by the effect itself edits host parameters: it names
// parameters by their host ids and values as normalised 0..1, whatever the plug-in interface.
class IParameterConnector
{
  public:
    virtual ~IParameterConnector() = default;
    virtual void beginEdit(uint32_t id) = 0;
    virtual void endEdit(uint32_t id) = 0;
    virtual void setParameter(uint32_t id, double normalized) = 0;
};
