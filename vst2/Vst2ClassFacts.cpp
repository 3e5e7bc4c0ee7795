#include "Vst2ClassFacts.h"

#include "Vst2Abi.h"

#include "pluginterfaces/base/funknown.h"

#include <cstring>

namespace Steinberg
{
namespace Vst
{

namespace
{
std::string boundedText(const char8* text, size_t capacity)
{
    return std::string(text, strnlen(text, capacity));
}

bool hasSubCategory(const char* list, const char* wanted)
{
    const size_t n = std::strlen(wanted);
    for (const char* p = list; p && *p;)
    {
        const char* end = std::strchr(p, '|');
        const size_t len = end ? static_cast<size_t>(end - p) : std::strlen(p);
        if (len == n && std::strncmp(p, wanted, n) == 0) return true;
        p = end ? end + 1 : nullptr;
    }
    return false;
}
} // namespace

bool Vst2ClassFacts::read(IPluginFactory& factory, const TUID classId)
{
    PFactoryInfo factoryInfo{};
    factory.getFactoryInfo(&factoryInfo);
    vendor = boundedText(factoryInfo.vendor, PFactoryInfo::kNameSize);

    FUnknownPtr<IPluginFactory2> factory2(&factory);
    const int32 n = factory.countClasses();
    for (int32 i = 0; i < n; ++i)
    {
        PClassInfo info{};
        if (factory.getClassInfo(i, &info) != kResultOk ||
            !FUnknownPrivate::iidEqual(info.cid, classId))
            continue;
        name = boundedText(info.name, PClassInfo::kNameSize);
        PClassInfo2 info2{};
        if (factory2 && factory2->getClassInfo2(i, &info2) == kResultOk)
        {
            if (info2.vendor[0]) vendor = boundedText(info2.vendor, PClassInfo2::kVendorSize);
            version = vst2VersionOf(info2.version);
            category = vst2CategoryOf(info2.subCategories);
        }
        else
            category = vst2CategoryOf("");
        return true;
    }
    return false;
}

int32 vst2VersionOf(const char* versionText)
{
    int32 parts[4] = {0, 0, 0, 0};
    const char* p = versionText ? versionText : "";
    for (int32 k = 0; k < 4 && *p >= '0' && *p <= '9'; ++k)
    {
        int32 v = 0;
        for (; *p >= '0' && *p <= '9'; ++p)
            v = v < 100000 ? v * 10 + (*p - '0') : v;
        parts[k] = k == 0 ? v : (v > 9 ? 9 : v);
        if (*p != '.') break;
        ++p;
    }
    return parts[0] * 1000 + parts[1] * 100 + parts[2] * 10 + parts[3];
}

int32 vst2CategoryOf(const char* subCategories)
{
    struct Match
    {
        const char* name;
        int32 category;
    };
    static const Match kMatches[] = {
        {"Instrument", Vst2Abi::kCategorySynth},        {"Generator", Vst2Abi::kCategoryGenerator},
        {"Reverb", Vst2Abi::kCategoryRoomFx},           {"Spatial", Vst2Abi::kCategorySpatial},
        {"Analyzer", Vst2Abi::kCategoryAnalysis},       {"Mastering", Vst2Abi::kCategoryMastering},
        {"Restoration", Vst2Abi::kCategoryRestoration},
    };
    for (const Match& m : kMatches)
        if (hasSubCategory(subCategories, m.name)) return m.category;
    return Vst2Abi::kCategoryEffect;
}

} // namespace Vst
} // namespace Steinberg
