#include "host/editor/win32/EditorWindowWin32.h"

#include <vector>

namespace vevadur::host
{

using namespace Steinberg;

namespace
{
constexpr wchar_t kWindowClass[] = L"VevadurEditorHost";
// An editor that cannot resize gets a frame without sizing border and maximize box.
constexpr DWORD kFixedStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kResizableStyle = WS_OVERLAPPEDWINDOW;

std::wstring wide(const std::string& utf8)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    if (length <= 0) return L"";
    std::vector<wchar_t> text(static_cast<size_t>(length));
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, text.data(), length);
    return text.data();
}
} // namespace

std::unique_ptr<EditorWindow> EditorWindow::open(IPlugView* view, const std::string& title,
                                                 std::string& error)
{
    if (!view)
    {
        error = "the plug-in has no editor";
        return nullptr;
    }
    if (view->isPlatformTypeSupported(kPlatformTypeHWND) != kResultTrue)
    {
        error = "the editor does not support Win32 windows";
        return nullptr;
    }
    ViewRect size;
    if (view->getSize(&size) != kResultTrue || size.getWidth() <= 0 || size.getHeight() <= 0)
    {
        error = "the editor reports no size";
        return nullptr;
    }
    std::unique_ptr<EditorWindow> editor(new EditorWindow(view));
    editor->m_resizable = view->canResize() == kResultTrue;
    if (!editor->create(size.getWidth(), size.getHeight(), title))
    {
        error = "cannot create a window";
        return nullptr;
    }
    view->setFrame(editor.get());
    if (view->attached(editor->m_window, kPlatformTypeHWND) != kResultTrue)
    {
        error = "the editor cannot attach to the window";
        return nullptr;
    }
    editor->m_attached = true;
    return editor;
}

bool EditorWindow::create(int width, int height, const std::string& title)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kWindowClass;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;
    const DWORD style = (m_resizable ? kResizableStyle : kFixedStyle) | WS_CLIPCHILDREN;
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    m_window = CreateWindowExW(0, kWindowClass, wide(title).c_str(), style, CW_USEDEFAULT,
                               CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                               nullptr, nullptr, instance, this);
    if (!m_window) return false;
    ShowWindow(m_window, SW_SHOWNORMAL);
    return true;
}

EditorWindow::~EditorWindow()
{
    if (m_attached) m_view->removed();
    m_view->setFrame(nullptr);
    if (m_window) DestroyWindow(m_window);
}

void EditorWindow::resizeClientArea(int width, int height)
{
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(m_window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(m_window, GWL_EXSTYLE)));
    SetWindowPos(m_window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

tresult PLUGIN_API EditorWindow::resizeView(IPlugView* view, ViewRect* newSize)
{
    if (view != m_view || !newSize || newSize->getWidth() <= 0 || newSize->getHeight() <= 0)
        return kInvalidArgument;
    // The view hears its new size once, from here, not again from WM_SIZE.
    m_resizingForView = true;
    resizeClientArea(newSize->getWidth(), newSize->getHeight());
    m_resizingForView = false;
    return view->onSize(newSize);
}

LRESULT EditorWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_CLOSE:
        m_closeRequested = true;
        return 0;
    case WM_SIZE:
        // The user sized a resizable editor's window: the view follows within its constraints.
        if (m_attached && m_resizable && !m_resizingForView && wParam != SIZE_MINIMIZED)
        {
            ViewRect size(0, 0, LOWORD(lParam), HIWORD(lParam));
            if (m_view->checkSizeConstraint(&size) == kResultTrue) m_view->onSize(&size);
        }
        return 0;
    default:
        return DefWindowProcW(m_window, message, wParam, lParam);
    }
}

LRESULT CALLBACK EditorWindow::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam)
{
    if (message == WM_NCCREATE)
    {
        auto* self =
            static_cast<EditorWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<EditorWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->onMessage(message, wParam, lParam)
                : DefWindowProcW(window, message, wParam, lParam);
}

tresult PLUGIN_API EditorWindow::queryInterface(const TUID iid, void** obj)
{
    QUERY_INTERFACE(iid, obj, FUnknown::iid, IPlugFrame)
    QUERY_INTERFACE(iid, obj, IPlugFrame::iid, IPlugFrame)
    *obj = nullptr;
    return kNoInterface;
}

} // namespace vevadur::host
