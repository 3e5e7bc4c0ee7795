// vevadur-editor-probe BUNDLE SCREENSHOT.bmp [--dpi-aware] [--content-scale F] [--zoom-menu]:
// opens the plug-in's editor in vevadur-editor's window (the view attached to an HWND, as a
// Windows host does), lets it draw, saves what the window shows (counting the timer ticks
// meanwhile), then drags the "Gain" knob upwards with the mouse and turns the wheel one notch
// down over it, then types "0.25" into the "Speed" field. Last the editor asks for its size in a
// shrunk window. Prints "attached", "timer ticks N in T ms", "screenshot W H", "idle paints N in
// T ticks" (the editor window's WM_PAINTs while nothing changes), each parameter edit the
// plug-in reported ("edit ID VALUE"), "gain BEFORE -> AFTER" (the drag), "wheel VALUE", "speed
// TEXT" (the value text of the last "Speed" edit) and "resized W H accepted|refused" (the client
// area after the request, the view's answer). Before the resize it saves the window as
// SCREENSHOT.used.bmp after all that use and a stretch of random use (host changes, drags,
// exposures). With --dpi-aware the probe declares itself per-monitor DPI aware first, as a host
// that scales its windows does, and prints "editor window W H" (the editor's client area) after
// "attached". With --content-scale the host then gives the view that scale factor and prints
// "content scale W H" (the editor's client area then), and with --zoom-menu a right click opens
// the panel's menu, "Zoom: 200 %" is chosen ("zoom 200 W H"), then "Zoom: automatic" ("zoom
// automatic W H"). Last a fresh editor on the same parameters, drawn whole, is saved as
// SCREENSHOT.reopened.bmp and "reopened" printed. Exits 1 when the editor does not open.
#include "host/PluginInstance.h"
#include "host/PluginModule.h"
#include "host/editor/win32/EditorWindowWin32.h"

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

using namespace Steinberg;

namespace
{
// The "Gain" knob's centre in the editor: the panel container at (15, 15), its knob group at
// (150, 385), the 42-pixel knob at (16, 22) in the group.
constexpr int kGainX = 15 + 150 + 16 + 21;
constexpr int kGainY = 15 + 385 + 22 + 21;
// The "Speed" value field's centre: its knob group at (40, 295), the 45 x 15 field at (15, 67).
constexpr int kSpeedFieldX = 15 + 40 + 15 + 22;
constexpr int kSpeedFieldY = 15 + 295 + 67 + 7;
constexpr unsigned kSpeedId = 11;

// Delivers the thread's messages for a while, as a host's message loop does; returns how many
// were timer ticks, and counts the paints of one window where asked.
int pumpMessages(DWORD milliseconds, HWND painted = nullptr, int* paints = nullptr)
{
    int ticks = 0;
    const DWORD end = GetTickCount() + milliseconds;
    while (GetTickCount() < end)
    {
        MSG message;
        // A window that draws slower than its timer ticks never leaves the queue empty: the
        // deadline holds inside too.
        while (GetTickCount() < end && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        {
            if (message.message == WM_TIMER) ++ticks;
            if (paints && message.message == WM_PAINT && message.hwnd == painted) ++*paints;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    }
    return ticks;
}

// What the window shows on screen, as a 32-bit top-down BMP file.
bool saveScreenshot(HWND window, int width, int height, const char* path)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP image = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, image);
    const bool copied = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    bool written = false;
    if (copied && pixels)
    {
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
        file.bfSize = file.bfOffBits + static_cast<DWORD>(width * height * 4);
        if (FILE* out = std::fopen(path, "wb"))
        {
            written = std::fwrite(&file, sizeof(file), 1, out) == 1 &&
                      std::fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, out) == 1 &&
                      std::fwrite(pixels, 4, static_cast<size_t>(width * height), out) ==
                          static_cast<size_t>(width * height);
            written = std::fclose(out) == 0 && written;
        }
    }
    SelectObject(memory, previous);
    DeleteObject(image);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return written;
}

