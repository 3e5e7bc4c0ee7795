#include "vstgui/UserSettings.h"

#include <fstream>
#include <map>
#include <sstream>
#include <system_error>

namespace VSTGUI
{
namespace
{
constexpr size_t kMaximumFileSize = 64 * 1024;

std::map<std::string, std::string> readEntries(const std::filesystem::path& file)
{
    std::map<std::string, std::string> entries;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    size_t total = 0;
    while (in && std::getline(in, line) && (total += line.size()) < kMaximumFileSize)
    {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto equals = line.find('=');
        if (equals == std::string::npos || equals == 0 || line[0] == '#') continue;
        entries[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return entries;
}

bool validKey(const std::string& key)
{
    return !key.empty() && key.find_first_of("=\r\n") == std::string::npos;
}
} // namespace

UserSettings::UserSettings(const std::string& application)
{
    const std::filesystem::path folder = configurationFolder();
    if (!folder.empty() && !application.empty())
        m_file = folder / std::filesystem::u8path(application) / "editor.ini";
}

std::string UserSettings::read(const std::string& key) const
{
    if (m_file.empty() || !validKey(key)) return {};
    const auto entries = readEntries(m_file);
    const auto it = entries.find(key);
    return it == entries.end() ? std::string() : it->second;
}

bool UserSettings::write(const std::string& key, const std::string& value) const
{
    if (m_file.empty() || !validKey(key) || value.find_first_of("\r\n") != std::string::npos)
        return false;
    auto entries = readEntries(m_file);
    if (value.empty())
        entries.erase(key);
    else
        entries[key] = value;
    std::error_code error;
    std::filesystem::create_directories(m_file.parent_path(), error);
    // Written aside and renamed, so a reader never sees half a file.
    std::filesystem::path temporary = m_file;
    temporary += ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        for (const auto& [k, v] : entries)
            out << k << '=' << v << '\n';
        if (!out.flush()) return false;
    }
    std::filesystem::rename(temporary, m_file, error);
    return !error;
}
} // namespace VSTGUI
