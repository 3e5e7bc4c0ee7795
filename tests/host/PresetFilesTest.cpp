// VST3 preset files as our host writes and reads them, and how the renderer finds a preset by
// its name.
#include "host/VstPresetFile.h"
#include "host/render/PresetLocation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace vevadur;
namespace fs = std::filesystem;

namespace
{
class PresetFilesTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/vevadur-preset-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string touch(const fs::path& path, const std::string& contents = "x")
    {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << contents;
        return path.string();
    }

    fs::path folder;
    std::string error;
};

const host::VstPreset kPreset{"5A3C91E247B04F6D9E21C8A53D7F0B14", {1, 2, 3, 0, 255},
                              host::presetMetaInfo("Tom & \"Jerry\"", "VevadurROT")};
} // namespace

TEST_F(PresetFilesTest, WrittenPresetsReadBackWithTheirStateAndName)
{
    const std::string path = (folder / "p.vstpreset").string();
    ASSERT_TRUE(host::writeVstPreset(path, kPreset, error)) << error;
    host::VstPreset read;
    ASSERT_TRUE(host::readVstPreset(path, read, error)) << error;
    EXPECT_EQ(read.classId, kPreset.classId);
    EXPECT_EQ(read.componentState, kPreset.componentState);
    EXPECT_EQ(read.metaInfo, kPreset.metaInfo);
    EXPECT_NE(read.metaInfo.find("value=\"Tom &amp; &quot;Jerry&quot;\""), std::string::npos)
        << "the name is escaped for XML";
    // The published layout: 'VST3', version 1, the class id in ASCII, the state right after.
    std::ifstream file(path, std::ios::binary);
    std::string head(48 + 5, '\0');
    file.read(head.data(), static_cast<std::streamsize>(head.size()));
    EXPECT_EQ(head.substr(0, 4), "VST3");
    EXPECT_EQ(head.substr(8, 32), kPreset.classId);
    EXPECT_EQ(head.substr(48), std::string("\1\2\3\0\xff", 5));
}

TEST_F(PresetFilesTest, AnythingElseIsRefused)
{
    host::VstPreset read;
    EXPECT_FALSE(host::readVstPreset((folder / "missing.vstpreset").string(), read, error));
    EXPECT_FALSE(host::readVstPreset(touch(folder / "text.vstpreset", "not a preset"), read, error));
    EXPECT_NE(error.find("is not a VST3 preset"), std::string::npos) << error;
    const std::string path = (folder / "cut.vstpreset").string();
    ASSERT_TRUE(host::writeVstPreset(path, kPreset, error));
    fs::resize_file(path, 50); // cut inside the state: the chunk list is gone
    EXPECT_FALSE(host::readVstPreset(path, read, error));
    host::VstPreset badId = kPreset;
    badId.classId = "not hex";
    EXPECT_FALSE(host::writeVstPreset(path, badId, error));
}

TEST_F(PresetFilesTest, NamesAreFoundInTheFirstFolderThatHasThem)
{
    EXPECT_EQ(render::presetSubfolder("Ro:va*", "Vev/ROT"), (fs::path("Ro_va_") / "Vev_ROT").string());
    const fs::path factory = folder / "bundle" / "Contents" / "Resources" / "Presets" / "VST3" /
                             "Maker" / "Plug";
    const fs::path user = folder / "user";
    const std::string first = touch(factory / "Small Room.vstpreset");
    touch(user / "Small Room.vstpreset");
    const std::string mine = touch(user / "Mine.vstpreset");
    touch(user / "Notes.txt");
    const std::vector<std::string> folders = {factory.string(), user.string()};
    EXPECT_EQ(render::presetFolders((folder / "bundle").string(), "Maker", "Plug").front(),
              factory.string());

    std::string path;
    ASSERT_TRUE(render::locatePreset("Small Room", folders, path, error)) << error;
    EXPECT_EQ(path, first);
    ASSERT_TRUE(render::locatePreset("mine", folders, path, error)) << error;
    EXPECT_EQ(path, mine);
    ASSERT_TRUE(render::locatePreset(first, {}, path, error)) << "a file is taken as it is";
    EXPECT_EQ(path, first);
    EXPECT_FALSE(render::locatePreset("Notes", folders, path, error));
    EXPECT_NE(error.find("Mine, Small Room"), std::string::npos) << "names the presets: " << error;
    EXPECT_FALSE(render::locatePreset("Hall", {(folder / "none").string()}, path, error));
}