// A press on the knob, a move 40 pixels up in steps, a release: a user's drag.
void dragUp(HWND window, int x, int y)
{
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    for (int step = 1; step <= 8; ++step)
    {
        SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y - 5 * step));
        pumpMessages(10);
    }
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y - 40));
}
// A click into the field, its text deleted, "0.25" typed and Return pressed, as the keyboard
// delivers them: virtual keys for editing keys, characters for the rest.
void typeSpeed(HWND window)
{
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kSpeedFieldX, kSpeedFieldY));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(kSpeedFieldX, kSpeedFieldY));
    pumpMessages(100);
    for (int i = 0; i < 8; ++i)
    {
        SendMessageW(window, WM_KEYDOWN, VK_BACK, 0);
        SendMessageW(window, WM_KEYUP, VK_BACK, 0);
    }
    for (char c : std::string("0.25"))
        SendMessageW(window, WM_CHAR, static_cast<WPARAM>(c), 0);
    SendMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(window, WM_KEYUP, VK_RETURN, 0);
    pumpMessages(100);
}

// A right click at (40, 40) of the panel opens its menu; a click on one row chooses it.
void chooseZoom(HWND editor, double scale, int row)
{
    const auto at = [scale](double x, double y)
    { return MAKELPARAM(static_cast<int>(x * scale), static_cast<int>(y * scale)); };
    SendMessageW(editor, WM_RBUTTONDOWN, MK_RBUTTON, at(40, 40));
    SendMessageW(editor, WM_RBUTTONUP, 0, at(40, 40));
    pumpMessages(100);
    SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, at(60, 40 + 18 * row + 9));
    SendMessageW(editor, WM_LBUTTONUP, 0, at(60, 40 + 18 * row + 9));
    pumpMessages(300);
}

void printClientSize(const char* what, HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    std::printf("%s %ld %ld\n", what, client.right, client.bottom);
}

// Per-monitor DPI awareness (SetProcessDpiAwarenessContext, Windows 10 1703 and later, looked up
// at run time), else system awareness (Wine 8 implements only that one).
bool becomeDpiAware()
{
    using SetAwareness = BOOL(WINAPI*)(HANDLE);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    auto set = user32 ? reinterpret_cast<SetAwareness>(reinterpret_cast<void*>(
                            GetProcAddress(user32, "SetProcessDpiAwarenessContext")))
                      : nullptr;
    for (intptr_t context : {-4, -3})
        if (set && set(reinterpret_cast<HANDLE>(context))) return true;
    return SetProcessDPIAware();
}

// A stretch of random use between idle ticks: the host sets parameters, the user drags "Gain",
// the system asks for parts of the window again; the loop runs for random times in between.
void useAtRandom(Vst::IEditController& controller, HWND window)
{
    std::mt19937 random(21);
    const auto below = [&](int limit) { return static_cast<int>(random() % limit); };
    for (int step = 0; step < 60; ++step)
    {
        switch (below(4))
        {
        case 0:
        case 1:
            controller.setParamNormalized(static_cast<Vst::ParamID>(below(13)),
                                          below(1001) / 1000.0);
            break;
        case 2:
            dragUp(window, kGainX, kGainY + below(20));
            break;
        default:
        {
            const int x = below(280);
            const int y = below(560);
            RECT exposed{x, y, x + 1 + below(100), y + 1 + below(100)};
            InvalidateRect(window, &exposed, FALSE);
            break;
        }
        }
        pumpMessages(static_cast<DWORD>(below(120)));
    }
}
} // namespace

