#pragma once

#include "vstgui/CBaseObject.h"
#include "vstgui/CVSTGUITimer.h"
#include "vstgui/PlatformType.h"
#include "vstgui/VSTGUIEditorInterface.h"

#include "public.sdk/source/vst/vsteditcontroller.h"

namespace VSTGUI
{
// The VST3 plug view of a toolkit editor: opens and closes a frame when the host attaches and
// removes the view, and runs an idle timer while open.
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

  protected:
    void startIdleTimer();
    void stopIdleTimer();

    CFrame* m_frame = nullptr;

  private:
    SharedPointer<CVSTGUITimer> m_timer;
    ITimerScheduler* m_scheduler = nullptr;
    int32_t m_idleRate = 100;
};
} // namespace VSTGUI
