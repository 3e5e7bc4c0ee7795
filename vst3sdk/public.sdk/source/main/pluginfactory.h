// The plug-in factory a module hands out from GetPluginFactory: factory information, a list of
// registered classes with their create functions, and IPluginFactory, 2 and 3 over that list.
#pragma once

#include "pluginterfaces/base/ipluginbase.h"

#include <vector>

namespace Steinberg
{

class CPluginFactory : public IPluginFactory3
{
  public:
    using CreateFunction = FUnknown* (*)(void* context);

    explicit CPluginFactory(const PFactoryInfo& info);
    virtual ~CPluginFactory();
    CPluginFactory(const CPluginFactory&) = delete;
    CPluginFactory& operator=(const CPluginFactory&) = delete;

    // Register a class; false when its class id is registered already or an argument is null.
    bool registerClass(const PClassInfo* info, CreateFunction createFunc, void* context = nullptr);
    bool registerClass(const PClassInfo2* info, CreateFunction createFunc, void* context = nullptr);
    bool registerClass(const PClassInfoW* info, CreateFunction createFunc, void* context = nullptr);
    bool isClassRegistered(const FUID& cid) const;
    void removeAllClasses();

    //---IPluginFactory
    tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) SMTG_OVERRIDE;
    int32 PLUGIN_API countClasses() SMTG_OVERRIDE;
    tresult PLUGIN_API getClassInfo(int32 index, PClassInfo* info) SMTG_OVERRIDE;
    tresult PLUGIN_API createInstance(FIDString cid, FIDString iid, void** obj) SMTG_OVERRIDE;

    //---IPluginFactory2
    tresult PLUGIN_API getClassInfo2(int32 index, PClassInfo2* info) SMTG_OVERRIDE;

    //---IPluginFactory3
    tresult PLUGIN_API getClassInfoUnicode(int32 index, PClassInfoW* info) SMTG_OVERRIDE;
    tresult PLUGIN_API setHostContext(FUnknown* context) SMTG_OVERRIDE;

    DECLARE_FUNKNOWN_METHODS

  private:
    struct ClassEntry
    {
        PClassInfo2 info8;
        PClassInfoW info16;
        CreateFunction createFunc = nullptr;
        void* context = nullptr;
    };

    bool addEntry(const ClassEntry& entry);
    const ClassEntry* entryAt(int32 index) const;

    PFactoryInfo factoryInfo;
    std::vector<ClassEntry> classes;
};

// The module's factory while one exists; the factory clears it when it is destroyed, so a
// module can hand out the same factory until the host lets go of it.
extern CPluginFactory* gPluginFactory;

} // namespace Steinberg