int main(int argc, char** argv)
{
    bool dpiAware = false;
    bool zoomMenu = false;
    double contentScale = 0;
    bool usable = argc >= 3;
    for (int i = 3; i < argc && usable; ++i)
    {
        const std::string option = argv[i];
        if (option == "--dpi-aware")
            dpiAware = true;
        else if (option == "--zoom-menu")
            zoomMenu = true;
        else if (option == "--content-scale" && i + 1 < argc)
            contentScale = std::atof(argv[++i]);
        else
            usable = false;
    }
    if (!usable)
    {
        std::fprintf(stderr, "usage: vevadur-editor-probe BUNDLE SCREENSHOT.bmp [--dpi-aware] "
                             "[--content-scale F] [--zoom-menu]\n");
        return 2;
    }
    if (dpiAware && !becomeDpiAware()) std::printf("cannot become DPI aware\n");
    std::string error;
    auto module = vevadur::host::PluginModule::load(argv[1], error);
    auto instance = module ? vevadur::host::PluginInstance::create(*module, "", error) : nullptr;
    if (!instance)
    {
        std::printf("cannot load: %s\n", error.c_str());
        return 1;
    }
    IPtr<IPlugView> view = owned(instance->controller().createView("editor"));
    ViewRect size;
    if (!view || view->isPlatformTypeSupported(kPlatformTypeHWND) != kResultTrue ||
        view->getSize(&size) != kResultTrue)
    {
        std::printf("no editor for HWND\n");
        return 1;
    }
    auto host = vevadur::host::EditorWindow::open(view, "VevadurROT", error);
    if (!host)
    {
        std::printf("attach failed: %s\n", error.c_str());
        return 1;
    }
    HWND window = host->handle();
    std::printf("attached %d %d\n", size.getWidth(), size.getHeight());
    HWND editor = GetWindow(window, GW_CHILD);
    if (dpiAware && editor)
    {
        RECT client{};
        GetClientRect(editor, &client);
        std::printf("editor window %ld %ld\n", client.right, client.bottom);
    }
    // The editor's idle timer (50 ms) ticks through the host's loop. A busy machine may stretch
    // the pump (the first drawing loads fonts), so the time is measured.
    const DWORD start = GetTickCount();
    const int ticks = pumpMessages(1500);
    std::printf("timer ticks %d in %lu ms\n", ticks, GetTickCount() - start);
    if (editor && saveScreenshot(editor, size.getWidth(), size.getHeight(), argv[2]))
        std::printf("screenshot %d %d\n", size.getWidth(), size.getHeight());
    int idlePaints = 0;
    const int idleTicks = pumpMessages(1000, editor, &idlePaints);
    std::printf("idle paints %d in %d ticks\n", idlePaints, idleTicks);
    const double before = instance->controller().getParamNormalized(0);
    if (editor) dragUp(editor, kGainX, kGainY);
    pumpMessages(300);
    const double dragged = instance->controller().getParamNormalized(0);
    if (editor)
    {
        // Wheel messages carry screen coordinates.
        POINT knob{kGainX, kGainY};
        ClientToScreen(editor, &knob);
        SendMessageW(editor, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                     MAKELPARAM(knob.x, knob.y));
        pumpMessages(100);
    }
    const double wheeled = instance->controller().getParamNormalized(0);
    if (editor) typeSpeed(editor);
    std::string speedText = "(none)";
    for (const auto& edit : instance->handler().edits())
    {
        std::printf("edit %u %.6f\n", static_cast<unsigned>(edit.id), edit.value);
        if (edit.id == kSpeedId) speedText = instance->valueText(kSpeedId, edit.value);
    }
    std::printf("gain %.6f -> %.6f\n", before, dragged);
    std::printf("wheel %.6f\n", wheeled);
    std::printf("speed %s\n", speedText.c_str());
    if (editor) useAtRandom(instance->controller(), editor);
    pumpMessages(300);
    const std::string used = std::string(argv[2]) + ".used.bmp";
    if (editor) saveScreenshot(editor, size.getWidth(), size.getHeight(), used.c_str());
    // The window made smaller, then the editor asks for its size: the client area must be
    // exactly that size again.
    SetWindowPos(window, nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
    ViewRect wanted(0, 0, size.getWidth(), size.getHeight());
    const bool accepted = host->resizeView(view, &wanted) == kResultTrue;
    RECT client{};
    GetClientRect(window, &client);
    std::printf("resized %ld %ld %s\n", client.right, client.bottom,
                accepted ? "accepted" : "refused");
    if (editor && contentScale > 0)
    {
        FUnknownPtr<IPlugViewContentScaleSupport> scaling(view);
        if (scaling) scaling->setContentScaleFactor(static_cast<float>(contentScale));
        pumpMessages(300);
        printClientSize("content scale", editor);
    }
    if (editor && zoomMenu)
    {
        // The menu opens where the click was; its 18-pixel rows list automatic, 100, 125, 150
        // and 200 %. Positions are in layout pixels, the messages in the window's pixels.
        const double scale = contentScale > 0 ? contentScale : 1.0;
        chooseZoom(editor, scale, 4);
        printClientSize("zoom 200", editor);
        chooseZoom(editor, 2.0, 0);
        printClientSize("zoom automatic", editor);
    }
    host.reset();
    view = nullptr;

    // A new editor on the same parameters draws everything afresh: the reference for what the
    // used one had painted piece by piece.
    view = owned(instance->controller().createView("editor"));
    host = view ? vevadur::host::EditorWindow::open(view, "VevadurROT", error) : nullptr;
    if (host)
    {
        pumpMessages(1000);
        const std::string reopened = std::string(argv[2]) + ".reopened.bmp";
        if (saveScreenshot(GetWindow(host->handle(), GW_CHILD), size.getWidth(), size.getHeight(),
                           reopened.c_str()))
            std::printf("reopened\n");
    }
    host.reset();
    view = nullptr;
    std::fflush(stdout);
    return 0;
}
