// Control semantics the editor relies on: value bounds, edit gestures, knob drags in each mode,
// film-strip frames, switches, buttons, menus, text entry and the XY pad's packed value.
#include "vstgui/CAnimKnob.h"
#include "vstgui/CFrame.h"
#include "vstgui/CKickButton.h"
#include "vstgui/COnOffButton.h"
#include "vstgui/COptionMenu.h"
#include "vstgui/CTextEdit.h"
#include "vstgui/CXYPad.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace VSTGUI;

namespace
{
struct RecordingListener : IControlListener
{
    void valueChanged(CControl* c) override
    {
        log.push_back("change " + std::to_string(c->getValue()));
    }
    void controlBeginEdit(CControl*) override { log.push_back("begin"); }
    void controlEndEdit(CControl*) override { log.push_back("end"); }
    int count(const std::string& prefix) const
    {
        int n = 0;
        for (const auto& entry : log)
            n += entry.rfind(prefix, 0) == 0;
        return n;
    }
    std::vector<std::string> log;
};

struct KnobModeEditor : VSTGUIEditorInterface
{
    int32_t getKnobMode() const override { return mode; }
    CFrame* getFrame() const override { return nullptr; }
    int32_t mode = kLinearMode;
};

// A frame with one control placed in a nested container, so events cross two coordinate spaces.
struct Fixture
{
    explicit Fixture(CControl* control)
    {
        frame = new CFrame(CRect(0, 0, 300, 300), &editor);
        auto* container = new CViewContainer(CRect(20, 30, 280, 280));
        container->addView(control);
        frame->addView(container);
        control->setListener(&listener);
    }
    ~Fixture() { frame->forget(); }
    void press(CPoint p, int32_t buttons = kLButton) { frame->onMouseDown(p, buttons); }
    void move(CPoint p, int32_t buttons = kLButton) { frame->onMouseMoved(p, buttons); }
    void release(CPoint p) { frame->onMouseUp(p, kLButton); }
    void key(unsigned char virt, int32_t character = 0)
    {
        VstKeyCode code;
        code.virt = virt;
        code.character = character;
        frame->onKeyDown(code);
    }
    void type(const std::string& text)
    {
        for (char c : text)
            key(0, c);
    }

    KnobModeEditor editor;
    RecordingListener listener;
    CFrame* frame = nullptr;
};

// Frame coordinates of a point in the control's own parent container.
CPoint inFrame(CPoint p)
{
    return p.offset(20, 30);
}
} // namespace

TEST(ControlValue, BoundedNormalisedAndSafeAgainstNaN)
{
    CControl control(CRect(0, 0, 10, 10));
    control.setMin(-2.f);
    control.setMax(6.f);
    control.setValue(10.f);
    EXPECT_FLOAT_EQ(control.getValue(), 6.f);
    control.setValue(std::nanf(""));
    EXPECT_FLOAT_EQ(control.getValue(), -2.f);
    control.setValueNormalized(0.25f);
    EXPECT_FLOAT_EQ(control.getValue(), 0.f);
    EXPECT_FLOAT_EQ(control.getValueNormalized(), 0.25f);
    control.setMax(-2.f);
    EXPECT_FLOAT_EQ(control.getValueNormalized(), 0.f); // empty range, no division by zero
}

TEST(ControlValue, NestedEditsReachTheListenerOnceAndDirtyTracksDrawing)
{
    RecordingListener listener;
    CControl control(CRect(0, 0, 10, 10), &listener, 4);
    control.beginEdit();
    control.beginEdit();
    control.endEdit();
    EXPECT_TRUE(control.isEditing());
    control.endEdit();
    control.endEdit(); // one too many: ignored
    EXPECT_EQ(listener.log, (std::vector<std::string>{"begin", "end"}));

    control.setDirty(false);
    EXPECT_FALSE(control.isDirty());
    control.setValue(0.75f);
    EXPECT_TRUE(control.isDirty());
}

TEST(Knob, LinearDragMovesTwoHundredPixelsPerRangeAndShiftZooms)
{
    auto* knob = new CKnob(CRect(10, 10, 52, 52), nullptr, 3, nullptr);
    knob->setValue(0.5f);
    Fixture f(knob);
    f.press(inFrame({30, 30}));
    f.move(inFrame({30, 10})); // 20 px up
    EXPECT_NEAR(knob->getValue(), 0.6f, 1e-5);
    f.move(inFrame({40, 10})); // and 10 px right
    EXPECT_NEAR(knob->getValue(), 0.65f, 1e-5);
    f.move(inFrame({40, 10}), kLButton | kShift); // switching to fine keeps the value
    EXPECT_NEAR(knob->getValue(), 0.65f, 1e-5);
    f.move(inFrame({40, -5}), kLButton | kShift); // 15 px at 1/300
    EXPECT_NEAR(knob->getValue(), 0.7f, 1e-5);
    f.release(inFrame({40, -5}));
    EXPECT_EQ(f.listener.count("begin"), 1);
    EXPECT_EQ(f.listener.count("end"), 1);
    EXPECT_GE(f.listener.count("change"), 3);
    EXPECT_FALSE(knob->isEditing());
}

