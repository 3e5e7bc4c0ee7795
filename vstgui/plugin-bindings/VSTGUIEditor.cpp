#include "vstgui/plugin-bindings/VSTGUIEditor.h"

#include "vstgui/CFrame.h"
#include "vstgui/ScaleFactor.h"
#include "vstgui/UserSettings.h"
#include "vstgui/plugin-bindings/PlugViewWindow.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace VSTGUI
{
namespace
{
constexpr const char* kZoomKey = "zoom";
} // namespace

VSTGUIEditor::VSTGUIEditor(Steinberg::Vst::EditController* controller, Steinberg::ViewRect* size)
    : EditorView(controller, size), m_window(PlugViewWindow::create())
{
    m_window->setScaleChangeHandler(
        [this](double scale)
        {
            m_systemScale = scale;
            applyScaleFactor();
        });
}

VSTGUIEditor::~VSTGUIEditor()
{
    stopIdleTimer();
    releaseWindowLayer();
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

double VSTGUIEditor::getScaleFactor() const
{
    if (m_zoom > 0) return m_zoom;
    if (m_hostScale > 0) return m_hostScale;
    return m_systemScale > 0 ? VSTGUI::ScaleFactor::valid(m_systemScale) : 1.0;
}

void VSTGUIEditor::askSystemScaleFactor(void* parent)
{
    if (m_systemScaleKnown && !parent) return;
    m_systemScale = m_window->systemScaleFactor(parent);
    m_systemScaleKnown = true;
}

void VSTGUIEditor::setZoomFactor(double zoom)
{
    m_zoom = (std::isfinite(zoom) && zoom > 0) ? VSTGUI::ScaleFactor::valid(zoom) : 0;
    if (!m_zoomSettingsName.empty())
    {
        char text[32] = "";
        if (m_zoom > 0) std::snprintf(text, sizeof text, "%g", m_zoom);
        UserSettings(m_zoomSettingsName).write(kZoomKey, text);
    }
    applyScaleFactor();
}

void VSTGUIEditor::setZoomSettingsName(const std::string& application)
{
    m_zoomSettingsName = application;
    const std::string saved = UserSettings(application).read(kZoomKey);
    char* end = nullptr;
    const double zoom = std::strtod(saved.c_str(), &end);
    m_zoom = (end != saved.c_str() && *end == '\0' && std::isfinite(zoom) && zoom > 0)
                 ? VSTGUI::ScaleFactor::valid(zoom)
                 : 0;
    applyScaleFactor();
}

Steinberg::ViewRect VSTGUIEditor::scaledRect(CCoord width, CCoord height) const
{
    const double scale = getScaleFactor();
    return Steinberg::ViewRect(0, 0, VSTGUI::ScaleFactor::toDevice(width, scale),
                               VSTGUI::ScaleFactor::toDevice(height, scale));
}

void VSTGUIEditor::applyScaleFactor()
{
    if (!m_frame) return; // the size the host asks for next is scaled
    const double scale = getScaleFactor();
    if (scale == m_frame->getScaleFactor()) return;
    m_frame->setScaleFactor(scale);
    Steinberg::ViewRect wanted = scaledRect(m_frame->getWidth(), m_frame->getHeight());
    rect = wanted;
    if (plugFrame && m_windowOpen) plugFrame->resizeView(this, &wanted);
}

Steinberg::tresult PLUGIN_API VSTGUIEditor::setContentScaleFactor(ScaleFactor factor)
{
    if (!std::isfinite(factor) || factor <= 0) return Steinberg::kInvalidArgument;
    m_hostScale = VSTGUI::ScaleFactor::valid(factor);
    applyScaleFactor();
    return Steinberg::kResultTrue;
}

Steinberg::tresult PLUGIN_API VSTGUIEditor::isPlatformTypeSupported(Steinberg::FIDString type)
{
    return (type && std::strcmp(type, m_window->platformTypeName()) == 0) ? Steinberg::kResultTrue
                                                                          : Steinberg::kResultFalse;
}

Steinberg::tresult PLUGIN_API VSTGUIEditor::attached(void* parent, Steinberg::FIDString type)
{
    if (isPlatformTypeSupported(type) != Steinberg::kResultTrue || !parent || isOpen())
        return Steinberg::kResultFalse;
    if (!m_window->connect(plugFrame)) return Steinberg::kResultFalse;
    setTimerScheduler(m_window->timerScheduler());
    // The parent's screen decides where the window system says anything.
    askSystemScaleFactor(parent);
    if (!open(parent, m_window->platformType()))
    {
        releaseWindowLayer();
        return Steinberg::kResultFalse;
    }
    return EditorView::attached(parent, type);
}

Steinberg::tresult PLUGIN_API VSTGUIEditor::removed()
{
    close();
    releaseWindowLayer();
    return EditorView::removed();
}

bool VSTGUIEditor::openWindow(void* parent, const PlatformType& type)
{
    if (!parent) return true;
    if (type != m_window->platformType() || !m_frame) return false;
    m_frame->setScaleFactor(getScaleFactor());
    m_windowOpen = m_window->openWindow(*m_frame, parent);
    return m_windowOpen;
}

void VSTGUIEditor::closeWindow()
{
    m_windowOpen = false;
    m_window->closeWindow();
}

void VSTGUIEditor::releaseWindowLayer()
{
    closeWindow();
    if (m_scheduler == m_window->timerScheduler()) setTimerScheduler(nullptr);
    m_window->disconnect();
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
