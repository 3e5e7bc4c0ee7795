// The names LV2 hosts know the plug-in and its editor by. Hosts store them in their projects:
// they never change.
#pragma once

namespace Steinberg
{
namespace Vst
{
namespace Lv2Uris
{

constexpr const char* kPlugin = "urn:rovazuro:vevadurrot";
constexpr const char* kUi = "urn:rovazuro:vevadurrot#ui";
// The bundle's folder and the module inside it, as the generated manifest names them.
constexpr const char* kBundleName = "VevadurROT.lv2";
constexpr const char* kBinary = "Contents/x86_64-linux/VevadurROT.so";

} // namespace Lv2Uris
} // namespace Vst
} // namespace Steinberg
