// Running the Windows build's programs under Wine, in the tests' own prefix, and the Linux
// side's tools, capturing what they print.
#pragma once

#include <string>
#include <vector>

namespace wine
{
struct Result
{
    int status = -1; // the program's exit code, -1 when it did not run
    std::string output;
};

// A file of the Windows build tree.
std::string windowsBuild(const std::string& relative);
// A Linux path as Wine's Z: drive shows it.
std::string windowsPath(const std::string& linuxPath);
// How long one Windows program under Wine, or one Linux command, may run before it is killed.
constexpr int kProgramLimitSeconds = 120;
// Runs a Windows program with arguments (already in Windows form where they are paths): without
// a display, or on the X display that DISPLAY names when the program opens windows. Killed after
// kProgramLimitSeconds, with a note in its output.
Result run(const std::string& program, const std::vector<std::string>& arguments,
           bool withDisplay = false);
// Runs a Linux command line through the shell; killed after kProgramLimitSeconds, with a note
// in its output.
Result shell(const std::string& command);
// A word quoted for the shell.
std::string quoted(const std::string& word);
} // namespace wine
