#pragma once

#include "host/render/RenderOptions.h"

#include <csignal>
#include <string>

namespace vevadur::render
{

// Renders the input file through the plug-in into the output file. False with a reason in
// `error` when anything fails, in which case no output file is left behind. Stops early (and
// fails) once `stop` becomes non-zero.
bool renderFile(const RenderOptions& options, const volatile std::sig_atomic_t& stop,
                std::string& error);

// Frames the room needs to ring out after the last input frame: its response (69632 frames)
// behind the effect's fixed delay of 255 frames.
constexpr long long kRoomTailFrames = 69632 + 255;

} // namespace vevadur::render
