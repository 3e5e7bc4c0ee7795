#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vevadur::render
{

// What the command line asks for.
struct RenderOptions
{
    std::string input;
    std::string output;
    // A preset file or the name of one, loaded before the settings, which override it.
    std::string preset;
    // "Title=value" settings in command-line order.
    std::vector<std::pair<std::string, std::string>> settings;
    int blockSize = 512;
    // Seconds of silence appended to let the room ring out; unset means the whole response.
    std::optional<double> tailSeconds;
    // The bundle to load; empty means the usual places.
    std::string plugin;
    bool help = false;
};

// Reads the arguments after the program name. False with a reason in `error` when they do
// not make a valid request.
bool parseOptions(const std::vector<std::string>& args, RenderOptions& options, std::string& error);

const char* usageText();

} // namespace vevadur::render
