#include "gui/CPadControllerZx.h"

namespace VSTGUI
{
CPadControllerZx::CPadControllerZx(IController* baseController,
                                   Steinberg::Vst::EditController* editController,
                                   Steinberg::Vst::Parameter* xParam,
                                   Steinberg::Vst::Parameter* yParam)
    : PadController(baseController, editController, xParam, yParam)
{
}
} // namespace VSTGUI
