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
    if (!m_pPlugIn || !name || std::strcmp(name, ViewType::kEditor) != 0) return nullptr;
    if (!m_pPlugIn->m_bEditorMessages) return nullptr;

    EditorMessage offer;
    offer.code = EditorMessage::kOfferCustomEditor;
    offer.wantsCustomView = false;
    m_pPlugIn->editorMessage(&offer);
    if (offer.wantsCustomView)
    {
        ViewRect initial(0, 0, kCustomViewInitialSize, kCustomViewInitialSize);
        auto* view = new CZadaCustomView(this, &initial);
        view->setEffect(m_pPlugIn.get());
        return view;
    }

    auto* editor = new VST3EditorZx(this, kEditorTemplate, kEditorDocument);
    editor->setKnobMode(m_pPlugIn->m_nKnobMode);
    editor->attachEffect(m_pPlugIn.get());
    return editor;
}

void ProcessorEditorDelegate::didOpen(VSTGUI::VST3Editor* editor)
{
    if (editor) ++m_nOpenEditors;
    if (m_pPlugIn && editor) sendResetEditorMessage(EditorMessage::kOpened);
}

void ProcessorEditorDelegate::willClose(VSTGUI::VST3Editor*)
{
    if (m_nOpenEditors > 0) --m_nOpenEditors;
    if (m_nOpenEditors == 0) m_bRefreshPending = false;
    if (m_pPlugIn) sendResetEditorMessage(EditorMessage::kClosing);
}

tresult ProcessorEditorDelegate::receiveText(const char8* text)
{
    if (!m_pPlugIn || !text) return kResultOk;
    if (std::strcmp(text, EditorTexts::kTimerPing) == 0)
    {
        deliverParameterRefresh();
        if (m_handOver.isProcessing())
        {
            m_handOver.sendEditorMessage(EditorMessage::kTimerTick, 0, 0.0);
            return kResultOk;
        }
        // A tick changes nothing of the record but its code.
        m_EditorMessage.code = EditorMessage::kTimerTick;
        m_pPlugIn->editorMessage(&m_EditorMessage);
    }
    else if (std::strcmp(text, EditorTexts::kRecreateView) == 0)
    {
        sendResetEditorMessage(EditorMessage::kOpened);
    }
    return kResultOk;
}

void ProcessorEditorDelegate::sendResetEditorMessage(uint32 code)
{
    m_EditorMessage.code = code;
    m_EditorMessage.viewName = "";
    m_EditorMessage.auxText = "";
    m_EditorMessage.editorInterface = nullptr;
    m_EditorMessage.controlListener = nullptr;
    m_EditorMessage.wantsCustomView = false;
    // While processing, the audio thread delivers it, as a fresh record of its own.
    if (m_handOver.isProcessing())
        m_handOver.sendEditorMessage(code, 0, 0.0);
    else
        m_pPlugIn->editorMessage(&m_EditorMessage);
}

} // namespace Steinberg::Vst::Veru2ZOR3
