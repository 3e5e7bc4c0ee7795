#include "host/PluginModule.h"

#include "pluginterfaces/base/funknown.h"

#ifndef _WIN32
#include <dlfcn.h>
#include <sys/stat.h>
#endif

using namespace Steinberg;

namespace vevadur::host
{
#ifndef _WIN32 // Windows loads DLLs in win32/PluginModuleWin32.cpp
namespace
{
bool isDirectory(const std::string& path)
{
    struct stat info
    {
    };
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string withoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}
} // namespace

std::string PluginModule::libraryOf(const std::string& bundlePath)
{
    const std::string bundle = withoutTrailingSlashes(bundlePath);
    if (!isDirectory(bundle)) return bundle;
    // The shared object is named after the bundle folder, without ".vst3".
    std::string name = bundle.substr(bundle.find_last_of('/') + 1);
    const std::string extension = ".vst3";
    if (name.size() > extension.size() &&
        name.compare(name.size() - extension.size(), extension.size(), extension) == 0)
        name.resize(name.size() - extension.size());
    return bundle + "/Contents/x86_64-linux/" + name + ".so";
}

std::unique_ptr<PluginModule> PluginModule::load(const std::string& path, std::string& error)
{
    std::unique_ptr<PluginModule> module(new PluginModule);
    module->m_libraryPath = libraryOf(path);
    module->m_handle = dlopen(module->m_libraryPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module->m_handle)
    {
        const char* reason = dlerror();
        error = "cannot load " + module->m_libraryPath + ": " + (reason ? reason : "unknown");
        return nullptr;
    }
    using EntryFunction = bool (*)(void*);
    using ExitFunction = bool (*)();
    auto entry = reinterpret_cast<EntryFunction>(dlsym(module->m_handle, "ModuleEntry"));
    auto exit = reinterpret_cast<ExitFunction>(dlsym(module->m_handle, "ModuleExit"));
    auto getFactory = reinterpret_cast<GetFactoryProc>(dlsym(module->m_handle, "GetPluginFactory"));
    if (!entry || !exit || !getFactory)
    {
        error = module->m_libraryPath + " is not a VST3 module (entry points missing)";
        return nullptr;
    }
    if (!entry(module->m_handle))
    {
        error = module->m_libraryPath + ": ModuleEntry failed";
        return nullptr;
    }
    module->m_moduleExit = exit;
    module->m_factory = getFactory();
    if (!module->m_factory)
    {
        error = module->m_libraryPath + ": GetPluginFactory returned no factory";
        return nullptr;
    }
    return module;
}

PluginModule::~PluginModule()
{
    if (m_factory) m_factory->release();
    if (m_moduleExit) m_moduleExit();
    if (m_handle) dlclose(m_handle);
}

#endif

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
