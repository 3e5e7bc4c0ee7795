// PluginModule on Windows: the bundle's DLL (Contents/x86_64-win/NAME.vst3) loaded with
// LoadLibrary, entered with InitDll and left with ExitDll.
#include "host/PluginModule.h"

#include "pluginterfaces/base/funknown.h"

#include <windows.h>

using namespace Steinberg;

namespace vevadur::host
{
namespace
{
bool isDirectory(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string withoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\'))
        path.pop_back();
    return path;
}

std::string lastError()
{
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, GetLastError(), 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = text ? text : "unknown error";
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
        message.pop_back();
    return message;
}

template <typename Function> Function lookUp(void* module, const char* name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name)));
}
} // namespace

std::string PluginModule::libraryOf(const std::string& bundlePath)
{
    const std::string bundle = withoutTrailingSlashes(bundlePath);
    if (!isDirectory(bundle)) return bundle;
    // The DLL is named as the bundle folder, extension and all.
    const std::string name = bundle.substr(bundle.find_last_of("/\\") + 1);
    return bundle + "\\Contents\\x86_64-win\\" + name;
}

std::unique_ptr<PluginModule> PluginModule::load(const std::string& path, std::string& error)
{
    std::unique_ptr<PluginModule> module(new PluginModule);
    module->m_libraryPath = libraryOf(path);
    module->m_handle = LoadLibraryA(module->m_libraryPath.c_str());
    if (!module->m_handle)
    {
        error = "cannot load " + module->m_libraryPath + ": " + lastError();
        return nullptr;
    }
    using EntryFunction = bool (*)();
    auto entry = lookUp<EntryFunction>(module->m_handle, "InitDll");
    auto exit = lookUp<EntryFunction>(module->m_handle, "ExitDll");
    auto getFactory = lookUp<GetFactoryProc>(module->m_handle, "GetPluginFactory");
    if (!entry || !exit || !getFactory)
    {
        error = module->m_libraryPath + " is not a VST3 module (entry points missing)";
        return nullptr;
    }
    if (!entry())
    {
        error = module->m_libraryPath + ": InitDll failed";
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
    if (m_handle) FreeLibrary(static_cast<HMODULE>(m_handle));
}
} // namespace vevadur::host
