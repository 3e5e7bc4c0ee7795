// The processor as the editor's delegate: custom views and pad sub-controllers.
#include "vst3/ProcessorEditorDelegate.h"

#include "gui/CustomViewFactory.h"

namespace Steinberg::Vst::Veru2ZOR3
{

VSTGUI::CView* ProcessorEditorDelegate::createCustomView(VSTGUI::UTF8StringPtr name,
                                                         const VSTGUI::UIAttributes& attributes,
                                                         const VSTGUI::IUIDescription* description,
                                                         VSTGUI::VST3Editor* editor)
{
    return CustomViewFactory(m_plugIn.get(), m_editorMessage, this)
        .createCustomView(name, attributes, description, editor);
}

VSTGUI::IController*
ProcessorEditorDelegate::createSubController(VSTGUI::UTF8StringPtr name,
                                             const VSTGUI::IUIDescription* description,
                                             VSTGUI::VST3Editor* editor)
{
    return CustomViewFactory(m_plugIn.get(), m_editorMessage, this)
        .createSubController(name, description, editor);
}

} // namespace Steinberg::Vst::Veru2ZOR3
