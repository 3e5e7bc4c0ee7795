// The editor bound to an edit controller: user edits become begin/perform/end edits on the
// control's parameter, and the controller's changes show on every control of that tag.
#include "EditorFixture.h"

#include "vstgui/CAnimKnob.h"
#include "vstgui/COnOffButton.h"
#include "vstgui/COptionMenu.h"
#include "vstgui/CTextEdit.h"
#include "vstgui/ManualTimerScheduler.h"
#include "vstgui/plugin-bindings/ParameterChangeListener.h"
#include "vstgui/plugin-bindings/Utf16Text.h"

#include <gtest/gtest.h>

using namespace VSTGUI;
using namespace Steinberg::Vst;

namespace
{
std::string parameterText(EditController* controller, ParamID id)
{
    String128 text = {};
    controller->getParamStringByValue(id, controller->getParamNormalized(id), text);
    return utf16ToUtf8(text);
}

// The events of one complete gesture on one parameter: begin, performs, end.
void expectOneGesture(const std::vector<RecordingHandler::Event>& events, ParamID id)
{
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events.front().kind, 'b');
    EXPECT_EQ(events.back().kind, 'e');
    for (const auto& e : events)
    {
        EXPECT_EQ(e.id, id);
        if (&e != &events.front() && &e != &events.back())
        {
            EXPECT_EQ(e.kind, 'p');
        }
    }
}
} // namespace

TEST(EditorBinding, KnobDragEditsItsParameter)
{
    EditorFixture f;
    f.controller->setKnobMode(Steinberg::Vst::kLinearMode);
    CRect rect;
    auto* knob = f.control<CAnimKnob>(3, &rect); // "Abs L-R"
    ASSERT_NE(knob, nullptr);
    EXPECT_FLOAT_EQ(knob->getValueNormalized(), 0.5f);
    CPoint centre = rect.getCenter();
    f.drag(centre, CPoint(centre.x, centre.y - 20));
    expectOneGesture(f.controller->handler.events, 3);
    EXPECT_NEAR(f.controller->handler.events[f.controller->handler.events.size() - 2].value, 0.6,
                1e-5);
    EXPECT_NEAR(f.controller->getParamNormalized(3), 0.6, 1e-5);
    f.controller->setKnobMode(Steinberg::Vst::kCircularMode);
}

TEST(EditorBinding, ControllerChangesMoveTheControlsWithoutEditing)
{
    EditorFixture f;
    f.controller->setParamNormalized(3, 0.25);
    EXPECT_FLOAT_EQ(f.control<CAnimKnob>(3)->getValueNormalized(), 0.25f);
    f.controller->setParamNormalized(1, 0.3); // "Position": the fourth entry
    auto* menu = f.control<COptionMenu>(1);
    EXPECT_EQ(menu->getCurrentIndex(), 3);
    EXPECT_EQ(menu->getEntry(menu->getCurrentIndex()), "L45");
    f.controller->setParamNormalized(8, 0.0); // "Decay Type" switch
    EXPECT_FLOAT_EQ(f.control<COnOffButton>(8)->getValue(), 0.f);
    EXPECT_TRUE(f.controller->handler.events.empty());
}

TEST(EditorBinding, SpeedKnobAndValueFieldMoveTogether)
{
    EditorFixture f;
    f.controller->setKnobMode(Steinberg::Vst::kLinearMode);
    CRect knobRect;
    CRect fieldRect;
    auto* knob = f.control<CAnimKnob>(11, &knobRect);
    auto* field = f.control<CTextEdit>(11, &fieldRect);
    ASSERT_TRUE(knob && field);
    EXPECT_EQ(field->getText(), parameterText(f.controller, 11));

    CPoint centre = knobRect.getCenter();
    f.drag(centre, CPoint(centre.x, centre.y - 40)); // a fifth of the range: 1.6 Hz
    EXPECT_NEAR(f.controller->getParamNormalized(11), 0.2, 1e-5);
    EXPECT_EQ(field->getText(), parameterText(f.controller, 11));
    EXPECT_NE(field->getText().find("1.6"), std::string::npos);

    f.controller->handler.events.clear();
    f.click(fieldRect.getCenter());
    for (int i = 0; i < 10; ++i)
        f.key(VKEY_BACK);
    f.type("4");
    f.key(VKEY_RETURN);
    expectOneGesture(f.controller->handler.events, 11);
    EXPECT_NEAR(f.controller->handler.events[1].value, 0.5, 1e-9);
    EXPECT_FLOAT_EQ(knob->getValueNormalized(), 0.5f);
    EXPECT_EQ(field->getText(), parameterText(f.controller, 11));
    f.controller->setKnobMode(Steinberg::Vst::kCircularMode);
}

