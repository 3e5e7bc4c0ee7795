#include "gui/VST3EditorZx.h"

#include "core/EditorTexts.h"

#include "vstgui/CControl.h"
#include "vstgui/CFrame.h"
#include "vstgui/CTextEdit.h"
#include "vstgui/CVSTGUITimer.h"

namespace Steinberg::Vst::Veru2ZOR3
{
namespace
{
// The user's zoom choice lives in this folder of the user's configuration (the plug-in's name).
constexpr const char* kSettingsName = "VevadurROT";
} // namespace

VST3EditorZx::VST3EditorZx(EditController* controller, VSTGUI::UTF8StringPtr templateName,
                           VSTGUI::UTF8StringPtr xmlFile)
    : VST3Editor(controller, templateName, xmlFile)
{
    setIdleRate(kIdleRateMs);
    setZoomSettingsName(kSettingsName);
}

VST3EditorZx::~VST3EditorZx() = default;

void VST3EditorZx::attachEffect(CPlugIn* effect)
{
    m_pEffect = effect;
    if (!effect) return;
    const uint32 count = effect->m_Controls.count();
    m_ControlList.reserve(m_ControlList.size() + count);
    for (uint32 i = 0; i < count; ++i)
        if (const ControlRecord* record = effect->m_Controls.find(i))
            m_ControlList.push_back(*record);
}

int32 VST3EditorZx::findControlIndex(uint32 controlId) const
{
    if (!m_pEffect) return -1;
    for (size_t i = 0; i < m_ControlList.size(); ++i)
        if (m_ControlList[i].id == controlId) return static_cast<int32>(i);
    return -1;
}

int32_t VST3EditorZx::getKnobMode() const
{
    switch (m_nKnobMode)
    {
    case kCircular:
    case kRelativeCircular:
    case kLinear:
        return m_nKnobMode;
    case kFollowHost:
    {
        const KnobMode hostMode = static_cast<KnobMode>(EditController::getHostKnobMode());
        return hostMode == kCircular || hostMode == kRelativeCircular ? hostMode : kLinear;
    }
    default:
        return kLinear;
    }
}

bool VST3EditorZx::beforeSizeChange(const VSTGUI::CRect&, const VSTGUI::CRect&)
{
    return true;
}

VSTGUI::CMessageResult VST3EditorZx::notify(VSTGUI::CBaseObject* sender,
                                            VSTGUI::IdStringPtr message)
{
    EditController* controller = getController();
    // The effect hears every tick; what it changes shows when the base's tick redraws the
    // views that changed (a full redraw would draw the same pixels).
    if (message == VSTGUI::CVSTGUITimer::kMsgTimer && controller)
        controller->receiveText(EditorTexts::kTimerPing);
    const bool recreationPending = isRecreateViewPending();
    const VSTGUI::CMessageResult result = VST3Editor::notify(sender, message);
    // The base rebuilds a pending view on the tick; the effect hears of it as a fresh open.
    if (recreationPending && !isRecreateViewPending() && controller)
        controller->receiveText(EditorTexts::kRecreateView);
    return result;
}

void VST3EditorZx::valueChanged(VSTGUI::CControl* control)
{
    if (!applyControlValue(control) || !m_pEffect) return;
    const int32 tag = control->getTag();
    const ControlRecord* record =
        tag >= 0 ? m_pEffect->m_Controls.find(static_cast<uint32>(tag)) : nullptr;
    if (!record) return;
    const auto id = static_cast<ParamID>(tag);
    // A text field's own value is not the number typed into it: it edited the parameter.
    const ParamValue normalized =
        dynamic_cast<VSTGUI::CTextEdit*>(control) && getParameterChangeListener(tag)
            ? getController()->getParamNormalized(id)
            : control->getValueNormalized();
    const ParamValue plain = getController()->normalizedParamToPlain(id, normalized);
    applyLinkedUpdates(record->id, static_cast<float>(plain), false);
}

void VST3EditorZx::applyLinkedUpdates(uint32 controlId, float plainValue, bool loading)
{
    if (!m_pEffect) return;
    LinkedUpdate* updates = nullptr;
    if (m_pEffect->collectLinkedUpdates(controlId, plainValue, &updates, loading))
        for (const LinkedUpdate* update = updates; update; update = update->next)
            editLinkedControl(*update);
    // The effect frees the list it made; one that declines to leaves it to us.
    if (m_pEffect->freeLinkedUpdates(updates)) return;
    std::vector<LinkedUpdate*> nodes;
    for (LinkedUpdate* node = updates; node; node = node->next)
        nodes.push_back(node);
    for (auto it = nodes.rbegin(); it != nodes.rend(); ++it)
        delete *it;
}

void VST3EditorZx::editLinkedControl(const LinkedUpdate& update)
{
    const int32 index = findControlIndex(update.controlId);
    if (index < 0) return;
    EditController* controller = getController();
    const auto id = static_cast<ParamID>(index);
    const ParamValue normalized = controller->plainParamToNormalized(id, update.value);
    controller->setParamNormalized(id, normalized);
    controller->performEdit(id, normalized);
}
} // namespace Steinberg::Vst::Veru2ZOR3
