#include "vstgui/plugin-bindings/VSTGUIEditor.h"

#include "vstgui/CFrame.h"
#ifdef _WIN32
#include "vstgui/platform/win32/Win32Frame.h"
#include "vstgui/platform/win32/Win32TimerScheduler.h"
#else
#include "vstgui/platform/x11/RunLoopTimerScheduler.h"
#include "vstgui/platform/x11/X11Frame.h"
#include "vstgui/plugin-bindings/HostRunLoop.h"
#endif

#include <cstdint>
#include <cstring>

namespace VSTGUI
{
VSTGUIEditor::VSTGUIEditor(Steinberg::Vst::EditController* controller, Steinberg::ViewRect* size)
    : EditorView(controller, size)
{
}

VSTGUIEditor::~VSTGUIEditor()
{
    stopIdleTimer();
    closeWindow();
    releaseHostRunLoop();
}

void VSTGUIEditor::setIdleRate(int32_t milliseconds)
{
    m_idleRate = milliseconds > 0 ? milliseconds : 1;
    if (m_timer)
    {
        m_timer->stop();
        m_timer->setFireTime(static_cast<uint32_t>(m_idleRate));
        m_timer->start();
    }
}

void VSTGUIEditor::setTimerScheduler(ITimerScheduler* scheduler)
{
    m_scheduler = scheduler;
    if (m_timer) m_timer->setScheduler(scheduler);
}

void VSTGUIEditor::startIdleTimer()
{
    stopIdleTimer();
    m_timer = owned(new CVSTGUITimer(this, static_cast<uint32_t>(m_idleRate), m_scheduler));
    m_timer->start();
}

void VSTGUIEditor::stopIdleTimer()
{
    if (!m_timer) return;
    m_timer->stop();
    m_timer.reset();
}

int32_t VSTGUIEditor::getKnobMode() const
{
    switch (Steinberg::Vst::EditController::getHostKnobMode())
    {
    case Steinberg::Vst::kRelativCircularMode:
        return kRelativCircularMode;
    case Steinberg::Vst::kLinearMode:
        return kLinearMode;
    default:
        return kCircularMode;
    }
}

CMessageResult VSTGUIEditor::notify(CBaseObject*, IdStringPtr message)
{
    return message == CVSTGUITimer::kMsgTimer ? kMessageNotified : kMessageUnknown;
}

Steinberg::tresult PLUGIN_API VSTGUIEditor::isPlatformTypeSupported(Steinberg::FIDString type)
{
#ifdef _WIN32
    const char* native = Steinberg::kPlatformTypeHWND;
#else
    const char* native = Steinberg::kPlatformTypeX11EmbedWindowID;
#endif
    return (type && std::strcmp(type, native) == 0)
               ? Steinberg::kResultTrue
               : Steinberg::kResultFalse;
}

Steinberg::tresult PLUGIN_API VSTGUIEditor::attached(void* parent, Steinberg::FIDString type)
{
    if (isPlatformTypeSupported(type) != Steinberg::kResultTrue || !parent || isOpen())
        return Steinberg::kResultFalse;
#ifdef _WIN32
    // Windows delivers the window's messages and timers through the host's message loop.
    m_windowTimers = std::make_unique<Win32::Win32TimerScheduler>();
    setTimerScheduler(m_windowTimers.get());
    if (!open(parent, kHWND))
#else
    // On Linux the host lends its run loop through the frame it gave the view; without one the
    // window could neither receive events nor run timers.
    Steinberg::FUnknownPtr<Steinberg::Linux::IRunLoop> runLoop(plugFrame);
    if (!runLoop) return Steinberg::kResultFalse;
    m_hostRunLoop = std::make_unique<HostRunLoop>(runLoop);
    m_windowTimers = std::make_unique<X11::RunLoopTimerScheduler>(*m_hostRunLoop);
    setTimerScheduler(m_windowTimers.get());
    if (!open(parent, kX11EmbedWindowID))
#endif
    {
        releaseHostRunLoop();
        return Steinberg::kResultFalse;
    }
    return EditorView::attached(parent, type);
}

Steinberg::tresult PLUGIN_API VSTGUIEditor::removed()
{
    close();
    releaseHostRunLoop();
    return EditorView::removed();
}

bool VSTGUIEditor::openWindow(void* parent, const PlatformType& type)
{
    if (!parent) return true;
#ifdef _WIN32
    if (type != kHWND || !m_frame) return false;
    m_window = Win32::Win32Frame::create(*m_frame, static_cast<HWND>(parent));
    return m_window != nullptr;
#else
    if (type != kX11EmbedWindowID || !m_frame || !m_hostRunLoop) return false;
    const auto parentWindow = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(parent));
    m_window = X11::X11Frame::create(*m_frame, parentWindow, *m_hostRunLoop);
    return m_window != nullptr;
#endif
}

void VSTGUIEditor::closeWindow()
{
    m_window.reset();
}

void VSTGUIEditor::releaseHostRunLoop()
{
    closeWindow();
    if (m_windowTimers) setTimerScheduler(nullptr);
    m_windowTimers.reset();
#ifndef _WIN32
    m_hostRunLoop.reset();
#endif
}

namespace
{
// The host's key as the toolkit's: VST3 numbers virtual keys and modifiers as VST2 did.
VstKeyCode toKeyCode(Steinberg::char16 key, Steinberg::int16 keyCode, Steinberg::int16 modifiers)
{
    VstKeyCode code;
    code.character = key;
    code.virt = static_cast<unsigned char>(keyCode);
    code.modifier = static_cast<unsigned char>(modifiers);
    return code;
}
} // namespace

Steinberg::tresult PLUGIN_API VSTGUIEditor::onKeyDown(Steinberg::char16 key,
                                                      Steinberg::int16 keyCode,
                                                      Steinberg::int16 modifiers)
{
    if (!m_frame) return Steinberg::kResultFalse;
    VstKeyCode code = toKeyCode(key, keyCode, modifiers);
    return m_frame->onKeyDown(code) == 1 ? Steinberg::kResultTrue : Steinberg::kResultFalse;
}

Steinberg::tresult PLUGIN_API VSTGUIEditor::onKeyUp(Steinberg::char16 key, Steinberg::int16 keyCode,
                                                    Steinberg::int16 modifiers)
{
    if (!m_frame) return Steinberg::kResultFalse;
    VstKeyCode code = toKeyCode(key, keyCode, modifiers);
    return m_frame->onKeyUp(code) == 1 ? Steinberg::kResultTrue : Steinberg::kResultFalse;
}
} // namespace VSTGUI
