// The module that holds this code on Linux: the shared object (or program) dladdr names for the
// address of one of its functions.
#include "vstgui/ThisModule.h"

#include <dlfcn.h>

namespace VSTGUI
{
namespace
{
bool lookUp(Dl_info& info)
{
    return dladdr(reinterpret_cast<void*>(&thisModule), &info) != 0;
}
} // namespace

void* thisModule()
{
    Dl_info info{};
    return lookUp(info) ? info.dli_fbase : nullptr;
}

std::string thisModulePath()
{
    Dl_info info{};
    return lookUp(info) && info.dli_fname ? std::string(info.dli_fname) : std::string();
}
} // namespace VSTGUI
