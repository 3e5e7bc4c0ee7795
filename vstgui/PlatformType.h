#pragma once

namespace VSTGUI
{
// The kind of native parent window an editor opens in.
enum PlatformType
{
    kHWND,
    kHIView,
    kNSView,
    kUIView,
    kX11EmbedWindowID,
    kDefaultNative
};
} // namespace VSTGUI
