// vevadur-lv2ttl MODULE BUNDLE_FOLDER: loads the plug-in module as a VST3 host does, reads its
// class and parameter list, and writes BUNDLE_FOLDER/manifest.ttl and VevadurROT.ttl.
#include "TurtleWriter.h"

#include "host/PluginInstance.h"
#include "host/PluginModule.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace
{
bool writeFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

// "1.2.3.4" gives minor 2 and micro 3, the LV2 version's parts.
void readVersion(const char* text, int& minor, int& micro)
{
    int major = 0;
    minor = micro = 0;
    std::sscanf(text, "%d.%d.%d", &major, &minor, &micro);
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: vevadur-lv2ttl MODULE.so BUNDLE_FOLDER\n");
        return 2;
    }
    std::string error;
    auto module = vevadur::host::PluginModule::load(argv[1], error);
    auto instance = module ? vevadur::host::PluginInstance::create(*module, "", error) : nullptr;
    if (!instance)
    {
        std::fprintf(stderr, "vevadur-lv2ttl: %s\n", error.c_str());
        return 1;
    }
    vevadur::lv2ttl::PluginFacts facts;
    const auto classes = module->classes();
    for (const auto& info : classes)
    {
        if (std::string(info.category) != kVstAudioEffectClass) continue;
        facts.name = info.name;
        facts.vendor = info.vendor[0] ? info.vendor : module->factoryInfo().vendor;
        readVersion(info.version, facts.minorVersion, facts.microVersion);
        break;
    }
    facts.homepage = module->factoryInfo().url;

    Steinberg::Vst::Lv2PortList ports;
    ports.build(instance->controller());
    const std::string folder = argv[2];
    if (!writeFile(folder + "/manifest.ttl", vevadur::lv2ttl::manifestTurtle()) ||
        !writeFile(folder + "/VevadurROT.ttl", vevadur::lv2ttl::pluginTurtle(ports, facts)))
    {
        std::fprintf(stderr, "vevadur-lv2ttl: cannot write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
