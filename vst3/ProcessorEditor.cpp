// The processor's side of the editor: the view it makes for the host, the open and close
// notices it passes to the effect as the editor's delegate, and the editor's text messages.
#include "vst3/ProcessorEditorDelegate.h"

#include "gui/CZadaCustomView.h"
#include "gui/VST3EditorZx.h"

#include "core/EditorTexts.h"

#include <cstring>

namespace Steinberg::Vst::Veru2ZOR3
{
namespace
{
constexpr char kEditorTemplate[] = "Editor";
constexpr char kEditorDocument[] = "zada.uidesc";
// Where an effect's own GUI starts before it names its size.
constexpr int32 kCustomViewInitialSize = 100;
} // namespace

ProcessorEditorDelegate::ProcessorEditorDelegate(EffectFactory effectFactory)
    : ProcessorModel(effectFactory)
{
}

ProcessorEditorDelegate::~ProcessorEditorDelegate() = default;

IPlugView* PLUGIN_API ProcessorEditorDelegate::createView(FIDString name)
{
    if (!m_plugIn || !name || std::strcmp(name, ViewType::kEditor) != 0) return nullptr;
    if (!m_plugIn->m_bEditorMessages) return nullptr;

    EditorMessage offer;
    offer.code = EditorMessage::kOfferCustomEditor;
    offer.wantsCustomView = false;
    m_plugIn->editorMessage(&offer);
    if (offer.wantsCustomView)
    {
        ViewRect initial(0, 0, kCustomViewInitialSize, kCustomViewInitialSize);
        auto* view = new CZadaCustomView(this, &initial);
        view->setEffect(m_plugIn.get());
        return view;
    }

    auto* editor = new VST3EditorZx(this, kEditorTemplate, kEditorDocument);
    editor->setKnobMode(m_plugIn->m_nKnobMode);
    editor->attachEffect(m_plugIn.get());
    return editor;
}

void ProcessorEditorDelegate::didOpen(VSTGUI::VST3Editor* editor)
{
    if (editor) ++m_openEditors;
    if (m_plugIn && editor) sendResetEditorMessage(EditorMessage::kOpened);
}

void ProcessorEditorDelegate::willClose(VSTGUI::VST3Editor*)
{
    if (m_openEditors > 0) --m_openEditors;
    if (m_openEditors == 0) m_refreshPending = false;
    if (m_plugIn) sendResetEditorMessage(EditorMessage::kClosing);
}

tresult ProcessorEditorDelegate::receiveText(const char8* text)
{
    if (!m_plugIn || !text) return kResultOk;
    if (std::strcmp(text, EditorTexts::kTimerPing) == 0)
    {
        deliverParameterRefresh();
        // A tick changes nothing of the record but its code.
        m_editorMessage.code = EditorMessage::kTimerTick;
        m_handOver.sendEditorMessage(m_editorMessage);
    }
    else if (std::strcmp(text, EditorTexts::kRecreateView) == 0)
    {
        sendResetEditorMessage(EditorMessage::kOpened);
    }
    return kResultOk;
}

void ProcessorEditorDelegate::sendResetEditorMessage(uint32 code)
{
    m_editorMessage.code = code;
    m_editorMessage.viewName = "";
    m_editorMessage.auxText = "";
    m_editorMessage.editorInterface = nullptr;
    m_editorMessage.controlListener = nullptr;
    m_editorMessage.wantsCustomView = false;
    // While processing, the audio thread delivers it, as a fresh record of its own.
    m_handOver.sendEditorMessage(m_editorMessage);
}

} // namespace Steinberg::Vst::Veru2ZOR3
