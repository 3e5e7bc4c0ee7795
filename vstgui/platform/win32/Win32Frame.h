#pragma once

#include "vstgui/CFrame.h"

#include <functional>
#include <memory>

struct HWND__;
typedef HWND__* HWND;

namespace Gdiplus
{
class Bitmap;
}

namespace VSTGUI::Win32
{
// A frame on screen on Windows: a child window in the host's window (the HWND an IPlugView is
// attached to). Mouse, wheel and keyboard messages go to the frame; invalidated areas are drawn
// with GDI+ into a lasting image, and on WM_PAINT the window gets what changed and what it
// asks for. Nothing is drawn while nothing changed. Messages arrive through the host's own
// message loop: no thread of its own. The window has the frame's size times its scale; message
// positions reach the frame in layout pixels.
class Win32Frame : public IPlatformFrame
{
  public:
    // Creates and shows the window in parent at the frame's size and becomes the frame's
    // platform frame. Null when parent is not a window.
    static std::unique_ptr<Win32Frame> create(CFrame& frame, HWND parent);
    // Detaches from the frame, then destroys the window.
    ~Win32Frame() override;
    Win32Frame(const Win32Frame&) = delete;
    Win32Frame& operator=(const Win32Frame&) = delete;

    HWND getWindow() const { return m_window; }
    // Told the window's new scale when Windows changes its DPI (a move to another monitor).
    void setDpiChangeHandler(std::function<void(double)> handler)
    {
        m_dpiChanged = std::move(handler);
    }

    // IPlatformFrame
    void invalidRect(const CRect& rect) override;
    void setSize(const CRect& size) override;

    // The window procedure's work, for one message; false for messages left to Windows.
    bool handleMessage(unsigned message, uintptr_t wParam, intptr_t lParam, intptr_t& result);

  private:
    explicit Win32Frame(CFrame& frame);
    bool open(HWND parent);
    void paint();
    CPoint toLayout(int x, int y) const;
    void onDpiChanged();
    void onMouseDown(int32_t button, intptr_t lParam, bool doubleClick);
    void onMouseUp(int32_t button, intptr_t lParam);
    void onMouseMove(intptr_t lParam);
    void onWheel(uintptr_t wParam, intptr_t lParam);
    void onKey(uintptr_t wParam, bool down);
    void onCharacter(uintptr_t wParam);

    CFrame& m_frame;
    HWND m_window = nullptr;
    std::unique_ptr<Gdiplus::Bitmap> m_backBuffer;
    int m_width = 0;
    int m_height = 0;
    int32_t m_buttonsDown = 0;
    std::function<void(double)> m_dpiChanged;
};
} // namespace VSTGUI::Win32