TEST(Knob, CircularModeTakesTheValueUnderThePointer)
{
    auto* knob = new CKnob(CRect(0, 0, 100, 100), nullptr, 1, nullptr);
    Fixture f(knob);
    f.editor.mode = kCircularMode;
    // Start angle 135 degrees (lower left), range 270 degrees clockwise.
    EXPECT_NEAR(knob->valueFromPoint({50, 0}), 0.5f, 1e-4);    // top
    EXPECT_NEAR(knob->valueFromPoint({0, 50}), 1.f / 6, 1e-4); // left: 45 of 270 degrees
    EXPECT_NEAR(knob->valueFromPoint({45, 100}), 0.f, 1e-4);   // dead zone, nearer the minimum
    f.press(inFrame({99, 50}));                                // right: 225 of 270 degrees
    EXPECT_NEAR(knob->getValue(), 5.f / 6, 1e-4);
    f.release(inFrame({99, 50}));
}

TEST(Knob, CtrlClickRestoresTheDefaultAsOneEdit)
{
    auto* knob = new CKnob(CRect(0, 0, 40, 40), nullptr, 2, nullptr);
    knob->setDefaultValue(0.25f);
    knob->setValue(0.9f);
    Fixture f(knob);
    f.press(inFrame({20, 20}), kLButton | kControl);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.25f);
    EXPECT_EQ(f.listener.log, (std::vector<std::string>{"begin", "change 0.250000", "end"}));
}

TEST(AnimKnob, ShowsTheFrameOfTheValueRoundedDown)
{
    CAnimKnob knob(CRect(0, 0, 42, 42), nullptr, 0, 80, 42, nullptr);
    knob.setValue(0.f);
    EXPECT_EQ(knob.frameOffset(), 0);
    knob.setValue(1.f);
    EXPECT_EQ(knob.frameOffset(), 79 * 42);
    knob.setValue(0.5f);
    EXPECT_EQ(knob.frameOffset(), 39 * 42); // 39.5 frames: rounded down
    knob.setInverseBitmap(true);
    knob.setValue(1.f);
    EXPECT_EQ(knob.frameOffset(), 0);
}

TEST(OnOffButton, EachClickTogglesAsOneCompleteEdit)
{
    auto* button = new COnOffButton(CRect(0, 0, 42, 42));
    Fixture f(button);
    f.press(inFrame({10, 10}));
    EXPECT_FLOAT_EQ(button->getValue(), 1.f);
    f.press(inFrame({10, 10}));
    EXPECT_FLOAT_EQ(button->getValue(), 0.f);
    EXPECT_EQ(f.listener.log, (std::vector<std::string>{"begin", "change 1.000000", "end", "begin",
                                                        "change 0.000000", "end"}));
    f.press(inFrame({10, 10}), kRButton); // only the left button switches
    EXPECT_FLOAT_EQ(button->getValue(), 0.f);
}

TEST(KickButton, PressedWhileHeldAndReleasedToMinimum)
{
    auto* button = new CKickButton(CRect(0, 0, 20, 20), nullptr, 5, nullptr);
    Fixture f(button);
    f.press(inFrame({5, 5}));
    EXPECT_FLOAT_EQ(button->getValue(), 1.f);
    f.move(inFrame({50, 50})); // off the button: released look
    EXPECT_FLOAT_EQ(button->getValue(), 0.f);
    f.move(inFrame({5, 5}));
    f.release(inFrame({5, 5}));
    EXPECT_FLOAT_EQ(button->getValue(), 0.f);
    EXPECT_EQ(f.listener.log,
              (std::vector<std::string>{"begin", "change 1.000000", "change 0.000000", "end"}));
}

