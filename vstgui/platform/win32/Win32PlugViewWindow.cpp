// A plug view's window on Windows: a child of the host's HWND, its messages and timers served by
// the host's message loop; its scale follows the window's DPI.
#include "vstgui/platform/win32/Win32Frame.h"
#include "vstgui/platform/win32/Win32TimerScheduler.h"
#include "vstgui/platform/win32/WindowDpi.h"
#include "vstgui/plugin-bindings/PlugViewWindow.h"

namespace VSTGUI
{
namespace
{
class Win32PlugViewWindow : public PlugViewWindow
{
  public:
    ~Win32PlugViewWindow() override { disconnect(); }

    Steinberg::FIDString platformTypeName() const override { return Steinberg::kPlatformTypeHWND; }
    PlatformType platformType() const override { return kHWND; }

    bool connect(Steinberg::IPlugFrame*) override
    {
        m_timers = std::make_unique<Win32::Win32TimerScheduler>();
        return true;
    }

    ITimerScheduler* timerScheduler() override { return m_timers.get(); }

    bool openWindow(CFrame& frame, void* parent) override
    {
        m_window = Win32::Win32Frame::create(frame, static_cast<HWND>(parent));
        if (!m_window) return false;
        m_window->setDpiChangeHandler([this](double scale) { scaleChanged(scale); });
        return true;
    }

    void closeWindow() override { m_window.reset(); }

    void disconnect() override
    {
        closeWindow();
        m_timers.reset();
    }

    double systemScaleFactor(void* parent) override
    {
        if (parent) return Win32::scaleOfWindow(static_cast<HWND>(parent));
        return Win32::scaleOfWindow(m_window ? m_window->getWindow() : nullptr);
    }

  private:
    std::unique_ptr<Win32::Win32TimerScheduler> m_timers;
    std::unique_ptr<Win32::Win32Frame> m_window;
};
} // namespace

std::unique_ptr<PlugViewWindow> PlugViewWindow::create()
{
    return std::make_unique<Win32PlugViewWindow>();
}
} // namespace VSTGUI
