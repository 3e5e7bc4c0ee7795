#pragma once

#include "vstgui/plugin-bindings/PadController.h"

namespace VSTGUI
{
// The framework's pad sub-controller: splits an XY pad's value into an x and a y parameter
// exactly as PadController does, under a class of its own.
class CPadControllerZx : public PadController
{
  public:
    CPadControllerZx(IController* baseController, Steinberg::Vst::EditController* editController,
                     Steinberg::Vst::Parameter* xParam, Steinberg::Vst::Parameter* yParam);
};
} // namespace VSTGUI
