#include "vstgui/platform/win32/Win32Frame.h"

#include "vstgui/COffscreenContext.h"
#include "vstgui/ScaleFactor.h"
#include "vstgui/platform/win32/Gdiplus.h"
#include "vstgui/platform/win32/ModuleResources.h"
#include "vstgui/platform/win32/ModuleWindowClass.h"
#include "vstgui/platform/win32/Win32Input.h"
#include "vstgui/platform/win32/WindowDpi.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace VSTGUI::Win32
{
namespace
{
constexpr const wchar_t* kWindowKind = L"VevadurFrame";
// Windows 10 1607 and later; older headers may lack them.
constexpr UINT kDpiChanged = 0x02E0;            // WM_DPICHANGED, to top-level windows
constexpr UINT kDpiChangedAfterParent = 0x02E3; // WM_DPICHANGED_AFTERPARENT, to child windows

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
    {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* frame = reinterpret_cast<Win32Frame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    intptr_t result = 0;
    if (frame && frame->handleMessage(message, wParam, lParam, result)) return result;
    return DefWindowProcW(window, message, wParam, lParam);
}

// The whole device pixels that cover a rectangle of layout pixels, inside the window.
CRect pixelBounds(const CRect& rect, double scale, int width, int height)
{
    return ScaleFactor::toDeviceBounds(rect, scale).bound(CRect(0, 0, width, height));
}
} // namespace

Win32Frame::Win32Frame(CFrame& frame) : m_frame(frame) {}

std::unique_ptr<Win32Frame> Win32Frame::create(CFrame& frame, HWND parent)
{
    std::unique_ptr<Win32Frame> platformFrame(new Win32Frame(frame));
    if (!platformFrame->open(parent)) return nullptr;
    frame.setPlatformFrame(platformFrame.get());
    frame.invalid();
    return platformFrame;
}

bool Win32Frame::open(HWND parent)
{
    const HCURSOR arrow = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    if (!parent || !IsWindow(parent) ||
        !registerModuleWindowClass(kWindowKind, &windowProcedure, CS_DBLCLKS, arrow))
        return false;
    ensureGdiplus();
    m_width = ScaleFactor::toDevice(m_frame.getWidth(), m_frame.getScaleFactor());
    m_height = ScaleFactor::toDevice(m_frame.getHeight(), m_frame.getScaleFactor());
    m_backBuffer = std::make_unique<Gdiplus::Bitmap>(m_width, m_height, PixelFormat32bppPARGB);
    m_window =
        CreateWindowExW(0, moduleWindowClassName(kWindowKind).c_str(), L"",
                        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, m_width,
                        m_height, parent, nullptr, static_cast<HINSTANCE>(thisModule()), this);
    return m_window != nullptr;
}

Win32Frame::~Win32Frame()
{
    m_frame.setPlatformFrame(nullptr);
    if (m_window)
    {
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        DestroyWindow(m_window);
    }
}

void Win32Frame::invalidRect(const CRect& rect)
{
    const CRect r = pixelBounds(rect, m_frame.getScaleFactor(), m_width, m_height);
    if (!m_window || r.isEmpty()) return;
    RECT area{static_cast<LONG>(r.left), static_cast<LONG>(r.top), static_cast<LONG>(r.right),
              static_cast<LONG>(r.bottom)};
    InvalidateRect(m_window, &area, FALSE);
}

void Win32Frame::setSize(const CRect& size)
{
    const int width = ScaleFactor::toDevice(size.getWidth(), m_frame.getScaleFactor());
    const int height = ScaleFactor::toDevice(size.getHeight(), m_frame.getScaleFactor());
    if (width == m_width && height == m_height) return;
    m_width = width;
    m_height = height;
    m_backBuffer = std::make_unique<Gdiplus::Bitmap>(m_width, m_height, PixelFormat32bppPARGB);
    if (m_window) SetWindowPos(m_window, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOMOVE);
    m_frame.invalid();
}

void Win32Frame::paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_window, &ps);
    // The back buffer keeps the whole picture: what changed is drawn into it, and the window
    // gets what it asks for (an exposure needs no drawing) and what was just drawn.
    const double scale = m_frame.getScaleFactor();
    std::vector<CRect> areas;
    {
        Gdiplus::Graphics graphics(m_backBuffer.get());
        CDrawContext context(&graphics, &m_frame.getTextRenderer(), scale);
        // Painted in frame coordinates on whole device pixels: the same pixels times the scale.
        for (const CRect& painted : m_frame.paintDirtyRects(&context))
            areas.push_back(pixelBounds(painted, scale, m_width, m_height));
    }
    areas.push_back(CRect(ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom)
                        .bound(CRect(0, 0, m_width, m_height)));
    Gdiplus::Graphics window(dc);
    window.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    for (const CRect& area : areas)
    {
        if (area.isEmpty()) continue;
        window.DrawImage(m_backBuffer.get(), static_cast<INT>(area.left),
                         static_cast<INT>(area.top), static_cast<INT>(area.left),
                         static_cast<INT>(area.top), static_cast<INT>(area.getWidth()),
                         static_cast<INT>(area.getHeight()), Gdiplus::UnitPixel);
    }
    EndPaint(m_window, &ps);
}

