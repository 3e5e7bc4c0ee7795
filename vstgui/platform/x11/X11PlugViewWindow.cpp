// A plug view's window on X11: a child of the host's window (X11EmbedWindowID), with its events
// and timers served by the run loop the host offers through its IPlugFrame.
#include "vstgui/platform/x11/RunLoopTimerScheduler.h"
#include "vstgui/platform/x11/ScreenScale.h"
#include "vstgui/platform/x11/X11Frame.h"
#include "vstgui/plugin-bindings/HostRunLoop.h"
#include "vstgui/plugin-bindings/PlugViewWindow.h"

#include <cstdint>

namespace VSTGUI
{
namespace
{
class X11PlugViewWindow : public PlugViewWindow
{
  public:
    ~X11PlugViewWindow() override { disconnect(); }

    Steinberg::FIDString platformTypeName() const override
    {
        return Steinberg::kPlatformTypeX11EmbedWindowID;
    }
    PlatformType platformType() const override { return kX11EmbedWindowID; }

    bool connect(Steinberg::IPlugFrame* plugFrame) override
    {
        // Without the host's run loop the window could neither receive events nor run timers.
        Steinberg::FUnknownPtr<Steinberg::Linux::IRunLoop> runLoop(plugFrame);
        if (!runLoop) return false;
        m_hostRunLoop = std::make_unique<HostRunLoop>(runLoop);
        m_timers = std::make_unique<X11::RunLoopTimerScheduler>(*m_hostRunLoop);
        return true;
    }

    ITimerScheduler* timerScheduler() override { return m_timers.get(); }

    bool openWindow(CFrame& frame, void* parent) override
    {
        if (!m_hostRunLoop) return false;
        const auto parentWindow = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(parent));
        m_window = X11::X11Frame::create(frame, parentWindow, *m_hostRunLoop);
        return m_window != nullptr;
    }

    void closeWindow() override { m_window.reset(); }

    void disconnect() override
    {
        closeWindow();
        m_timers.reset();
        m_hostRunLoop.reset();
    }

    // X11 has one resolution per screen and no notice when it changes: asked once per editor.
    double systemScaleFactor(void*) override
    {
        if (m_scale < 0) m_scale = X11::ScreenScale::query();
        return m_scale;
    }

  private:
    std::unique_ptr<HostRunLoop> m_hostRunLoop;
    std::unique_ptr<X11::RunLoopTimerScheduler> m_timers;
    std::unique_ptr<X11::X11Frame> m_window;
    double m_scale = -1;
};
} // namespace

std::unique_ptr<PlugViewWindow> PlugViewWindow::create()
{
    return std::make_unique<X11PlugViewWindow>();
}
} // namespace VSTGUI
