#include "EditorFixture.h"

#include "vstgui/CViewContainer.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

std::string uiDescriptionPath()
{
    return std::string(VEVADUR_UI_RESOURCES_DIR) + "/zada.uidesc";
}

EditorFixture::EditorFixture()
    : controller(new TestController()),
      editor(new VST3Editor(controller, "Editor", uiDescriptionPath().c_str()))
{
    EXPECT_TRUE(editor->open(nullptr));
}

EditorFixture::~EditorFixture()
{
    editor->close();
    editor->release();
    controller->release();
}

namespace
{
void collect(CView* view, const CPoint& origin, const std::function<bool(CView*)>& test,
             std::vector<EditorFixture::Placed>& found)
{
    CRect rect = view->getViewSize();
    rect.offset(origin);
    if (test(view)) found.push_back({view, rect});
    if (auto* container = dynamic_cast<CViewContainer*>(view))
        for (size_t i = 0; i < container->getNbViews(); ++i)
            collect(container->getView(i), rect.getTopLeft(), test, found);
}
} // namespace

std::vector<EditorFixture::Placed>
EditorFixture::find(const std::function<bool(CView*)>& test) const
{
    std::vector<Placed> found;
    for (size_t i = 0; i < frame()->getNbViews(); ++i)
        collect(frame()->getView(i), CPoint(), test, found);
    return found;
}

void EditorFixture::click(CPoint where, int32_t buttons)
{
    frame()->onMouseDown(where, buttons);
    frame()->onMouseUp(where, buttons);
}

void EditorFixture::drag(CPoint from, CPoint to)
{
    frame()->onMouseDown(from, kLButton);
    CPoint middle((from.x + to.x) / 2, (from.y + to.y) / 2);
    frame()->onMouseMoved(middle, kLButton);
    frame()->onMouseMoved(to, kLButton);
    frame()->onMouseUp(to, kLButton);
}

void EditorFixture::key(unsigned char virt, int32_t character)
{
    VstKeyCode code;
    code.virt = virt;
    code.character = character;
    frame()->onKeyDown(code);
}

void EditorFixture::type(const std::string& text)
{
    for (char c : text)
        key(0, c);
}
