#include "TestController.h"

#include "pluginterfaces/base/ustring.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{
void addList(ParameterContainer& parameters, const char* title, ParamID id,
             std::initializer_list<const char*> names)
{
    auto* parameter = new StringListParameter(USTRING(title), id);
    for (const char* name : names)
        parameter->appendString(USTRING(name));
    parameters.addParameter(parameter);
}

void addRange(ParameterContainer& parameters, const char* title, ParamID id, const char* units,
              double maximum, double initial, int32 steps = 0)
{
    auto* parameter = new RangeParameter(USTRING(title), id, USTRING(units), 0, maximum, initial,
                                         steps, ParameterInfo::kCanAutomate);
    parameter->setPrecision(2);
    parameters.addParameter(parameter);
}
} // namespace

TestController::TestController()
{
    addRange(parameters, "Gain", 0, "", 1, 0.5);
    addList(parameters, "Position", 1,
            {"Center", "L22", "L32", "L45", "L64", "L90", "R22", "R32", "R45", "R64", "R90"});
    addRange(parameters, "Vol L-R", 2, "", 1, 1);
    addRange(parameters, "Abs L-R", 3, "", 14, 7);
    addRange(parameters, "Vol F-B", 4, "", 1, 1);
    addRange(parameters, "Abs F-B", 5, "", 14, 7);
    addRange(parameters, "Vol C-F", 6, "", 1, 1);
    addRange(parameters, "Abs C-F", 7, "", 14, 7);
    addRange(parameters, "Decay Type", 8, "", 1, 1, 1);
    addList(parameters, "Stereo/Mono", 9, {"Stereo", "Mono"});
    addList(parameters, "Left/Right", 10, {"Left", "Right"});
    addRange(parameters, "Speed", 11, "Hz", 8, 0);
    addList(parameters, "Reverse", 12, {"OFF", "ON"});
    setComponentHandler(&handler);
}
