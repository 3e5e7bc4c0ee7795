#include "host/VstPresetFile.h"

#include "base/source/fobject.h"
#include "pluginterfaces/base/funknown.h"
#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/vstpresetfile.h"

#include <fstream>
#include <iterator>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace vevadur::host
{
namespace
{
std::string escapedXml(const std::string& text)
{
    std::string result;
    for (char c : text)
    {
        switch (c)
        {
        case '&': result += "&amp;"; break;
        case '<': result += "&lt;"; break;
        case '>': result += "&gt;"; break;
        case '"': result += "&quot;"; break;
        default: result += c;
        }
    }
    return result;
}

bool readWholeFile(const std::string& path, std::vector<char>& bytes)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}
} // namespace

std::string presetMetaInfo(const std::string& presetName, const std::string& pluginName)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<MetaInfo>\n"
           "\t<Attr id=\"MediaType\" value=\"VstPreset\" type=\"string\" flags=\"writeProtected\"/>\n"
           "\t<Attr id=\"PlugInName\" value=\"" + escapedXml(pluginName) +
           "\" type=\"string\" flags=\"writeProtected\"/>\n"
           "\t<Attr id=\"PlugInCategory\" value=\"Fx|Reverb\" type=\"string\" flags=\"writeProtected\"/>\n"
           "\t<Attr id=\"Name\" value=\"" + escapedXml(presetName) + "\" type=\"string\" flags=\"\"/>\n"
           "</MetaInfo>\n";
}

bool writeVstPreset(const std::string& path, const VstPreset& preset, std::string& error)
{
    FUID classId;
    if (preset.classId.size() != 32 || !classId.fromString(preset.classId.c_str()))
    {
        error = "\"" + preset.classId + "\" is not a class id";
        return false;
    }
    std::vector<std::uint8_t> state = preset.componentState;
    MemoryStream component(state.empty() ? nullptr : state.data(),
                           static_cast<TSize>(state.size()));
    MemoryStream file;
    const char* xml = preset.metaInfo.empty() ? nullptr : preset.metaInfo.c_str();
    if (!PresetFile::savePreset(&file, classId, &component, nullptr, xml,
                                static_cast<int32>(preset.metaInfo.size())))
    {
        error = "cannot lay out the preset " + path;
        return false;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(file.getData(), static_cast<std::streamsize>(file.getSize()));
    out.close();
    if (!out)
    {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

bool readVstPreset(const std::string& path, VstPreset& preset, std::string& error)
{
    std::vector<char> bytes;
    if (!readWholeFile(path, bytes))
    {
        error = "cannot read " + path;
        return false;
    }
    MemoryStream stream(bytes.empty() ? nullptr : bytes.data(), static_cast<TSize>(bytes.size()));
    PresetFile file(&stream);
    const PresetFile::Entry* state = file.readChunkList() ? file.getEntry(kComponentState) : nullptr;
    if (!state || state->offset < 0 || state->size < 0 ||
        state->offset + state->size > static_cast<TSize>(bytes.size()))
    {
        error = path + " is not a VST3 preset with a component state";
        return false;
    }
    char classId[33] = {};
    file.getClassID().toString(classId);
    preset.classId = classId;
    const auto* begin = reinterpret_cast<const std::uint8_t*>(bytes.data()) + state->offset;
    preset.componentState.assign(begin, begin + state->size);
    preset.metaInfo.clear();
    if (const PresetFile::Entry* info = file.getEntry(kMetaInfo))
    {
        if (info->offset >= 0 && info->size >= 0 &&
            info->offset + info->size <= static_cast<TSize>(bytes.size()))
            preset.metaInfo.assign(bytes.data() + info->offset, static_cast<size_t>(info->size));
    }
    return true;
}

} // namespace vevadur::host
