// Pad sub-controllers: which names make one, which parameters it pairs, and the pad's y
// counted upward on the way to the y parameter.
#include "DocumentFixture.h"

#include "gui/CPadControllerZx.h"
#include "gui/CXYPadZx.h"

#include "vst3/ParameterIds.h"

#include <gtest/gtest.h>

#include <memory>

using namespace VSTGUI;
using namespace Steinberg::Vst::Veru2ZOR3;

namespace
{
// A 100 x 100 pad (handle radius 0) in a container with the given sub-controller.
std::string padIn(const std::string& subController, const char* padName = "TrackPad")
{
    return "<view class=\"CViewContainer\" origin=\"0, 0\" size=\"100, 100\" sub-controller=\"" +
           subController + "\"><view custom-view-name=\"" + padName +
           "\" origin=\"0, 0\" size=\"100, 100\" round-rect-radius=\"0\"/></view>";
}

CXYPadZx* padOf(const DocumentFixture& f)
{
    auto* container = dynamic_cast<CViewContainer*>(f.onlyView());
    if (!container || container->getNbViews() != 1) return nullptr;
    return dynamic_cast<CXYPadZx*>(container->getView(0));
}

void dragTo(const DocumentFixture& f, CPoint where)
{
    f.frame()->onMouseDown(where, kLButton);
    f.frame()->onMouseUp(where, kLButton);
}
} // namespace

TEST(PadSubController, TrackPadNamePairsTheParametersAfterItsMarkers)
{
    DocumentFixture f;
    ASSERT_TRUE(f.open(padIn("TrackPad_X0_Y4")));
    CXYPadZx* pad = padOf(f);
    ASSERT_NE(pad, nullptr);
    EXPECT_NE(dynamic_cast<CPadControllerZx*>(pad->getListener()), nullptr);

    dragTo(f, CPoint(30, 80));
    const RecordingHandler& host = f.controller->handler;
    EXPECT_NEAR(host.lastValue(0), 0.3, 0.0011);
    EXPECT_NEAR(host.lastValue(4), 0.2, 0.0011); // y counted upward
    EXPECT_EQ(host.events.front().kind, 'b');
    EXPECT_EQ(host.events.back().kind, 'e');

    // A parameter change moves the handle, y downward again.
    f.controller->setParamNormalized(4, 0.9);
    float x = 0.f;
    float y = 0.f;
    CXYPad::calculateXY(pad->getValue(), x, y);
    EXPECT_NEAR(x, 0.3f, 0.0011f);
    EXPECT_NEAR(y, 0.1f, 0.0011f);
}

TEST(PadSubController, JoystickNameMakesTheFrameworksController)
{
    DocumentFixture f;
    ASSERT_TRUE(f.open(padIn("Joystick_X1_Y2", "Joystick")));
    CXYPadZx* pad = padOf(f);
    ASSERT_NE(pad, nullptr);
    EXPECT_TRUE(pad->isJoystick());
    EXPECT_NE(dynamic_cast<CPadControllerZx*>(pad->getListener()), nullptr);
    dragTo(f, CPoint(50, 40));
    EXPECT_NEAR(f.controller->handler.lastValue(1), 0.5, 0.0011);
    EXPECT_NEAR(f.controller->handler.lastValue(2), 0.6, 0.0011);
}

TEST(PadSubController, VectorJoystickIsThePlainPadControllerOnTheJoystickParameters)
{
    DocumentFixture f;
    ASSERT_TRUE(f.open(padIn("VectorJoystick", "Joystick")));
    CXYPadZx* pad = padOf(f);
    ASSERT_NE(pad, nullptr);
    auto* controller = dynamic_cast<PadController*>(pad->getListener());
    ASSERT_NE(controller, nullptr);
    EXPECT_EQ(dynamic_cast<CPadControllerZx*>(controller), nullptr);
    dragTo(f, CPoint(40, 50));
    EXPECT_NEAR(f.controller->handler.lastValue(ParameterIds::kJoystickX), 0.4, 0.0011);
    EXPECT_NEAR(f.controller->handler.lastValue(ParameterIds::kJoystickY), 0.5, 0.0011);
}

TEST(PadSubController, NamesWithoutBothMarkersInOrderMakeNone)
{
    auto* controller = new DelegateController();
    auto* editor = new VST3Editor(controller, "view", "");
    for (const char* name : {"Joystick_Y1_X2", "Joystick_X2", "Joystick_Y2", "TrackPad_Y4_X2",
                             "TrackPad_X2", "Pad_X1_Y2", "vectorjoystick", ""})
    {
        std::unique_ptr<IController> made(controller->createSubController(name, nullptr, editor));
        EXPECT_EQ(made, nullptr) << name;
    }
    for (const char* name : {"Joystick_X1_Y2", "TrackPad_X2_Y4", "MyTrackPad_X0_Y1"})
    {
        std::unique_ptr<IController> made(controller->createSubController(name, nullptr, editor));
        EXPECT_NE(dynamic_cast<CPadControllerZx*>(made.get()), nullptr) << name;
    }
    // No editor to delegate to, or no effect: none.
    EXPECT_EQ(controller->createSubController("VectorJoystick", nullptr, nullptr), nullptr);
    EditorMessage message;
    CustomViewFactory withoutEffect(nullptr, message, controller);
    EXPECT_EQ(withoutEffect.createSubController("VectorJoystick", nullptr, editor), nullptr);
    editor->release();
    controller->release();
}
