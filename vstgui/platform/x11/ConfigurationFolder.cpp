// The user's configuration folder on Linux, after the XDG base directory rules.
#include "vstgui/UserSettings.h"

#include <cstdlib>

namespace VSTGUI
{
std::filesystem::path UserSettings::configurationFolder()
{
    // Only absolute paths count; a relative one is to be ignored.
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0] == '/')
        return config;
    if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        return std::filesystem::path(home) / ".config";
    return {};
}
} // namespace VSTGUI
