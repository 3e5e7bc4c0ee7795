#pragma once

#include "vstgui/CBaseObject.h"
#include "vstgui/CVSTGUITimer.h"
#include "vstgui/PlatformType.h"
#include "vstgui/VSTGUIEditorInterface.h"

#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

#include <memory>
#include <string>

namespace VSTGUI
{
class PlugViewWindow;

// The VST3 plug view of a toolkit editor: opens and closes a frame when the host attaches and
// removes the view, and runs an idle timer while open. Attached to a host's window, the frame
// gets a child window of it (PlugViewWindow: X11 on Linux, where the host lends its run loop
// through its IPlugFrame; Win32 on Windows, served by the host's message loop).
//
// Screen scale: the frame lays out in layout pixels and the view's size is that times the
// scale, chosen in this order: the user's zoom, the host's content scale factor, the window
// system's (X11 Xft.dpi or GDK_SCALE, the window's DPI on Windows), else 1. A change resizes the
// view through the host's IPlugFrame.
class VSTGUIEditor : public Steinberg::Vst::EditorView,
                     public Steinberg::IPlugViewContentScaleSupport,
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

    // The scale the editor is drawn at (see the class comment).
    double getScaleFactor() const;
    // The user's zoom (a scale, 0 for the automatic choice). With a settings name it is kept in
    // the user's settings file under that name and read back by the next editor.
    void setZoomFactor(double zoom);
    double getZoomFactor() const { return m_zoom; }
    void setZoomSettingsName(const std::string& application);

    // IPlugView
    Steinberg::tresult PLUGIN_API isPlatformTypeSupported(Steinberg::FIDString type) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API attached(void* parent, Steinberg::FIDString type) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API removed() SMTG_OVERRIDE;
    // Keys the host passes on go to the frame (its focused view, or the editor's key hooks).
    Steinberg::tresult PLUGIN_API onKeyDown(Steinberg::char16 key, Steinberg::int16 keyCode,
                                            Steinberg::int16 modifiers) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API onKeyUp(Steinberg::char16 key, Steinberg::int16 keyCode,
                                          Steinberg::int16 modifiers) SMTG_OVERRIDE;

    // IPlugViewContentScaleSupport: the host's scale for the view; non-finite or non-positive
    // factors are ignored.
    Steinberg::tresult PLUGIN_API setContentScaleFactor(ScaleFactor factor) SMTG_OVERRIDE;

    OBJ_METHODS(VSTGUIEditor, EditorView)
    DEFINE_INTERFACES
    DEF_INTERFACE(IPlugViewContentScaleSupport)
    END_DEFINE_INTERFACES(EditorView)
    REFCOUNT_METHODS(EditorView)

  protected:
    void startIdleTimer();
    void stopIdleTimer();
    // Shows the open frame in a child window of parent; true when there is nothing to show it in
    // (offscreen). Needs the window layer that attached() connects.
    bool openWindow(void* parent, const PlatformType& type);
    // Takes the frame's window down; the frame itself stays.
    void closeWindow();
    // Asks the window system for its scale (for a window in parent, or the screen's); only a
    // view that goes on a screen asks, so offscreen drawing never depends on the display.
    void askSystemScaleFactor(void* parent = nullptr);
    // The view rectangle for a size in layout pixels at the current scale.
    Steinberg::ViewRect scaledRect(CCoord width, CCoord height) const;

    CFrame* m_frame = nullptr;

  private:
    void releaseWindowLayer();
    // Gives the open frame the chosen scale and asks the host for the view's new size.
    void applyScaleFactor();

    SharedPointer<CVSTGUITimer> m_timer;
    ITimerScheduler* m_scheduler = nullptr;
    int32_t m_idleRate = 100;
    std::unique_ptr<PlugViewWindow> m_window;
    bool m_windowOpen = false;
    double m_hostScale = 0;
    double m_systemScale = 0;
    bool m_systemScaleKnown = false;
    double m_zoom = 0;
    std::string m_zoomSettingsName;
};
} // namespace VSTGUI