TEST(OptionMenu, PopupListsEntriesAndAChoiceIsOneEdit)
{
    auto* menu = new COptionMenu(CRect(10, 10, 50, 30));
    for (const char* name : {"Center", "L22", "-", "L45"})
        menu->addEntry(name);
    Fixture f(menu);
    EXPECT_EQ(menu->getNbEntries(), 4);
    EXPECT_FLOAT_EQ(menu->getMax(), 3.f);

    f.press(inFrame({20, 20}));
    ASSERT_NE(f.frame->getModalView(), nullptr);
    EXPECT_TRUE(menu->isPopupOpen());
    // Rows of 18 px start under the menu (frame y 60).
    f.press(CPoint(40, 60 + 3 * 18 + 5));
    EXPECT_EQ(f.frame->getModalView(), nullptr);
    EXPECT_EQ(menu->getCurrentIndex(), 3);
    EXPECT_EQ(f.listener.log, (std::vector<std::string>{"begin", "change 3.000000", "end"}));

    f.press(inFrame({20, 20}));
    f.press(CPoint(290, 290)); // outside: closes without a change
    EXPECT_EQ(f.frame->getModalView(), nullptr);
    EXPECT_EQ(menu->getCurrentIndex(), 3);
    EXPECT_EQ(menu->getLastResult(), -1);

    f.press(inFrame({20, 20}));
    f.key(VKEY_UP); // from entry 3, over the separator
    f.key(VKEY_RETURN);
    EXPECT_EQ(menu->getCurrentIndex(), 1);
}

TEST(TextEdit, TypedTextCommitsOnReturnAndEscapeDropsIt)
{
    auto* edit = new CTextEdit(CRect(0, 0, 60, 16), nullptr, 11, "1.00");
    edit->setStringToValueFunction(
        [](const std::string& text, float& value, CTextEdit*)
        {
            value = std::stof(text);
            return true;
        });
    Fixture f(edit);
    f.press(inFrame({5, 5}));
    ASSERT_EQ(f.frame->getFocusView(), edit);
    f.key(VKEY_BACK);
    f.key(VKEY_BACK);
    f.key(VKEY_BACK);
    f.key(VKEY_BACK);
    f.type("0.5");
    EXPECT_EQ(edit->getEditText(), "0.5");
    f.key(VKEY_RETURN);
    EXPECT_EQ(f.frame->getFocusView(), nullptr);
    EXPECT_FLOAT_EQ(edit->getValue(), 0.5f);
    EXPECT_EQ(edit->getText(), "0.50");
    EXPECT_EQ(f.listener.log, (std::vector<std::string>{"begin", "change 0.500000", "end"}));

    f.press(inFrame({5, 5}));
    f.type("9");
    f.key(VKEY_ESCAPE);
    EXPECT_EQ(edit->getText(), "0.50");
    EXPECT_EQ(f.listener.count("change"), 1);

    f.press(inFrame({5, 5}));
    f.type("7");
    f.press(CPoint(290, 290));          // clicking elsewhere commits too
    EXPECT_EQ(edit->getText(), "0.51"); // the committed value, in the display's precision
}

TEST(XYPad, PacksBothCoordinatesToThreeDecimals)
{
    for (float x : {0.f, 0.25f, 0.5f, 0.999f, 1.f})
        for (float y : {0.f, 0.125f, 0.5f, 1.f})
        {
            float ux = -1;
            float uy = -1;
            CXYPad::calculateXY(CXYPad::calculateValue(x, y), ux, uy);
            EXPECT_NEAR(ux, x, 1e-3) << x << "," << y;
            EXPECT_NEAR(uy, y, 1e-3) << x << "," << y;
        }
}

TEST(XYPad, DragFollowsThePointerWithinTheHandleMargins)
{
    auto* pad = new CXYPad(CRect(0, 0, 110, 110));
    pad->setRoundRectRadius(10);
    Fixture f(pad);
    f.press(inFrame({5, 5})); // the top-left handle position
    float x = 0;
    float y = 0;
    CXYPad::calculateXY(pad->getValue(), x, y);
    EXPECT_NEAR(x, 0.f, 1e-3);
    EXPECT_NEAR(y, 0.f, 1e-3);
    f.move(inFrame({55, 80}));
    CXYPad::calculateXY(pad->getValue(), x, y);
    EXPECT_NEAR(x, 0.5f, 1e-3);
    EXPECT_NEAR(y, 0.75f, 1e-3);
    f.move(inFrame({500, 80})); // on the right edge y survives the packing
    CXYPad::calculateXY(pad->getValue(), x, y);
    EXPECT_NEAR(x, 1.f, 1e-3);
    EXPECT_NEAR(y, 0.75f, 1e-3);
    f.move(inFrame({500, -50})); // clamped
    CXYPad::calculateXY(pad->getValue(), x, y);
    EXPECT_NEAR(x, 1.f, 1e-3);
    EXPECT_NEAR(y, 0.f, 1e-3);
    f.release(inFrame({500, -50}));
    EXPECT_EQ(f.listener.count("begin"), 1);
    EXPECT_EQ(f.listener.count("end"), 1);
}
