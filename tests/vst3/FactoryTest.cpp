// The module's exports, its factory and the class it lists, as hosts see them.
#include "PluginTestSupport.h"

#include "pluginterfaces/vst/vsttypes.h"

#include <dlfcn.h>

namespace vevadur::test
{
namespace
{
std::string text8(const char8* field)
{
    return field;
}

// The module's handle, already loaded by the test's module().
void* moduleHandle()
{
    void* handle = dlopen(module(VEVADUR_BUNDLE).libraryPath().c_str(), RTLD_NOW | RTLD_NOLOAD);
    EXPECT_NE(handle, nullptr);
    return handle;
}
} // namespace

TEST(Factory, FactoryInformationNamesTheVendor)
{
    const PFactoryInfo info = module(VEVADUR_BUNDLE).factoryInfo();
    EXPECT_EQ(text8(info.vendor), "Rovazuro");
    EXPECT_EQ(text8(info.email), "VevadurROT 0.0.1.0");
    EXPECT_FALSE(text8(info.url).empty());
    EXPECT_EQ(info.flags, PFactoryInfo::kUnicode);
}

TEST(Factory, ListsOneAudioEffectClass)
{
    const std::vector<PClassInfo2> classes = module(VEVADUR_BUNDLE).classes();
    ASSERT_EQ(classes.size(), 1u);
    const PClassInfo2& info = classes[0];
    EXPECT_EQ(text8(info.category), "Audio Module Class");
    EXPECT_EQ(text8(info.name), "VevadurROT");
    EXPECT_EQ(text8(info.subCategories), "FX|Reverb");
    EXPECT_EQ(text8(info.vendor), "");
    EXPECT_EQ(text8(info.version), "0.0.1.0");
    EXPECT_EQ(text8(info.sdkVersion), kVstVersionString);
    EXPECT_EQ(info.cardinality, PClassInfo::kManyInstances);
    EXPECT_EQ(info.classFlags, 0u);
    // Hosts store the class id in projects: it must never change.
    char8 cid[33] = {};
    FUID::fromTUID(info.cid).toString(cid);
    EXPECT_EQ(text8(cid), "5A3C91E247B04F6D9E21C8A53D7F0B14");
}

TEST(Factory, UnicodeClassInformationMatches)
{
    FUnknownPtr<IPluginFactory3> factory(&module(VEVADUR_BUNDLE).factory());
    ASSERT_TRUE(factory);
    PClassInfoW info;
    ASSERT_EQ(factory->getClassInfoUnicode(0, &info), kResultOk);
    EXPECT_EQ(utf8(info.name), "VevadurROT");
    EXPECT_EQ(utf8(info.version), "0.0.1.0");
    EXPECT_EQ(utf8(info.sdkVersion), kVstVersionString);
    EXPECT_EQ(text8(info.subCategories), "FX|Reverb");
    EXPECT_NE(factory->getClassInfoUnicode(1, &info), kResultOk);
    PClassInfo basic;
    EXPECT_NE(factory->getClassInfo(-1, &basic), kResultOk);
}

TEST(Factory, LaterCallsHandOutTheSameFactory)
{
    void* handle = moduleHandle();
    auto getFactory = reinterpret_cast<GetFactoryProc>(dlsym(handle, "GetPluginFactory"));
    ASSERT_NE(getFactory, nullptr);
    IPluginFactory* first = getFactory();
    IPluginFactory* second = getFactory();
    EXPECT_EQ(first, &module(VEVADUR_BUNDLE).factory());
    EXPECT_EQ(second, first);
    // Each call added a reference: handing both back leaves the module's own.
    second->release();
    first->release();
    EXPECT_EQ(module(VEVADUR_BUNDLE).classes().size(), 1u);
    dlclose(handle);
}

TEST(Factory, ExportsOnlyTheModuleEntryPoints)
{
    void* handle = moduleHandle();
    for (const char* name : {"GetPluginFactory", "ModuleEntry", "ModuleExit"})
        EXPECT_NE(dlsym(handle, name), nullptr) << name;
    // The factory pointer and the processor's class id are internal.
    for (const char* name :
         {"_ZN9Steinberg14gPluginFactoryE", "_ZN9Steinberg3Vst9Veru2ZOR39Processor3cidE"})
        EXPECT_EQ(dlsym(handle, name), nullptr) << name;
    dlclose(handle);
}

TEST(Factory, CreatesInstancesOnlyOfItsClass)
{
    IPluginFactory& factory = module(VEVADUR_BUNDLE).factory();
    const PClassInfo2 info = module(VEVADUR_BUNDLE).classes().at(0);
    void* object = nullptr;
    ASSERT_EQ(factory.createInstance(info.cid, IAudioProcessor::iid, &object), kResultOk);
    ASSERT_NE(object, nullptr);
    static_cast<IAudioProcessor*>(object)->release();

    const TUID unknown = INLINE_UID(1, 2, 3, 4);
    object = reinterpret_cast<void*>(1);
    EXPECT_NE(factory.createInstance(unknown, IComponent::iid, &object), kResultOk);
    EXPECT_EQ(object, nullptr);
    // A class the object does not implement: nothing handed out, nothing leaked.
    EXPECT_NE(factory.createInstance(info.cid, IPluginFactory::iid, &object), kResultOk);
    EXPECT_EQ(object, nullptr);
}

} // namespace vevadur::test
