// vevadur-module-probe DLL TYPE:NAME...: loads the plug-in DLL as a host does and reports each
// named resource ("found TYPE:NAME BYTES" or "missing TYPE:NAME") and the version block's
// strings ("version KEY=VALUE"). Exits 1 when a resource is missing or the DLL does not load.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace
{
void printVersionBlock(const char* path)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    std::vector<char> block(size);
    if (size == 0 || !GetFileVersionInfoA(path, 0, size, block.data())) return;
    for (const char* key : {"CompanyName", "FileDescription", "FileVersion", "InternalName",
                            "OriginalFilename", "ProductName", "ProductVersion"})
    {
        const std::string query = std::string("\\StringFileInfo\\040904B0\\") + key;
        char* value = nullptr;
        UINT length = 0;
        if (VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
            std::printf("version %s=%s\n", key, value);
    }
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: vevadur-module-probe DLL TYPE:NAME...\n");
        return 2;
    }
    HMODULE module = LoadLibraryA(argv[1]);
    if (!module)
    {
        std::printf("cannot load %s (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    int missing = 0;
    for (int i = 2; i < argc; ++i)
    {
        const std::string entry = argv[i];
        const size_t colon = entry.find(':');
        const std::string type = entry.substr(0, colon);
        const std::string name = colon == std::string::npos ? std::string() : entry.substr(colon + 1);
        HRSRC resource = FindResourceA(module, name.c_str(), type.c_str());
        if (!resource)
        {
            std::printf("missing %s\n", entry.c_str());
            ++missing;
            continue;
        }
        std::printf("found %s %lu\n", entry.c_str(), SizeofResource(module, resource));
    }
    printVersionBlock(argv[1]);
    FreeLibrary(module);
    return missing == 0 ? 0 : 1;
}
