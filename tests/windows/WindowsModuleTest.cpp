// The cross-built DLL as Windows hosts see it: its bundle layout, exports, imports, resources
// and version block.
#include "WineRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <sstream>
#include <sys/stat.h>

namespace
{
const std::string kDll = "VevadurROT.vst3/Contents/x86_64-win/VevadurROT.vst3";

bool isFolder(const std::string& path)
{
    struct stat info{};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string objdump()
{
    wine::Result dump = wine::shell(std::string(VEVADUR_MINGW_OBJDUMP) + " -p " +
                                    wine::quoted(wine::windowsBuild(kDll)));
    EXPECT_EQ(dump.status, 0) << dump.output;
    return dump.output;
}

// The names in objdump's export name table.
std::set<std::string> exportedNames(const std::string& dump)
{
    std::set<std::string> names;
    std::istringstream lines(dump.substr(dump.find("[Ordinal/Name Pointer] Table")));
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line) && line.find('[') != std::string::npos)
        names.insert(line.substr(line.find(']') + 2));
    return names;
}

std::set<std::string> importedLibraries(const std::string& dump)
{
    std::set<std::string> names;
    std::istringstream lines(dump);
    std::string line;
    const std::string marker = "DLL Name: ";
    while (std::getline(lines, line))
    {
        const size_t at = line.find(marker);
        if (at == std::string::npos) continue;
        std::string name = line.substr(at + marker.size());
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        names.insert(name);
    }
    return names;
}
} // namespace

TEST(WindowsModule, BundleHoldsTheDllAndAResourceFolder)
{
    struct stat info{};
    EXPECT_EQ(stat(wine::windowsBuild(kDll).c_str(), &info), 0);
    EXPECT_TRUE(isFolder(wine::windowsBuild("VevadurROT.vst3/Contents/Resources")));
}

TEST(WindowsModule, ExportsTheFourEntryPointsUndecoratedAndNothingElse)
{
    EXPECT_EQ(exportedNames(objdump()),
              (std::set<std::string>{"ExitDll", "GetPluginFactory", "InitDll", "VSTPluginMain"}));
}

TEST(WindowsModule, ImportsOnlyLibrariesThatEveryWindowsHas)
{
    // The C and C++ runtimes are linked in: no libstdc++, libgcc or winpthread DLL.
    const std::set<std::string> system{"kernel32.dll", "user32.dll", "gdi32.dll", "gdiplus.dll",
                                       "ole32.dll",    "shlwapi.dll", "msvcrt.dll",
                                       "advapi32.dll"};
    const std::set<std::string> imports = importedLibraries(objdump());
    EXPECT_FALSE(imports.empty());
    for (const std::string& name : imports)
        EXPECT_TRUE(system.count(name)) << name << " is not a system library";
}

TEST(WindowsModule, ResourcesLoadByNameUnderWindows)
{
    std::vector<std::string> arguments{wine::windowsPath(wine::windowsBuild(kDll)),
                                       "DATA:ZADA.UIDESC"};
    for (const char* bitmap : {"GREYMETAL.PNG", "CHICKENHEAD2.PNG", "CHICKENHEAD3.PNG",
                               "KNOB.PNG", "MEDTOGGLESWITCH.PNG", "KNOBVST.PNG"})
        arguments.push_back(std::string("PNG:") + bitmap);
    wine::Result probe = wine::run(
        wine::windowsBuild("tests/windows/programs/vevadur-module-probe.exe"), arguments);
    EXPECT_EQ(probe.status, 0) << probe.output;
    // The document compiled in is the one the Linux bundle carries, byte for byte.
    struct stat document{};
    ASSERT_EQ(stat((std::string(VEVADUR_UI_RESOURCES) + "/zada.uidesc").c_str(), &document), 0);
    EXPECT_NE(probe.output.find("found DATA:ZADA.UIDESC " + std::to_string(document.st_size)),
              std::string::npos)
        << probe.output;
}

TEST(WindowsModule, VersionBlockNamesProductVendorAndVersion)
{
    wine::Result probe =
        wine::run(wine::windowsBuild("tests/windows/programs/vevadur-module-probe.exe"),
                  {wine::windowsPath(wine::windowsBuild(kDll))});
    EXPECT_EQ(probe.status, 0) << probe.output;
    for (const char* line :
         {"version ProductName=VevadurROT", "version CompanyName=Rovazuro",
          "version FileVersion=0.0.1.0", "version ProductVersion=0.0.1.0",
          "version FileDescription=Acoustic Room Model + Rotation VST",
          "version InternalName=VevadurROT", "version OriginalFilename=VevadurROT.vst3"})
        EXPECT_NE(probe.output.find(line), std::string::npos) << line << "\n" << probe.output;
}
