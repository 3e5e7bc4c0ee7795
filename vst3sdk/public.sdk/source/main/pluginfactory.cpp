#include "public.sdk/source/main/pluginfactory.h"

#include "pluginterfaces/base/fstrdefs.h"

#include <cstring>

namespace Steinberg
{

CPluginFactory* gPluginFactory = nullptr;

namespace
{
// 16-bit text to 8-bit: characters beyond ASCII become '?'; always terminated.
void narrowText(char8* dst, const char16* src, int32 capacity)
{
    int32 i = 0;
    for (; i < capacity - 1 && src[i] != 0; ++i)
        dst[i] = src[i] < 0x80 ? static_cast<char8>(src[i]) : '?';
    for (; i < capacity; ++i)
        dst[i] = 0;
}

PClassInfo2 toInfo2(const PClassInfoW& w)
{
    PClassInfo2 a;
    std::memcpy(a.cid, w.cid, sizeof(TUID));
    a.cardinality = w.cardinality;
    std::memcpy(a.category, w.category, sizeof(a.category));
    narrowText(a.name, w.name, PClassInfo::kNameSize);
    a.classFlags = w.classFlags;
    std::memcpy(a.subCategories, w.subCategories, sizeof(a.subCategories));
    narrowText(a.vendor, w.vendor, PClassInfo2::kVendorSize);
    narrowText(a.version, w.version, PClassInfo2::kVersionSize);
    narrowText(a.sdkVersion, w.sdkVersion, PClassInfo2::kVersionSize);
    return a;
}
} // namespace

CPluginFactory::CPluginFactory(const PFactoryInfo& info)
    : factoryInfo(info){FUNKNOWN_CTOR}

      CPluginFactory::~CPluginFactory()
{
    if (gPluginFactory == this) gPluginFactory = nullptr;
    FUNKNOWN_DTOR
}

IMPLEMENT_REFCOUNT(CPluginFactory)

tresult PLUGIN_API CPluginFactory::queryInterface(const TUID iid, void** obj)
{
    if (!obj) return kInvalidArgument;
    QUERY_INTERFACE(iid, obj, FUnknown::iid, IPluginFactory)
    QUERY_INTERFACE(iid, obj, IPluginFactory::iid, IPluginFactory)
    QUERY_INTERFACE(iid, obj, IPluginFactory2::iid, IPluginFactory2)
    QUERY_INTERFACE(iid, obj, IPluginFactory3::iid, IPluginFactory3)
    *obj = nullptr;
    return kNoInterface;
}

// ---- registration --------------------------------------------------------------------------

bool CPluginFactory::addEntry(const ClassEntry& entry)
{
    if (!entry.createFunc || isClassRegistered(FUID::fromTUID(entry.info8.cid))) return false;
    classes.push_back(entry);
    return true;
}

bool CPluginFactory::registerClass(const PClassInfo* info, CreateFunction createFunc, void* context)
{
    if (!info) return false;
    PClassInfo2 info2(info->cid, info->cardinality, info->category, info->name, 0, nullptr, nullptr,
                      nullptr, nullptr);
    return registerClass(&info2, createFunc, context);
}

bool CPluginFactory::registerClass(const PClassInfo2* info, CreateFunction createFunc,
                                   void* context)
{
    if (!info) return false;
    ClassEntry entry;
    entry.info8 = *info;
    entry.info16.fromAscii(*info);
    entry.createFunc = createFunc;
    entry.context = context;
    return addEntry(entry);
}

bool CPluginFactory::registerClass(const PClassInfoW* info, CreateFunction createFunc,
                                   void* context)
{
    if (!info) return false;
    ClassEntry entry;
    entry.info8 = toInfo2(*info);
    entry.info16 = *info;
    entry.createFunc = createFunc;
    entry.context = context;
    return addEntry(entry);
}

bool CPluginFactory::isClassRegistered(const FUID& cid) const
{
    for (const ClassEntry& entry : classes)
    {
        if (FUID::fromTUID(entry.info8.cid) == cid) return true;
    }
    return false;
}

void CPluginFactory::removeAllClasses()
{
    classes.clear();
}

const CPluginFactory::ClassEntry* CPluginFactory::entryAt(int32 index) const
{
    if (index < 0 || index >= static_cast<int32>(classes.size())) return nullptr;
    return &classes[static_cast<size_t>(index)];
}

// ---- IPluginFactory, 2, 3 ------------------------------------------------------------------

tresult PLUGIN_API CPluginFactory::getFactoryInfo(PFactoryInfo* info)
{
    if (!info) return kInvalidArgument;
    *info = factoryInfo;
    return kResultOk;
}

int32 PLUGIN_API CPluginFactory::countClasses()
{
    return static_cast<int32>(classes.size());
}

tresult PLUGIN_API CPluginFactory::getClassInfo(int32 index, PClassInfo* info)
{
    const ClassEntry* entry = entryAt(index);
    if (!info || !entry) return kInvalidArgument;
    *info = PClassInfo(entry->info8.cid, entry->info8.cardinality, entry->info8.category,
                       entry->info8.name);
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfo2(int32 index, PClassInfo2* info)
{
    const ClassEntry* entry = entryAt(index);
    if (!info || !entry) return kInvalidArgument;
    *info = entry->info8;
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfoUnicode(int32 index, PClassInfoW* info)
{
    const ClassEntry* entry = entryAt(index);
    if (!info || !entry) return kInvalidArgument;
    *info = entry->info16;
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::setHostContext(FUnknown*)
{
    return kNotImplemented;
}

tresult PLUGIN_API CPluginFactory::createInstance(FIDString cid, FIDString iid, void** obj)
{
    if (!obj) return kInvalidArgument;
    *obj = nullptr;
    if (!cid || !iid) return kInvalidArgument;
    for (const ClassEntry& entry : classes)
    {
        if (!FUnknownPrivate::iidEqual(entry.info8.cid, cid)) continue;
        FUnknown* instance = entry.createFunc(entry.context);
        if (!instance) return kOutOfMemory;
        // The new object starts with one reference: queryInterface adds the caller's, and
        // releasing ours leaves the caller as the only owner (or frees it on failure).
        const tresult result = instance->queryInterface(iid, obj);
        instance->release();
        if (result != kResultOk) *obj = nullptr;
        return result;
    }
    return kNoInterface;
}

} // namespace Steinberg
