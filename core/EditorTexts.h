// The texts the editor sends its controller (receiveText): a tick of its idle timer, and a
// rebuilt view.
#pragma once

namespace EditorTexts
{
constexpr char kTimerPing[] = "VSTGUITimerPing";
constexpr char kRecreateView[] = "RecreateView";
} // namespace EditorTexts
