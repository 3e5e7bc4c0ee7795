// Where vevadur-render.exe looks for the plug-in when none is named: beside the program (as in
// a build tree), then the system's VST3 folder.
#include "host/render/BundleLocation.h"

#include <cstdlib>

#include <windows.h>

namespace vevadur::render
{
namespace
{
constexpr const char* kBundleName = "VevadurROT.vst3";

std::string programFolder()
{
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    const std::string program(path, length);
    return program.substr(0, program.find_last_of("\\/"));
}

bool exists(const std::string& path)
{
    return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
} // namespace

std::vector<std::string> bundleCandidates()
{
    std::vector<std::string> candidates;
    const std::string folder = programFolder();
    if (!folder.empty())
    {
        candidates.push_back(folder + "\\..\\" + kBundleName);
        candidates.push_back(folder + "\\" + kBundleName);
    }
    char common[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("CommonProgramFiles", common, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        candidates.push_back(std::string(common) + "\\VST3\\" + kBundleName);
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
    const char* profile = std::getenv("USERPROFILE");
    return profile ? std::string(profile) + "\\Documents\\VST3 Presets" : std::string();
}
} // namespace vevadur::render
