// Resources are found by name in <bundle>/Contents/Resources, the folder beside the one that
// holds the module; absolute paths stand for themselves.
#include "vstgui/ResourceLocator.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

using namespace VSTGUI;

namespace
{
std::string executablePath()
{
    char path[PATH_MAX] = {};
    ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    return length > 0 ? std::string(path, static_cast<size_t>(length)) : std::string();
}

std::string parent(const std::string& path)
{
    return path.substr(0, path.find_last_of('/'));
}
} // namespace

TEST(ResourceLocator, TheModuleFolderIsBesideTheBinarysFolder)
{
    // This test binary is the module here: <dir>/<subdir>/binary -> <dir>/Resources.
    EXPECT_EQ(ResourceLocator::moduleResourceFolder(),
              parent(parent(executablePath())) + "/Resources");
}

TEST(ResourceLocator, AModuleReachedThroughALinkUsesItsBundlesResources)
{
    // As installed for VST2 hosts: ~/.vst/Name.so links to the binary inside the bundle.
    char pattern[] = "/tmp/vstgui-link-XXXXXX";
    const std::string root = mkdtemp(pattern);
    const std::string binaryFolder = root + "/Name.vst3/Contents/x86_64-linux";
    ASSERT_EQ(system(("mkdir -p '" + binaryFolder + "' '" + root + "/vst'").c_str()), 0);
    std::ofstream(binaryFolder + "/Name.so") << "module";
    ASSERT_EQ(symlink((binaryFolder + "/Name.so").c_str(), (root + "/vst/Name.so").c_str()), 0);
    char real[PATH_MAX] = {};
    ASSERT_TRUE(realpath(root.c_str(), real));
    const std::string expected = std::string(real) + "/Name.vst3/Contents/Resources";
    EXPECT_EQ(ResourceLocator::resourceFolderOf(root + "/vst/Name.so"), expected);
    EXPECT_EQ(ResourceLocator::resourceFolderOf(binaryFolder + "/Name.so"), expected);
    EXPECT_EQ(ResourceLocator::resourceFolderOf("missing/relative.so"), "");
    EXPECT_EQ(system(("rm -rf '" + root + "'").c_str()), 0);
}

TEST(ResourceLocator, FindsNamesInAFolderAndAbsolutePaths)
{
    char pattern[] = "/tmp/vstgui-resources-XXXXXX";
    std::string folder = mkdtemp(pattern);
    std::ofstream(folder + "/zada.uidesc") << "<vstgui-ui-description/>";
    EXPECT_EQ(ResourceLocator::findResource("zada.uidesc", folder), folder + "/zada.uidesc");
    EXPECT_EQ(ResourceLocator::findResource(folder + "/zada.uidesc"), folder + "/zada.uidesc");
    EXPECT_EQ(ResourceLocator::findResource("ZADA.UIDESC", folder), ""); // names are exact
    EXPECT_EQ(ResourceLocator::findResource("missing.png", folder), "");
    EXPECT_EQ(ResourceLocator::findResource("", folder), "");
    EXPECT_EQ(ResourceLocator::findResource(".", folder), ""); // a folder is no resource
}