TEST(EditorBinding, UnparsableTextRestoresTheShownValueAndSendsNoChange)
{
    EditorFixture f;
    f.controller->setParamNormalized(11, 0.25);
    CRect fieldRect;
    auto* field = f.control<CTextEdit>(11, &fieldRect);
    const std::string shown = field->getText();
    f.click(fieldRect.getCenter());
    for (int i = 0; i < 10; ++i)
        f.key(VKEY_BACK);
    f.type("fast");
    f.key(VKEY_RETURN);
    EXPECT_EQ(f.controller->handler.count('p'), 0);
    EXPECT_EQ(field->getText(), shown);
    EXPECT_DOUBLE_EQ(f.controller->getParamNormalized(11), 0.25);
}

TEST(EditorBinding, MenuChoiceAndSwitchClickEditTheirParameters)
{
    EditorFixture f;
    CRect menuRect;
    ASSERT_NE(f.control<COptionMenu>(1, &menuRect), nullptr);
    f.click(menuRect.getCenter());
    ASSERT_NE(f.frame()->getModalView(), nullptr);
    CRect popup = f.frame()->getModalView()->getViewSize();
    EXPECT_EQ(popup.getHeight(), 11 * 18);
    f.click(CPoint(popup.left + 10, popup.top + 6 * 18 + 9)); // "R22"
    EXPECT_EQ(f.frame()->getModalView(), nullptr);
    expectOneGesture(f.controller->handler.events, 1);
    EXPECT_NEAR(f.controller->handler.events[1].value, 0.6, 1e-9);

    f.controller->handler.events.clear();
    CRect switchRect;
    ASSERT_NE(f.control<COnOffButton>(9, &switchRect), nullptr);
    f.click(switchRect.getCenter());
    expectOneGesture(f.controller->handler.events, 9);
    EXPECT_DOUBLE_EQ(f.controller->handler.events[1].value, 1.0);
}

TEST(EditorBinding, CtrlClickRestoresTheParameterDefault)
{
    EditorFixture f;
    f.controller->setParamNormalized(0, 0.9);
    f.controller->handler.events.clear();
    CRect rect;
    f.control<CAnimKnob>(0, &rect);
    f.click(rect.getCenter(), kLButton | kControl);
    expectOneGesture(f.controller->handler.events, 0);
    EXPECT_DOUBLE_EQ(f.controller->getParamNormalized(0), 0.5);
}

TEST(EditorBinding, ExchangedViewIsRebuiltOnTheIdleTickAndStaysBound)
{
    ManualTimerScheduler scheduler;
    auto* controller = new TestController();
    auto* editor = new VST3Editor(controller, "Editor", uiDescriptionPath().c_str());
    editor->setIdleRate(50);
    editor->setTimerScheduler(&scheduler);
    ASSERT_TRUE(editor->open(nullptr));
    CView* before = editor->getFrame()->getView(0);
    before->remember(); // kept alive, so a new view cannot take its address
    EXPECT_FALSE(editor->exchangeView("No such template"));
    EXPECT_TRUE(editor->exchangeView("Editor"));
    scheduler.advance(49);
    EXPECT_EQ(editor->getFrame()->getView(0), before);
    scheduler.advance(1);
    ASSERT_EQ(editor->getFrame()->getNbViews(), 1u);
    EXPECT_NE(editor->getFrame()->getView(0), before);
    EXPECT_FALSE(before->isAttached());
    before->forget();

    auto* listener = editor->getParameterChangeListener(5);
    ASSERT_NE(listener, nullptr);
    EXPECT_FALSE(listener->empty());

    editor->close();
    EXPECT_EQ(scheduler.scheduledCount(), 0u);
    controller->setParamNormalized(5, 0.1); // no editor listens any more
    editor->release();
    controller->release();
}
