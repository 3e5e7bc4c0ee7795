#pragma once

#include "public.sdk/source/vst/vsteditcontroller.h"

#include "RecordingHandler.h"

#include <vector>

// An edit controller with the room effect's thirteen parameters (ids 0 to 12): the same
// names, ranges, steps, value names and units, built from the SDK's parameter classes.
class TestController : public Steinberg::Vst::EditController
{
  public:
    TestController();
    RecordingHandler handler;
};
