// vevadur-presetgen --plugin BUNDLE DATA OUT: the factory presets of the data file as files
// hosts load: OUT/VST3/VENDOR/PLUGIN/NAME.vstpreset (laid out as in a user's VST3 preset
// folder, named as the factory names vendor and class) and OUT/VST2/NAME.fxp. The states come from the built
// plug-in itself (see PresetState.h); files of presets no longer in the data file are removed.
#include "host/PluginModule.h"
#include "host/VstPresetFile.h"
#include "host/render/PresetLocation.h"
#include "tools/presetgen/FactoryPresets.h"
#include "tools/presetgen/FxpFile.h"
#include "tools/presetgen/PresetState.h"
#include "tools/presetgen/Vst2IdentityReader.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;
using namespace vevadur;

namespace
{
int fail(const std::string& message)
{
    std::fprintf(stderr, "vevadur-presetgen: %s\n", message.c_str());
    return 1;
}

// An empty folder of its own for each format.
bool freshFolder(const fs::path& folder, const char* extension)
{
    std::error_code error;
    fs::create_directories(folder, error);
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    {
        if (it->path().extension() == extension) fs::remove(it->path());
    }
    return !error;
}

bool writeBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 5 || std::strcmp(argv[1], "--plugin") != 0)
    {
        std::fprintf(stderr, "usage: %s --plugin BUNDLE DATA OUT\n", argv[0]);
        return 2;
    }
    const std::string bundle = argv[2];
    const fs::path out = argv[4];
    std::string error;
    std::vector<presets::FactoryPreset> bank;
    if (!presets::readFactoryPresets(argv[3], bank, error)) return fail(error);
    std::unique_ptr<host::PluginModule> module = host::PluginModule::load(bundle, error);
    if (!module) return fail(error);
    presets::Vst2Identity identity;
    if (!presets::readVst2Identity(module->libraryPath(), identity, error)) return fail(error);
    const std::vector<Steinberg::PClassInfo2> classes = module->classes();
    if (classes.empty()) return fail(bundle + " lists no class");
    char classId[33] = {};
    Steinberg::FUID::fromTUID(classes.front().cid).toString(classId);

    const fs::path vst3 = out / "VST3" /
                          render::presetSubfolder(module->factoryInfo().vendor, classes.front().name);
    std::error_code ignored;
    fs::remove_all(out / "VST3", ignored);
    if (!freshFolder(vst3, ".vstpreset") || !freshFolder(out / "VST2", ".fxp"))
        return fail("cannot prepare " + out.string());
    for (const presets::FactoryPreset& preset : bank)
    {
        std::vector<std::uint8_t> state;
        if (!presets::presetState(*module, preset, state, error))
            return fail("preset \"" + preset.name + "\": " + error);
        const host::VstPreset file{classId, state,
                                   host::presetMetaInfo(preset.name, classes.front().name)};
        if (!host::writeVstPreset((vst3 / (preset.name + ".vstpreset")).string(), file, error))
            return fail(error);
        const fs::path fxp = out / "VST2" / (preset.name + ".fxp");
        if (!writeBytes(fxp, presets::fxpProgramFile(identity, preset.name, state)))
            return fail("cannot write " + fxp.string());
    }
    std::printf("vevadur-presetgen: %zu presets in %s\n", bank.size(), out.string().c_str());
    return 0;
}