void Win32Frame::onMouseDown(int32_t button, intptr_t lParam, bool doubleClick)
{
    // The window keeps the mouse while a button is held, as a drag outside it expects.
    if (m_buttonsDown == 0) SetCapture(m_window);
    m_buttonsDown |= button;
    CPoint where = toLayout(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    int32_t buttons = m_buttonsDown | heldModifiers();
    if (doubleClick) buttons |= kDoubleClick;
    m_frame.onMouseDown(where, buttons);
    if (m_frame.getFocusView()) SetFocus(m_window);
}

void Win32Frame::onMouseUp(int32_t button, intptr_t lParam)
{
    m_buttonsDown &= ~button;
    if (m_buttonsDown == 0) ReleaseCapture();
    CPoint where = toLayout(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    m_frame.onMouseUp(where, button | heldModifiers());
}

CPoint Win32Frame::toLayout(int x, int y) const
{
    return ScaleFactor::toLayout(CPoint(x, y), m_frame.getScaleFactor());
}

void Win32Frame::onMouseMove(intptr_t lParam)
{
    CPoint where = toLayout(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    m_frame.onMouseMoved(where, m_buttonsDown | heldModifiers());
}

void Win32Frame::onWheel(uintptr_t wParam, intptr_t lParam)
{
    // Wheel positions come in screen coordinates, in steps of WHEEL_DELTA per notch.
    POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(m_window, &screen);
    const float distance = static_cast<float>(GET_WHEEL_DELTA_WPARAM(wParam)) / WHEEL_DELTA;
    m_frame.onWheel(toLayout(screen.x, screen.y), distance, heldModifiers());
}

void Win32Frame::onDpiChanged()
{
    const double scale = scaleOfWindow(m_window);
    if (scale > 0 && m_dpiChanged) m_dpiChanged(scale);
}

void Win32Frame::onKey(uintptr_t wParam, bool down)
{
    // Space and printable keys arrive as characters (WM_CHAR).
    const unsigned char key = virtualKeyOf(static_cast<uint32_t>(wParam));
    if (key == 0 || key == VKEY_SPACE) return;
    VstKeyCode code;
    code.virt = key;
    code.modifier = keyModifiers();
    if (down)
        m_frame.onKeyDown(code);
    else
        m_frame.onKeyUp(code);
}

void Win32Frame::onCharacter(uintptr_t wParam)
{
    if (wParam < 0x20 || wParam == 0x7f) return; // control characters came as virtual keys
    VstKeyCode code;
    code.character = static_cast<int32_t>(wParam);
    code.modifier = keyModifiers();
    m_frame.onKeyDown(code);
}

bool Win32Frame::handleMessage(unsigned message, uintptr_t wParam, intptr_t lParam,
                               intptr_t& result)
{
    result = 0;
    switch (message)
    {
    case WM_PAINT:
        paint();
        return true;
    case WM_ERASEBKGND:
        result = 1;
        return true; // the whole area is drawn by paint()
    case WM_LBUTTONDOWN:
        onMouseDown(kLButton, lParam, false);
        return true;
    case WM_LBUTTONDBLCLK:
        onMouseDown(kLButton, lParam, true);
        return true;
    case WM_RBUTTONDOWN:
        onMouseDown(kRButton, lParam, false);
        return true;
    case WM_RBUTTONDBLCLK:
        onMouseDown(kRButton, lParam, true);
        return true;
    case WM_MBUTTONDOWN:
        onMouseDown(kMButton, lParam, false);
        return true;
    case WM_MBUTTONDBLCLK:
        onMouseDown(kMButton, lParam, true);
        return true;
    case WM_LBUTTONUP:
        onMouseUp(kLButton, lParam);
        return true;
    case WM_RBUTTONUP:
        onMouseUp(kRButton, lParam);
        return true;
    case WM_MBUTTONUP:
        onMouseUp(kMButton, lParam);
        return true;
    case WM_MOUSEMOVE:
        onMouseMove(lParam);
        return true;
    case WM_MOUSEWHEEL:
        onWheel(wParam, lParam);
        return true;
    case WM_CAPTURECHANGED:
        m_buttonsDown = 0;
        return true;
    case WM_KEYDOWN:
        onKey(wParam, true);
        return true;
    case WM_KEYUP:
        onKey(wParam, false);
        return true;
    case WM_CHAR:
        onCharacter(wParam);
        return true;
    case WM_GETDLGCODE:
        result = DLGC_WANTALLKEYS;
        return true;
    case kDpiChanged:
    case kDpiChangedAfterParent:
        onDpiChanged();
        return true;
    case WM_NCDESTROY:
        // The host destroyed its window, and ours with it: nothing is left to destroy later.
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        m_window = nullptr;
        return false;
    case WM_KILLFOCUS:
        // Keyboard focus moved to another window: a text being typed is committed.
        m_frame.setFocusView(nullptr);
        return true;
    default:
        return false;
    }
}
} // namespace VSTGUI::Win32
