#include "vstgui/plugin-bindings/VSTGUIEditor.h"

#include "vstgui/CFrame.h"

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
    return (type && std::strcmp(type, Steinberg::kPlatformTypeX11EmbedWindowID) == 0)
               ? Steinberg::kResultTrue
               : Steinberg::kResultFalse;
}

Steinberg::tresult PLUGIN_API VSTGUIEditor::attached(void* parent, Steinberg::FIDString type)
{
    if (isPlatformTypeSupported(type) != Steinberg::kResultTrue) return Steinberg::kResultFalse;
    if (!open(parent, kX11EmbedWindowID)) return Steinberg::kResultFalse;
    return EditorView::attached(parent, type);
}

Steinberg::tresult PLUGIN_API VSTGUIEditor::removed()
{
    close();
    return EditorView::removed();
}
} // namespace VSTGUI
