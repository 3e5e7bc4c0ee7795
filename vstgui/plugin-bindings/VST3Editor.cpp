#include "vstgui/plugin-bindings/VST3Editor.h"

#include "vstgui/CFrame.h"
#include "vstgui/CTextEdit.h"
#include "vstgui/ScaleFactor.h"
#include "vstgui/plugin-bindings/ParameterChangeListener.h"
#include "vstgui/plugin-bindings/Utf16Text.h"
#include "vstgui/plugin-bindings/VST3EditorDelegate.h"
#include "vstgui/plugin-bindings/ZoomMenu.h"
#include "vstgui/uidescription/UIDescription.h"

#include "base/source/updatehandler.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace VSTGUI
{
using namespace Steinberg;
using namespace Steinberg::Vst;

VST3Editor::VST3Editor(EditController* controller, UTF8StringPtr templateName,
                       UTF8StringPtr xmlFile)
    : VSTGUIEditor(controller), m_templateName(templateName ? templateName : ""),
      m_xmlFile(xmlFile ? xmlFile : ""), m_delegate(dynamic_cast<VST3EditorDelegate*>(controller))
{
    // Parameters tell their listeners through the SDK's update handler; make sure there is one.
    UpdateHandler::instance();
    constexpr CCoord kUnlimited = std::numeric_limits<CCoord>::max();
    m_maxSize = CPoint(kUnlimited, kUnlimited);
}

VST3Editor::~VST3Editor()
{
    close();
}

CView* VST3Editor::createTemplateView()
{
    if (!m_description) return nullptr;
    return m_description->createView(m_templateName.c_str(), this);
}

bool VST3Editor::loadDescription()
{
    if (m_description) return true;
    auto description = std::make_unique<UIDescription>(CResourceDescription(m_xmlFile));
    if (!description->parse()) return false;
    m_description = std::move(description);
    if (const UIAttributes* attributes = m_description->getViewAttributes(m_templateName.c_str()))
    {
        CPoint minimum = m_minSize;
        CPoint maximum = m_maxSize;
        attributes->getPointAttribute("minSize", minimum);
        attributes->getPointAttribute("maxSize", maximum);
        setEditorSizeConstrains(minimum, maximum);
    }
    return true;
}

bool VST3Editor::open(void* parent, const PlatformType& type)
{
    if (m_frame) return true;
    if (!loadDescription()) return false;
    m_frame = new CFrame(CRect(), this);
    m_frame->registerViewAddedRemovedObserver(this);
    m_frame->registerMouseObserver(this);
    m_frame->registerKeyboardHook(this);
    CView* view = createTemplateView();
    if (!view)
    {
        releaseFrame();
        return false;
    }
    m_frame->setViewSize(CRect(0, 0, view->getWidth(), view->getHeight()), false);
    m_frame->setScaleFactor(getScaleFactor());
    m_frame->addView(view);
    rect = scaledRect(view->getWidth(), view->getHeight());
    if (!openWindow(parent, type))
    {
        releaseFrame();
        return false;
    }
    if (m_delegate) m_delegate->didOpen(this);
    startIdleTimer();
    return true;
}

void VST3Editor::close()
{
    stopIdleTimer();
    if (!m_frame) return;
    if (m_delegate) m_delegate->willClose(this);
    releaseFrame();
}

void VST3Editor::releaseFrame()
{
    removeZoomMenu(true);
    closeWindow();
    CFrame* frame = m_frame;
    m_frame = nullptr;
    frame->unregisterViewAddedRemovedObserver(this);
    frame->unregisterMouseObserver(this);
    frame->unregisterKeyboardHook(this);
    frame->forget();
    releaseParameterListeners();
    m_doCreateView = false;
}

void VST3Editor::releaseParameterListeners()
{
    for (auto& entry : m_listeners)
        entry.second->release();
    m_listeners.clear();
}

bool VST3Editor::exchangeView(UTF8StringPtr templateName)
{
    if (!templateName || !m_description || !m_description->getViewAttributes(templateName))
        return false;
    m_templateName = templateName;
    m_doCreateView = true;
    return true;
}

void VST3Editor::recreateView()
{
    m_doCreateView = false;
    if (!m_frame) return;
    CView* view = createTemplateView();
    if (!view) return;
    m_frame->setFocusView(nullptr);
    m_frame->setModalView(nullptr);
    m_zoomMenu.reset();
    m_frame->removeAll();
    m_frame->setSize(view->getWidth(), view->getHeight());
    m_frame->addView(view);
    rect = scaledRect(view->getWidth(), view->getHeight());
    m_frame->invalid();
}

bool VST3Editor::setEditorSizeConstrains(const CPoint& minimumSize, const CPoint& maximumSize)
{
    if (minimumSize.x > maximumSize.x || minimumSize.y > maximumSize.y) return false;
    m_minSize = minimumSize;
    m_maxSize = maximumSize;
    return true;
}

void VST3Editor::getEditorSizeConstrains(CPoint& minimumSize, CPoint& maximumSize) const
{
    minimumSize = m_minSize;
    maximumSize = m_maxSize;
}

tresult PLUGIN_API VST3Editor::getSize(ViewRect* size)
{
    // Hosts size their window before attaching the view: the template tells the size, the
    // screen the scale.
    if (size && !m_frame && loadDescription())
        if (const UIAttributes* attributes =
                m_description->getViewAttributes(m_templateName.c_str()))
        {
            CPoint templateSize;
            if (attributes->getPointAttribute("size", templateSize))
            {
                askSystemScaleFactor();
                rect = scaledRect(templateSize.x, templateSize.y);
            }
        }
    return VSTGUIEditor::getSize(size);
}

tresult PLUGIN_API VST3Editor::onSize(ViewRect* newSize)
{
    if (!newSize) return kInvalidArgument;
    const double scale = m_frame ? m_frame->getScaleFactor() : getScaleFactor();
    if (m_frame && !m_frame->setSize(std::round(newSize->getWidth() / scale),
                                     std::round(newSize->getHeight() / scale)))
        return kResultFalse;
    return VSTGUIEditor::onSize(newSize);
}

tresult PLUGIN_API VST3Editor::canResize()
{
    loadDescription();
    return m_minSize != m_maxSize ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API VST3Editor::checkSizeConstraint(ViewRect* proposed)
{
    if (!proposed) return kInvalidArgument;
    loadDescription();
    const auto clamp = [](int32 value, CCoord low, CCoord high)
    {
        const CCoord limited = std::max(low, std::min(high, static_cast<CCoord>(value)));
        return static_cast<int32>(std::min<CCoord>(limited, std::numeric_limits<int32>::max()));
    };
    // The constraints are layout sizes; the host proposes screen pixels.
    const double scale = m_frame ? m_frame->getScaleFactor() : getScaleFactor();
    const auto scaled = [scale](CCoord size)
    {
        // An unlimited maximum stays unlimited.
        return size < std::numeric_limits<int32>::max() ? VSTGUI::ScaleFactor::toDevice(size, scale)
                                                        : size;
    };
    proposed->right =
        proposed->left + clamp(proposed->getWidth(), scaled(m_minSize.x), scaled(m_maxSize.x));
    proposed->bottom =
        proposed->top + clamp(proposed->getHeight(), scaled(m_minSize.y), scaled(m_maxSize.y));
    return kResultTrue;
}

bool VST3Editor::beforeSizeChange(const CRect& newSize, const CRect&)
{
    return newSize.getWidth() >= m_minSize.x && newSize.getHeight() >= m_minSize.y &&
           newSize.getWidth() <= m_maxSize.x && newSize.getHeight() <= m_maxSize.y;
}

CMessageResult VST3Editor::notify(CBaseObject* sender, IdStringPtr message)
{
    if (message == CVSTGUITimer::kMsgTimer)
    {
        removeZoomMenu(false);
        if (m_doCreateView) recreateView();
        // Animated views advance, and only views that changed are redrawn.
        if (m_frame) m_frame->idle();
    }
    return VSTGUIEditor::notify(sender, message);
}

CMouseEventResult VST3Editor::onMouseDown(CFrame* frame, const CPoint& where,
                                          const CButtonState& buttons)
{
    if (!(buttons & kRButton) || !frame || frame->getModalView()) return kMouseEventNotHandled;
    removeZoomMenu(false);
    if (m_zoomMenu) return kMouseEventNotHandled;
    m_zoomMenu =
        owned(new ZoomMenu(where, getZoomFactor(), [this](double zoom) { setZoomFactor(zoom); }));
    frame->addView(m_zoomMenu.get());
    m_zoomMenu->remember(); // the frame's reference; removeView gives it back
    if (!m_zoomMenu->popup())
    {
        removeZoomMenu(true);
        return kMouseEventNotHandled;
    }
    return kMouseEventHandled;
}

void VST3Editor::removeZoomMenu(bool evenIfOpen)
{
    if (!m_zoomMenu || (m_zoomMenu->isPopupOpen() && !evenIfOpen)) return;
    if (m_frame && m_zoomMenu->isPopupOpen()) m_frame->setModalView(nullptr);
    if (m_frame) m_frame->removeView(m_zoomMenu.get(), true);
    m_zoomMenu.reset();
}

ParameterChangeListener* VST3Editor::getParameterChangeListener(int32_t tag) const
{
    auto it = m_listeners.find(tag);
    return it == m_listeners.end() ? nullptr : it->second;
}

void VST3Editor::valueChanged(CControl* control)
{
    applyControlValue(control);
}

bool VST3Editor::applyControlValue(CControl* control)
{
    ParameterChangeListener* listener = getParameterChangeListener(control->getTag());
    if (!listener) return true;
    ParamValue value = listener->normalizedValue(control);
    auto* edit = dynamic_cast<CTextEdit*>(control);
    if (edit)
    {
        String128 text = {};
        utf8ToString128(edit->getText(), text);
        if (getController()->getParamValueByString(listener->getParameterID(), text, value) !=
            kResultTrue)
        {
            // Not a value: show the parameter's value again and change nothing.
            listener->refresh();
            return false;
        }
    }
    listener->performEdit(value);
    // Text that parses to the value the parameter already has changes nothing the controls would
    // hear of: the field shows the parameter's own text again.
    if (edit) listener->refresh();
    return true;
}

void VST3Editor::controlBeginEdit(CControl* control)
{
    if (ParameterChangeListener* listener = getParameterChangeListener(control->getTag()))
        listener->beginEdit();
}

void VST3Editor::controlEndEdit(CControl* control)
{
    if (ParameterChangeListener* listener = getParameterChangeListener(control->getTag()))
        listener->endEdit();
}

int32_t VST3Editor::getTagForName(UTF8StringPtr name, int32_t registeredTag) const
{
    if (registeredTag != -1 || !name) return registeredTag;
    // A control-tag may also be written as the parameter id itself.
    char* end = nullptr;
    long tag = std::strtol(name, &end, 10);
    if (end == name || *end != '\0' || tag < 0 || tag > std::numeric_limits<int32_t>::max())
        return -1;
    return static_cast<int32_t>(tag);
}

IControlListener* VST3Editor::getControlListener(UTF8StringPtr)
{
    return this;
}

CView* VST3Editor::createView(const UIAttributes& attributes, const IUIDescription* description)
{
    const std::string* name = attributes.getAttributeValue("custom-view-name");
    if (!name || name->empty() || !m_delegate) return nullptr;
    return m_delegate->createCustomView(name->c_str(), attributes, description, this);
}

CView* VST3Editor::verifyView(CView* view, const UIAttributes& attributes,
                              const IUIDescription* description)
{
    auto* control = dynamic_cast<CControl*>(view);
    if (control && control->getTag() != -1 && control->getListener() == this)
    {
        auto id = static_cast<ParamID>(control->getTag());
        ParameterChangeListener* listener = getParameterChangeListener(control->getTag());
        if (!listener && (!m_delegate || !m_delegate->isPrivateParameter(id)))
        {
            // Only tags that name a parameter are bound: edits of others reach no host.
            if (Parameter* parameter = getController()->getParameterObject(id))
            {
                listener = new ParameterChangeListener(getController(), parameter);
                m_listeners[control->getTag()] = listener;
            }
        }
        if (listener) listener->addControl(control);
    }
    return m_delegate ? m_delegate->verifyView(view, attributes, description, this) : view;
}

IController* VST3Editor::createSubController(UTF8StringPtr name, const IUIDescription* description)
{
    return m_delegate ? m_delegate->createSubController(name, description, this) : nullptr;
}

void VST3Editor::onViewAdded(CFrame*, CView*) {}

void VST3Editor::onViewRemoved(CFrame*, CView* view)
{
    auto* control = dynamic_cast<CControl*>(view);
    if (!control) return;
    if (ParameterChangeListener* listener = getParameterChangeListener(control->getTag()))
        listener->removeControl(control);
}
} // namespace VSTGUI
