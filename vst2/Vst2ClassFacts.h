// What a VST2 host asks about the plug-in class itself, read once from the VST3 factory: name,
// vendor, version and the VST2 category its sub-categories suggest.
#pragma once

#include "pluginterfaces/base/ipluginbase.h"

#include <string>

namespace Steinberg
{
namespace Vst
{

struct Vst2ClassFacts
{
    std::string name;
    std::string vendor; // the class's own vendor, else the factory's
    int32 version = 0;  // the version text in the A...ABCD form of VST2 (1.2.3.4 is 1234)
    int32 category = 0; // a VST2 plug-in category

    // false when the factory does not list the class.
    bool read(IPluginFactory& factory, const TUID classId);
};

// "1.2.3.4" to 1234; each part after the first counts as one decimal digit (larger ones are
// clamped to 9); missing parts are 0, text after the numbers is ignored.
int32 vst2VersionOf(const char* versionText);
// The VST2 category for a "|"-separated VST3 sub-category list.
int32 vst2CategoryOf(const char* subCategories);

} // namespace Vst
} // namespace Steinberg
