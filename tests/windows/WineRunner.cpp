#include "WineRunner.h"

#include <sys/wait.h>

#include <cstdio>

namespace wine
{
std::string windowsBuild(const std::string& relative)
{
    return std::string(VEVADUR_WINDOWS_BUILD) + "/" + relative;
}

std::string windowsPath(const std::string& linuxPath)
{
    std::string path = "Z:" + linuxPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::string quoted(const std::string& word)
{
    std::string text = "'";
    for (char c : word)
        text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return text + "'";
}

Result shell(const std::string& command)
{
    // Every command has a limit: one that does not end fails its test (killed, status 124, and
    // says so) instead of stalling the suite.
    const std::string limit = std::to_string(kProgramLimitSeconds);
    const std::string limited = "timeout -k 10 " + limit + " sh -c " + quoted(command) + " 2>&1";
    Result result;
    FILE* pipe = popen(limited.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.output.append(buffer, got);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (result.status == 124)
        result.output += "\n[" + command + " did not end within " + limit + " s and was killed]\n";
    return result;
}

Result run(const std::string& program, const std::vector<std::string>& arguments, bool withDisplay)
{
    // Wine's own messages are silenced.
    std::string command = "env WINEPREFIX=" + quoted(VEVADUR_WINE_PREFIX) + " WINEDEBUG=-all " +
                          (withDisplay ? "" : "DISPLAY= ") + quoted(VEVADUR_WINE) + " " +
                          quoted(program);
    for (const std::string& argument : arguments)
        command += " " + quoted(argument);
    return shell(command);
}
} // namespace wine
