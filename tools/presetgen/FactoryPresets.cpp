#include "tools/presetgen/FactoryPresets.h"

#include <fstream>
#include <set>

namespace vevadur::presets
{
namespace
{
std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// Why a preset name cannot be used, or empty when it can.
std::string nameProblem(const std::string& name, const std::set<std::string>& taken)
{
    if (name.empty()) return "a preset without a name";
    if (name.size() > kMaxNameLength)
        return "\"" + name + "\" is longer than " + std::to_string(kMaxNameLength) + " characters";
    if (name.find_first_of("\\/:*?\"<>|") != std::string::npos || name.front() == '.')
        return "\"" + name + "\" cannot be a file name";
    if (taken.count(name)) return "\"" + name + "\" appears twice";
    return {};
}

bool finish(const FactoryPreset& preset, std::string& problem)
{
    if (preset.description.empty()) problem = "\"" + preset.name + "\" has no description";
    return problem.empty();
}
} // namespace

bool readFactoryPresets(const std::string& path, std::vector<FactoryPreset>& presets,
                        std::string& error)
{
    std::ifstream file(path);
    if (!file)
    {
        error = "cannot read " + path;
        return false;
    }
    presets.clear();
    std::set<std::string> names;
    std::string line;
    std::string problem;
    int number = 0;
    while (problem.empty() && std::getline(file, line))
    {
        ++number;
        line = trimmed(line);
        if (line.empty() || line[0] == '#') continue;
        if (line.front() == '[')
        {
            if (line.back() != ']')
            {
                problem = "a preset name needs a closing ]";
                break;
            }
            if (!presets.empty() && !finish(presets.back(), problem)) break;
            const std::string name = trimmed(line.substr(1, line.size() - 2));
            problem = nameProblem(name, names);
            names.insert(name);
            presets.push_back({name, {}, {}});
            continue;
        }
        const size_t equals = line.find('=');
        if (presets.empty() || equals == std::string::npos)
        {
            problem = presets.empty() ? "a value before the first [Name]" : "not \"Key = value\"";
            break;
        }
        const std::string key = trimmed(line.substr(0, equals));
        const std::string value = trimmed(line.substr(equals + 1));
        FactoryPreset& preset = presets.back();
        if (key.empty() || value.empty())
        {
            problem = "an empty key or value";
            break;
        }
        bool repeated = key == "Description" && !preset.description.empty();
        for (const auto& known : preset.values)
            repeated = repeated || known.first == key;
        if (repeated)
        {
            problem = "\"" + key + "\" given twice";
            break;
        }
        if (key == "Description")
            preset.description = value;
        else
            preset.values.emplace_back(key, value);
    }
    if (problem.empty() && !presets.empty() && finish(presets.back(), problem)) return true;
    if (problem.empty()) problem = "no presets";
    error = path + ":" + std::to_string(number) + ": " + problem;
    return false;
}

} // namespace vevadur::presets
