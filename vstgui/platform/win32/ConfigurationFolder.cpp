// The user's configuration folder on Windows: the roaming application data folder.
#include "vstgui/UserSettings.h"

#include <cstdlib>

namespace VSTGUI
{
std::filesystem::path UserSettings::configurationFolder()
{
    const wchar_t* appData = _wgetenv(L"APPDATA");
    if (!appData || !*appData) return {};
    return std::filesystem::path(appData);
}
} // namespace VSTGUI
