// The renderer's command line and its parameter settings.
#include "host/render/RenderOptions.h"
#include "host/PluginModule.h"
#include "host/render/ParameterSetting.h"

#include <gtest/gtest.h>

using namespace vevadur;
using namespace vevadur::render;

namespace
{
bool parse(std::vector<std::string> args, RenderOptions& options, std::string& error)
{
    options = RenderOptions();
    error.clear();
    return parseOptions(args, options, error);
}
} // namespace

TEST(RenderOptions, FilesSettingsBlockAndTail)
{
    RenderOptions o;
    std::string error;
    ASSERT_TRUE(parse({"in.wav", "--set", "Position=L45", "--block=128", "out.wav", "--set",
                       "Speed=0.5", "--tail", "2.5", "--plugin", "/x/VevadurROT.vst3", "--preset",
                       "Tight Booth"},
                      o, error))
        << error;
    EXPECT_EQ(o.input, "in.wav");
    EXPECT_EQ(o.output, "out.wav");
    ASSERT_EQ(o.settings.size(), 2u);
    EXPECT_EQ(o.settings[0], std::make_pair(std::string("Position"), std::string("L45")));
    EXPECT_EQ(o.settings[1].second, "0.5");
    EXPECT_EQ(o.blockSize, 128);
    EXPECT_EQ(o.tailSeconds, 2.5);
    EXPECT_EQ(o.plugin, "/x/VevadurROT.vst3");
    EXPECT_EQ(o.preset, "Tight Booth");

    ASSERT_TRUE(parse({"a", "b"}, o, error));
    EXPECT_EQ(o.blockSize, 512);
    EXPECT_FALSE(o.tailSeconds);
    ASSERT_TRUE(parse({"--help"}, o, error));
    EXPECT_TRUE(o.help);
}

TEST(RenderOptions, RefusesWhatItCannotDo)
{
    RenderOptions o;
    std::string error;
    for (std::vector<std::string> args : {std::vector<std::string>{"in.wav"},
                                          {"in.wav", "out.wav", "extra.wav"},
                                          {"in.wav", "out.wav", "--block", "0"},
                                          {"in.wav", "out.wav", "--block", "100000"},
                                          {"in.wav", "out.wav", "--block", "12.5"},
                                          {"in.wav", "out.wav", "--tail", "-1"},
                                          {"in.wav", "out.wav", "--tail", "nan"},
                                          {"in.wav", "out.wav", "--set", "Speed"},
                                          {"in.wav", "out.wav", "--set", "=3"},
                                          {"in.wav", "out.wav", "--set"},
                                          {"in.wav", "out.wav", "--preset"},
                                          {"in.wav", "out.wav", "--preset="},
                                          {"in.wav", "out.wav", "--preset", "A", "--preset", "B"},
                                          {"in.wav", "out.wav", "--loud"}})
    {
        EXPECT_FALSE(parse(args, o, error)) << args.back();
        EXPECT_FALSE(error.empty());
    }
}

class ParameterSettingTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        std::string error;
        module = host::PluginModule::load(VEVADUR_BUNDLE, error);
        ASSERT_TRUE(module) << error;
        instance = host::PluginInstance::create(*module, "", error);
        ASSERT_TRUE(instance) << error;
    }
    bool resolve(const std::string& title, const std::string& value)
    {
        error.clear();
        return resolveSetting(*instance, title, value, setting, error);
    }

    std::unique_ptr<host::PluginModule> module;
    std::unique_ptr<host::PluginInstance> instance;
    ParameterSetting setting;
    std::string error;
};

TEST_F(ParameterSettingTest, ListedAndPlainValues)
{
    ASSERT_TRUE(resolve("Position", "L45")) << error;
    EXPECT_EQ(setting.id, 1u);
    EXPECT_DOUBLE_EQ(setting.normalized, 0.3);
    ASSERT_TRUE(resolve("position", "r90"));
    EXPECT_DOUBLE_EQ(setting.normalized, 1.0);
    ASSERT_TRUE(resolve("Position", "2"));
    EXPECT_DOUBLE_EQ(setting.normalized, 0.2);
    ASSERT_TRUE(resolve("Speed", "0.5"));
    EXPECT_EQ(setting.id, 11u);
    EXPECT_DOUBLE_EQ(setting.normalized, 0.0625);
    ASSERT_TRUE(resolve("Abs L-R", "14"));
    EXPECT_DOUBLE_EQ(setting.normalized, 1.0);
    ASSERT_TRUE(resolve("Reverse", "ON"));
    EXPECT_DOUBLE_EQ(setting.normalized, 1.0);
}

TEST_F(ParameterSettingTest, ExplainsWhatIsWrong)
{
    EXPECT_FALSE(resolve("Spin", "1"));
    EXPECT_NE(error.find("unknown parameter \"Spin\""), std::string::npos) << error;
    EXPECT_NE(error.find("Position"), std::string::npos) << "lists the parameters";
    EXPECT_FALSE(resolve("Speed", "9"));
    EXPECT_NE(error.find("0 to 8"), std::string::npos) << error;
    EXPECT_FALSE(resolve("Speed", "fast"));
    EXPECT_FALSE(resolve("Speed", "nan"));
    EXPECT_FALSE(resolve("Position", "L46"));
    EXPECT_NE(error.find("L45"), std::string::npos) << "lists the items";
    EXPECT_FALSE(resolve("Position", "11"));
}
