#include "gui/CZadaCustomView.h"

#include "vstgui/CFrame.h"
#include "vstgui/ThisModule.h"

namespace Steinberg::Vst::Veru2ZOR3
{
CZadaCustomView::CZadaCustomView(EditController* controller, ViewRect* size)
    : VSTGUIEditor(controller, size)
{
}

CZadaCustomView::~CZadaCustomView()
{
    close();
}

// The module that holds this code, named by its load address as a Windows instance handle is.
void* CZadaCustomView::moduleHandle()
{
    return VSTGUI::thisModule();
}

bool CZadaCustomView::open(void* parent, const VSTGUI::PlatformType& type)
{
    if (m_frame) return true;
    m_frame = new VSTGUI::CFrame(VSTGUI::CRect(), this);
    m_frame->enableTooltips(true);
    if (!m_pEffect)
    {
        releaseFrame();
        return false;
    }

    m_pParentWindow = parent;
    EditorMessage attach;
    attach.code = EditorMessage::kCustomEditorOpen;
    attach.parentWindow = parent;
    attach.editorInterface = static_cast<VSTGUI::VSTGUIEditorInterface*>(this);
    attach.parameterConnector = this;
    attach.moduleHandle = moduleHandle();
    attach.platformType = type;
    if (!m_pEffect->editorMessage(&attach))
    {
        m_pParentWindow = nullptr;
        releaseFrame();
        return false;
    }

    const int32 count = getController()->getParameterCount();
    for (int32 index = 0; index < count; ++index)
    {
        EditorMessage value;
        value.code = EditorMessage::kParameterValue;
        value.parameterIndex = index;
        value.parameterValue = getController()->getParamNormalized(static_cast<ParamID>(index));
        m_pEffect->editorMessage(&value);
    }

    m_frame->setSize(attach.guiWidth, attach.guiHeight);
    rect = ViewRect(0, 0, attach.guiWidth, attach.guiHeight);
    return true;
}

void CZadaCustomView::close()
{
    if (m_pEffect && m_pParentWindow)
    {
        EditorMessage detach;
        detach.code = EditorMessage::kCustomEditorClose;
        detach.parentWindow = m_pParentWindow;
        detach.moduleHandle = moduleHandle();
        m_pEffect->editorMessage(&detach);
        m_pParentWindow = nullptr;
    }
    releaseFrame();
}

void CZadaCustomView::releaseFrame()
{
    // Whoever else still holds the frame keeps it; this view lets go of its own reference.
    if (!m_frame) return;
    VSTGUI::CFrame* frame = m_frame;
    m_frame = nullptr;
    frame->forget();
}

void CZadaCustomView::beginEdit(ParamID id)
{
    getController()->beginEdit(id);
}

void CZadaCustomView::endEdit(ParamID id)
{
    getController()->endEdit(id);
}

void CZadaCustomView::setParameter(ParamID id, ParamValue normalized)
{
    getController()->setParamNormalized(id, normalized);
    getController()->performEdit(id, normalized);
}
} // namespace Steinberg::Vst::Veru2ZOR3
