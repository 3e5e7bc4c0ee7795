// Resources are found by name in <bundle>/Contents/Resources, the folder beside the one that
// holds the module; absolute paths stand for themselves.
#include "vstgui/ResourceLocator.h"

#include <gtest/gtest.h>

#include <climits>
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
