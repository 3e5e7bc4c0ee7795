#pragma once

#include "vstgui/PlatformType.h"

#include "pluginterfaces/gui/iplugview.h"

#include <functional>
#include <memory>

namespace VSTGUI
{
class CFrame;
class ITimerScheduler;

// The window system's side of a plug view: the kind of parent window it takes from hosts, what
// makes its timers fire, the frame's child window, and the scale the screen asks for. One
// implementation per window system (platform/x11, platform/win32); the plug view itself is the
// same everywhere.
class PlugViewWindow
{
  public:
    // The window system's implementation.
    static std::unique_ptr<PlugViewWindow> create();
    virtual ~PlugViewWindow() = default;

    // The VST3 platform type of the parent windows it takes ("X11EmbedWindowID", "HWND").
    virtual Steinberg::FIDString platformTypeName() const = 0;
    virtual PlatformType platformType() const = 0;

    // Readies event delivery and timers with what the host's frame offers; false when the host
    // offers too little (on Linux, no run loop).
    virtual bool connect(Steinberg::IPlugFrame* plugFrame) = 0;
    // Where the view's timers run once connected; null before.
    virtual ITimerScheduler* timerScheduler() = 0;
    // Shows frame in a child window of parent; false when it cannot.
    virtual bool openWindow(CFrame& frame, void* parent) = 0;
    // Takes the window down; the frame stays.
    virtual void closeWindow() = 0;
    // Closes the window and lets go of what connect took.
    virtual void disconnect() = 0;

    // Device pixels per layout pixel that the window system asks for (1 at 96 dpi): for a
    // window in parent, or with none for the open window, else for the screen. 0 when it says
    // nothing.
    virtual double systemScaleFactor(void* parent = nullptr) = 0;
    // Told when the window system's scale for the open window changes (it moved to a monitor of
    // another resolution).
    void setScaleChangeHandler(std::function<void(double)> handler)
    {
        m_scaleChanged = std::move(handler);
    }

  protected:
    void scaleChanged(double scale)
    {
        if (m_scaleChanged) m_scaleChanged(scale);
    }

  private:
    std::function<void(double)> m_scaleChanged;
};
} // namespace VSTGUI
