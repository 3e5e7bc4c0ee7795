#pragma once

#include "public.sdk/source/vst/hosting/pollrunloop.h"

#include <functional>

namespace vevadur::host
{

// The run loop our host lends a plug-in's editor on Linux. Unlike a plug-in format's idle
// calls it may wait in poll() for the editor's descriptors and timers; its owner turns it.
class RunLoop : public Steinberg::Vst::PollRunLoop
{
  public:
    void runFor(int milliseconds);
    // Turns until done() holds (checked after every round); false when the time ran out.
    bool runUntil(const std::function<bool()>& done, int timeoutMs);
};

} // namespace vevadur::host
