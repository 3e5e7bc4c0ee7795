#include "host/render/RenderOptions.h"

#include <cmath>
#include <cstdlib>

namespace vevadur::render
{
namespace
{
bool parseNumber(const std::string& text, double& value)
{
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end && *end == 0 && std::isfinite(value);
}

// The value of an option given as "--name value" or "--name=value".
bool optionValue(const std::vector<std::string>& args, size_t& i, const std::string& name,
                 std::string& value, bool& matched)
{
    const std::string& arg = args[i];
    matched = false;
    if (arg == name)
    {
        matched = true;
        if (i + 1 >= args.size()) return false;
        value = args[++i];
        return true;
    }
    if (arg.rfind(name + "=", 0) == 0)
    {
        matched = true;
        value = arg.substr(name.size() + 1);
        return true;
    }
    return true;
}
} // namespace

const char* usageText()
{
    return "usage: vevadur-render IN OUT [--preset NAME|FILE] [--set \"TITLE=VALUE\"]...\n"
           "                      [--block FRAMES] [--tail SECONDS] [--plugin BUNDLE]\n"
           "\n"
           "Renders an audio file (any format libsndfile reads, 1 or 2 channels) through\n"
           "VevadurROT and writes the stereo result to OUT (.wav, .aiff, .flac or .ogg).\n"
           "\n"
           "  --preset NAME|FILE  start from a preset: a .vstpreset file, or the name of one of\n"
           "                      the factory presets or of a preset in the user's VST3 preset\n"
           "                      folder (\"Tight Booth\"); --set options override its values\n"
           "  --set \"TITLE=VALUE\"  set a parameter by its title: a plain value in its range\n"
           "                      (\"Speed=0.25\") or one of its listed values (\"Position=L45\")\n"
           "  --block FRAMES      frames per process call, 1 to 8192 (default 512)\n"
           "  --tail SECONDS      silence appended after the input (default: long enough for\n"
           "                      the whole room response)\n"
           "  --plugin BUNDLE     the VevadurROT.vst3 bundle to use (default: the one built\n"
           "                      next to this program, then ~/.vst3, then /usr/lib/vst3)\n";
}

bool parseOptions(const std::vector<std::string>& args, RenderOptions& options, std::string& error)
{
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i)
    {
        const std::string& arg = args[i];
        if (arg == "-h" || arg == "--help")
        {
            options.help = true;
            return true;
        }
        std::string value;
        bool matched = false;
        for (const char* name : {"--set", "--preset", "--block", "--tail", "--plugin"})
        {
            if (!optionValue(args, i, name, value, matched))
            {
                error = std::string(name) + " needs a value";
                return false;
            }
            if (!matched) continue;
            const std::string option = name;
            if (option == "--set")
            {
                const size_t equals = value.find('=');
                if (equals == std::string::npos || equals == 0)
                {
                    error = "--set wants TITLE=VALUE, not \"" + value + "\"";
                    return false;
                }
                options.settings.emplace_back(value.substr(0, equals), value.substr(equals + 1));
            }
            else if (option == "--preset")
            {
                if (value.empty() || !options.preset.empty())
                {
                    error = value.empty() ? "--preset wants a name or a file"
                                          : "only one --preset, please";
                    return false;
                }
                options.preset = value;
            }
            else if (option == "--block")
            {
                double frames = 0;
                if (!parseNumber(value, frames) || frames < 1 || frames > 8192 ||
                    frames != std::floor(frames))
                {
                    error = "--block wants a whole number of frames from 1 to 8192";
                    return false;
                }
                options.blockSize = static_cast<int>(frames);
            }
            else if (option == "--tail")
            {
                double seconds = 0;
                if (!parseNumber(value, seconds) || seconds < 0 || seconds > 3600)
                {
                    error = "--tail wants seconds from 0 to 3600";
                    return false;
                }
                options.tailSeconds = seconds;
            }
            else
            {
                options.plugin = value;
            }
            break;
        }
        if (matched) continue;
        if (arg.size() > 1 && arg[0] == '-')
        {
            error = "unknown option " + arg;
            return false;
        }
        files.push_back(arg);
    }
    if (files.size() != 2)
    {
        error = files.size() < 2 ? "an input and an output file are needed"
                                 : "only one input and one output file, please";
        return false;
    }
    options.input = files[0];
    options.output = files[1];
    return true;
}

} // namespace vevadur::render
