#pragma once

#include <string>

namespace VSTGUI::Win32
{
// The module (DLL or program) whose code this is: the one whose resources the toolkit reads,
// found from the address of its own code as dladdr finds it on Linux.
void* thisModule();
// The full path of that module's file, UTF-8; empty if unknown.
std::string thisModulePath();
// Copies the module's resource of the given type, named by name in capitals ("zada.uidesc" is
// "ZADA.UIDESC"). False when the module has no such resource.
bool readModuleResource(const std::string& name, const std::string& type, std::string& bytes);
} // namespace VSTGUI::Win32
