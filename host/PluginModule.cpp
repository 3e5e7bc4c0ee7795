// What PluginModule does alike on every platform; loading and unloading are the platform's
// (PluginModuleLinux.cpp, win32/PluginModuleWin32.cpp).
#include "host/PluginModule.h"

#include "pluginterfaces/base/funknown.h"

using namespace Steinberg;

namespace vevadur::host
{
std::unique_ptr<PluginModule> PluginModule::linkedIn(IPluginFactory* factory)
{
    if (!factory) return nullptr;
    std::unique_ptr<PluginModule> module(new PluginModule);
    module->m_factory = factory;
    return module;
}

PFactoryInfo PluginModule::factoryInfo() const
{
    PFactoryInfo info;
    m_factory->getFactoryInfo(&info);
    return info;
}

std::vector<PClassInfo2> PluginModule::classes() const
{
    std::vector<PClassInfo2> list;
    FUnknownPtr<IPluginFactory2> factory2(m_factory);
    const int32 count = m_factory->countClasses();
    for (int32 i = 0; i < count; ++i)
    {
        PClassInfo2 info;
        if (factory2 && factory2->getClassInfo2(i, &info) == kResultOk)
        {
            list.push_back(info);
            continue;
        }
        PClassInfo basic;
        if (m_factory->getClassInfo(i, &basic) == kResultOk)
            list.emplace_back(basic.cid, basic.cardinality, basic.category, basic.name, 0, nullptr,
                              nullptr, nullptr, nullptr);
    }
    return list;
}

} // namespace vevadur::host
