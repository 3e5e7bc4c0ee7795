#pragma once

#include "pluginterfaces/base/ipluginbase.h"

#include <memory>
#include <string>
#include <vector>

namespace vevadur::host
{

// A VST3 module loaded through its binary interface: the library of a bundle (a shared object
// opened with dlopen and entered with ModuleEntry on Linux, a DLL loaded with LoadLibrary and
// entered with InitDll on Windows), asked for its factory. Unloading runs ModuleExit / ExitDll.
class PluginModule
{
  public:
    // Loads a bundle (NAME.vst3, whose NAME.so sits in Contents/x86_64-linux) or a shared
    // object given directly. Null with a reason in `error` when that fails.
    static std::unique_ptr<PluginModule> load(const std::string& path, std::string& error);
    // A module linked into this program, given by its factory (this takes the reference):
    // nothing to load or unload. For the fuzzing harnesses, which need the plug-in in-process.
    static std::unique_ptr<PluginModule> linkedIn(Steinberg::IPluginFactory* factory);

    ~PluginModule();
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    Steinberg::IPluginFactory& factory() const { return *m_factory; }
    const std::string& libraryPath() const { return m_libraryPath; }

    Steinberg::PFactoryInfo factoryInfo() const;
    // The class list, in the factory's order (extended information where the factory has it).
    std::vector<Steinberg::PClassInfo2> classes() const;

    // The shared object a bundle's path stands for.
    static std::string libraryOf(const std::string& bundlePath);

  private:
    PluginModule() = default;

    void* m_handle = nullptr;
    Steinberg::IPluginFactory* m_factory = nullptr;
    bool (*m_moduleExit)() = nullptr;
    std::string m_libraryPath;
};

} // namespace vevadur::host
