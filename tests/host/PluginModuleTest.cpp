// Loading modules through the binary interface, and refusing what is not one.
#include "host/PluginModule.h"
#include "host/PluginInstance.h"

#include <gtest/gtest.h>

using namespace vevadur::host;

TEST(PluginModule, BundleNamesItsSharedObject)
{
    EXPECT_EQ(PluginModule::libraryOf(VEVADUR_BUNDLE),
              std::string(VEVADUR_BUNDLE) + "/Contents/x86_64-linux/VevadurROT.so");
    EXPECT_EQ(PluginModule::libraryOf(std::string(VEVADUR_BUNDLE) + "/"),
              std::string(VEVADUR_BUNDLE) + "/Contents/x86_64-linux/VevadurROT.so");
    EXPECT_EQ(PluginModule::libraryOf("/some/file.so"), "/some/file.so");
}

TEST(PluginModule, LoadsABundleOrItsSharedObject)
{
    std::string error;
    auto byBundle = PluginModule::load(VEVADUR_PROBE_BUNDLE, error);
    ASSERT_TRUE(byBundle) << error;
    EXPECT_EQ(byBundle->classes().size(), 3u); // Probe, Probe Gliding, Probe Instrument
    auto bySharedObject = PluginModule::load(byBundle->libraryPath(), error);
    ASSERT_TRUE(bySharedObject) << error;
    EXPECT_EQ(&bySharedObject->factory(), &byBundle->factory()) << "one module, one factory";
}

TEST(PluginModule, RefusesWhatIsNotAModule)
{
    std::string error;
    EXPECT_FALSE(PluginModule::load("/nonexistent/Nothing.vst3", error));
    EXPECT_NE(error.find("/nonexistent/Nothing.vst3"), std::string::npos) << error;
    error.clear();
    EXPECT_FALSE(PluginModule::load("libz.so.1", error));
    EXPECT_NE(error.find("not a VST3 module"), std::string::npos) << error;
}

TEST(PluginInstance, NamesTheClassItCannotFind)
{
    std::string error;
    auto module = PluginModule::load(VEVADUR_PROBE_BUNDLE, error);
    ASSERT_TRUE(module);
    EXPECT_FALSE(PluginInstance::create(*module, "Nonesuch", error));
    EXPECT_NE(error.find("Nonesuch"), std::string::npos);
    auto first = PluginInstance::create(*module, "", error);
    ASSERT_TRUE(first) << error;
    EXPECT_TRUE(first->findParameter("Level"));
    EXPECT_EQ(PluginInstance::toUtf8(u"-\u221E dB \u00E9"), "-\xE2\x88\x9E dB \xC3\xA9");
}
