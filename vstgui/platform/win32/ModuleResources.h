#pragma once

// The module itself (thisModule, thisModulePath) is the toolkit's, one lookup on every platform.
#include "vstgui/ThisModule.h"

#include <string>

namespace VSTGUI::Win32
{
// Copies the module's resource of the given type, named by name in capitals ("zada.uidesc" is
// "ZADA.UIDESC"). False when the module has no such resource.
bool readModuleResource(const std::string& name, const std::string& type, std::string& bytes);
} // namespace VSTGUI::Win32
