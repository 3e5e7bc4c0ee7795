#pragma once

#include <string>
#include <vector>

namespace vevadur::render
{

// Where the renderer looks for the plug-in when not told: the bundle built beside it, then
// the user's and the system's VST3 folders.
std::vector<std::string> bundleCandidates();

// The requested bundle, or the first candidate that exists; empty when there is none.
std::string locateBundle(const std::string& requested);

// The user's VST3 preset folder (the vendor and plug-in folders go below it); empty when the
// platform's home variable is not set.
std::string userPresetRoot();

} // namespace vevadur::render
