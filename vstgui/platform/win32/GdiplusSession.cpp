#include "vstgui/platform/win32/Gdiplus.h"

#include <mutex>

namespace VSTGUI::Win32
{
void ensureGdiplus()
{
    static std::once_flag started;
    std::call_once(started,
                   []
                   {
                       Gdiplus::GdiplusStartupInput input;
                       ULONG_PTR token = 0;
                       Gdiplus::GdiplusStartup(&token, &input, nullptr);
                   });
}
} // namespace VSTGUI::Win32
