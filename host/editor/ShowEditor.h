#pragma once

#include "pluginterfaces/gui/iplugview.h"

#include <functional>
#include <string>

namespace vevadur::host
{

// Shows a plug-in's view in a top-level window of ours, as the platform's hosts do, and serves
// it until the window is closed, `idle` returns true, or `seconds` pass (when above 0). `idle` is
// called from the window's thread at least every 100 ms. False with a reason in `error` when the
// editor cannot be shown.
bool showEditor(Steinberg::IPlugView* view, const std::string& title, double seconds,
                const std::function<bool()>& idle, std::string& error);

} // namespace vevadur::host
