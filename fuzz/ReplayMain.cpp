// The corpus replay for builds without libFuzzer: runs the harness once on every file of the
// folders (or files) named on the command line, as libFuzzer does when given files. Ordinary
// test runs use it so that every input ever found stays a regression test.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace
{
std::vector<std::string> filesOf(const std::string& path)
{
    struct stat info{};
    if (stat(path.c_str(), &info) != 0) return {};
    if (!S_ISDIR(info.st_mode)) return {path};
    std::vector<std::string> files;
    if (DIR* dir = opendir(path.c_str()))
    {
        while (dirent* entry = readdir(dir))
            if (entry->d_name[0] != '.') files.push_back(path + "/" + entry->d_name);
        closedir(dir);
    }
    std::sort(files.begin(), files.end());
    return files;
}
} // namespace

int main(int argc, char** argv)
{
    size_t replayed = 0;
    for (int i = 1; i < argc; ++i)
    {
        const std::vector<std::string> files = filesOf(argv[i]);
        if (files.empty())
        {
            std::fprintf(stderr, "no inputs in %s\n", argv[i]);
            return 1;
        }
        for (const std::string& file : files)
        {
            std::ifstream in(file, std::ios::binary);
            const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
            // Printed first: an abort inside names the input that caused it.
            std::fprintf(stderr, "replaying %s\n", file.c_str());
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            ++replayed;
        }
    }
    std::printf("%zu inputs replayed without a finding\n", replayed);
    return 0;
}
