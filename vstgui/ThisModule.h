#pragma once

#include <string>

namespace VSTGUI
{
// The module (plug-in library or program) that holds the toolkit's code, found from the address
// of that code: the module whose resources the toolkit reads. Its handle is its load address,
// which on Windows is its instance handle; null if unknown. Implemented once per platform
// (ThisModule.cpp with dladdr, platform/win32/ModuleResources.cpp).
void* thisModule();
// That module's file as the loader names it, UTF-8; empty if unknown.
std::string thisModulePath();
} // namespace VSTGUI
