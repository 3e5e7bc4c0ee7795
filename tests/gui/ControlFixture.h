// One control in a frame, placed in a nested container so that events cross two coordinate
// spaces, with a listener that records what the control tells it.
#pragma once

#include "vstgui/CControl.h"
#include "vstgui/CFrame.h"

#include <string>
#include <vector>

struct RecordingListener : VSTGUI::IControlListener
{
    void valueChanged(VSTGUI::CControl* control) override
    {
        events.push_back("change");
        values.push_back(control->getValue());
    }
    void controlBeginEdit(VSTGUI::CControl*) override { events.push_back("begin"); }
    void controlEndEdit(VSTGUI::CControl*) override { events.push_back("end"); }

    std::vector<std::string> events;
    std::vector<float> values;
};

struct FrameEditor : VSTGUI::VSTGUIEditorInterface
{
    VSTGUI::CFrame* getFrame() const override { return nullptr; }
};

struct ControlFixture
{
    // The container's origin in the frame.
    static constexpr double kLeft = 20;
    static constexpr double kTop = 30;

    explicit ControlFixture(VSTGUI::CControl* control) : control(control)
    {
        frame = new VSTGUI::CFrame(VSTGUI::CRect(0, 0, 400, 400), &editor);
        auto* container = new VSTGUI::CViewContainer(VSTGUI::CRect(kLeft, kTop, 380, 380));
        container->addView(control);
        frame->addView(container);
        control->setListener(&listener);
    }
    ~ControlFixture() { frame->forget(); }
    ControlFixture(const ControlFixture&) = delete;
    ControlFixture& operator=(const ControlFixture&) = delete;

    // Points in the control's parent (container) coordinates.
    static VSTGUI::CPoint inFrame(VSTGUI::CPoint p) { return p.offset(kLeft, kTop); }
    void press(VSTGUI::CPoint p, int32_t buttons = VSTGUI::kLButton)
    {
        VSTGUI::CPoint where = inFrame(p);
        frame->onMouseDown(where, buttons);
    }
    void move(VSTGUI::CPoint p, int32_t buttons = VSTGUI::kLButton)
    {
        VSTGUI::CPoint where = inFrame(p);
        frame->onMouseMoved(where, buttons);
    }
    void release(VSTGUI::CPoint p)
    {
        VSTGUI::CPoint where = inFrame(p);
        frame->onMouseUp(where, VSTGUI::kLButton);
    }
    void key(unsigned char virt, int32_t character = 0)
    {
        VSTGUI::VstKeyCode code;
        code.virt = virt;
        code.character = character;
        frame->onKeyDown(code);
    }
    void type(const std::string& text)
    {
        for (char c : text)
            key(0, c);
    }

    FrameEditor editor;
    RecordingListener listener;
    VSTGUI::CControl* control;
    VSTGUI::CFrame* frame = nullptr;
};
