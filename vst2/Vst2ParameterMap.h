// Which VST3 parameters a VST2 host sees, and in which order. Every parameter of the edit
// controller is one VST2 parameter, in the controller's order, except the program-change
// parameter, which VST2 hosts reach through their program opcodes instead. Built once, when the
// adapter is created, and read-only afterwards.
#pragma once

#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <vector>

namespace Steinberg
{
namespace Vst
{

class Vst2ParameterMap
{
  public:
    void build(IEditController& controller);

    // All parameters of the controller (the internal index space).
    int32 count() const { return static_cast<int32>(infos.size()); }
    const ParameterInfo& info(int32 index) const { return infos[static_cast<size_t>(index)]; }
    // Internal index of a parameter id; -1 when the controller has no such parameter.
    int32 indexOf(ParamID id) const;

    // The parameters a VST2 host sees, by VST2 index.
    int32 hostCount() const { return static_cast<int32>(hostToIndex.size()); }
    // Internal index of a VST2 index; -1 when out of range.
    int32 indexOfHost(int32 hostIndex) const;
    // VST2 index of an internal index; -1 for the program-change parameter.
    int32 hostIndexOf(int32 index) const;

    // The program-change parameter and its programs (stepCount + 1 entries), if there is one.
    int32 programIndex() const { return programParameter; }
    int32 programCount() const;
    // The bypass parameter, if there is one.
    int32 bypassIndex() const { return bypassParameter; }

  private:
    std::vector<ParameterInfo> infos;
    std::vector<int32> hostToIndex;
    std::vector<int32> indexToHost;
    int32 programParameter = -1;
    int32 bypassParameter = -1;
};

} // namespace Vst
} // namespace Steinberg
