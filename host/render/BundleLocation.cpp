#include "host/render/BundleLocation.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace vevadur::render
{
namespace
{
constexpr const char* kBundleName = "VevadurROT.vst3";

std::string programFolder()
{
    char path[PATH_MAX] = {};
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return {};
    const std::string program(path, static_cast<size_t>(length));
    return program.substr(0, program.find_last_of('/'));
}

bool exists(const std::string& path)
{
    struct stat info
    {
    };
    return !path.empty() && stat(path.c_str(), &info) == 0;
}
} // namespace

std::vector<std::string> bundleCandidates()
{
    std::vector<std::string> candidates;
    const std::string folder = programFolder();
    if (!folder.empty())
    {
        candidates.push_back(folder + "/../" + kBundleName);
        candidates.push_back(folder + "/" + kBundleName);
    }
    if (const char* home = std::getenv("HOME"))
        candidates.push_back(std::string(home) + "/.vst3/" + kBundleName);
    candidates.push_back(std::string("/usr/local/lib/vst3/") + kBundleName);
    candidates.push_back(std::string("/usr/lib/vst3/") + kBundleName);
    return candidates;
}

std::string locateBundle(const std::string& requested)
{
    if (!requested.empty()) return requested;
    for (const std::string& candidate : bundleCandidates())
    {
        if (exists(candidate)) return candidate;
    }
    return {};
}

std::string userPresetRoot()
{
    const char* home = std::getenv("HOME");
    return home ? std::string(home) + "/.vst3/presets" : std::string();
}

} // namespace vevadur::render
