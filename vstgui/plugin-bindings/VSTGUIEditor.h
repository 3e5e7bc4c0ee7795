#pragma once

#include "vstgui/CBaseObject.h"
#include "vstgui/CVSTGUITimer.h"
#include "vstgui/PlatformType.h"
#include "vstgui/VSTGUIEditorInterface.h"

#include "public.sdk/source/vst/vsteditcontroller.h"

#include <memory>

namespace VSTGUI
{
class HostRunLoop;
#ifdef _WIN32
namespace Win32
{
class Win32TimerScheduler;
class Win32Frame;
} // namespace Win32
#else
namespace X11
{
class RunLoopTimerScheduler;
class X11Frame;
} // namespace X11
#endif

// The VST3 plug view of a toolkit editor: opens and closes a frame when the host attaches and
// removes the view, and runs an idle timer while open. Attached to a host's X11 window, the
// frame gets a child window of it, and the window's events and the timers run in the run loop
// that the host offers through its IPlugFrame. On Windows the window is a child of the host's
// HWND, served by the host's message loop.
class VSTGUIEditor : public Steinberg::Vst::EditorView,
                     public VSTGUIEditorInterface,
                     public CBaseObject
{
  public:
    explicit VSTGUIEditor(Steinberg::Vst::EditController* controller,
                          Steinberg::ViewRect* size = nullptr);
    ~VSTGUIEditor() override;

    // Builds the frame in parent (none: offscreen). False when the editor cannot open.
    virtual bool open(void* parent, const PlatformType& type = kDefaultNative) = 0;
    virtual void close() = 0;
    bool isOpen() const { return m_frame != nullptr; }

    // The idle timer's period in milliseconds; a running timer is restarted with it.
    void setIdleRate(int32_t milliseconds);
    int32_t getIdleRate() const { return m_idleRate; }
    // What makes the idle timer fire: the window's run loop, or a manual clock offscreen.
    void setTimerScheduler(ITimerScheduler* scheduler);
    CVSTGUITimer* getIdleTimer() const { return m_timer.get(); }

    CFrame* getFrame() const override { return m_frame; }
    // The host's knob mode as last set through IEditController2.
    int32_t getKnobMode() const override;
    CMessageResult notify(CBaseObject* sender, IdStringPtr message) override;

    // IPlugView
    Steinberg::tresult PLUGIN_API isPlatformTypeSupported(Steinberg::FIDString type) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API attached(void* parent, Steinberg::FIDString type) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API removed() SMTG_OVERRIDE;
    // Keys the host passes on go to the frame (its focused view, or the editor's key hooks).
    Steinberg::tresult PLUGIN_API onKeyDown(Steinberg::char16 key, Steinberg::int16 keyCode,
                                            Steinberg::int16 modifiers) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API onKeyUp(Steinberg::char16 key, Steinberg::int16 keyCode,
                                          Steinberg::int16 modifiers) SMTG_OVERRIDE;

  protected:
    void startIdleTimer();
    void stopIdleTimer();
    // Shows the open frame in a child window of parent; true when there is nothing to show it in
    // (offscreen). Needs the host's run loop, which attached() looks up.
    bool openWindow(void* parent, const PlatformType& type);
    // Takes the frame's window down; the frame itself stays.
    void closeWindow();

    CFrame* m_frame = nullptr;

  private:
    void releaseHostRunLoop();

    SharedPointer<CVSTGUITimer> m_timer;
    ITimerScheduler* m_scheduler = nullptr;
    int32_t m_idleRate = 100;
#ifdef _WIN32
    std::unique_ptr<Win32::Win32TimerScheduler> m_windowTimers;
    std::unique_ptr<Win32::Win32Frame> m_window;
#else
    std::unique_ptr<HostRunLoop> m_hostRunLoop;
    std::unique_ptr<X11::RunLoopTimerScheduler> m_windowTimers;
    std::unique_ptr<X11::X11Frame> m_window;
#endif
};
} // namespace VSTGUI
