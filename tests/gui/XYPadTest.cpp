// The XY pad: packed value, mouse mapping with y counted upward for the listener, the
// joystick's diamond and last valid point, values from the parameter side, and drawing.
#include "ControlFixture.h"

#include "gui/CXYPadZx.h"

#include "vstgui/COffscreenContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace VSTGUI;

namespace
{
// The pad fills (10, 10)-(110, 110) of its container; with a radius of 10 the handle's centre
// covers 90 pixels each way.
constexpr double kPadLeft = 10;
constexpr double kPadTop = 10;
constexpr double kRadius = 10;
constexpr double kSpan = 90;

CPoint padPoint(double x, double y)
{
    return CPoint(kPadLeft + kRadius / 2 + x * kSpan, kPadTop + kRadius / 2 + y * kSpan);
}

CXYPadZx* makePad(bool joystick)
{
    auto* pad = new CXYPadZx(CRect(kPadLeft, kPadTop, kPadLeft + 100, kPadTop + 100));
    pad->setRoundRectRadius(kRadius);
    pad->setJoystick(joystick);
    return pad;
}

struct Point
{
    float x;
    float y;
};

Point unpack(float value)
{
    Point p{};
    CXYPad::calculateXY(value, p.x, p.y);
    return p;
}

Point lastHeard(const RecordingListener& listener)
{
    return listener.values.empty() ? Point{-1, -1} : unpack(listener.values.back());
}

constexpr float kThousandth = 0.0011f;
} // namespace

TEST(XYPadValue, PacksXAndYToThreeDecimalsEach)
{
    const float coordinates[] = {0.f, 0.001f, 0.25f, 0.5f, 0.613f, 0.999f, 1.f};
    for (float x : coordinates)
        for (float y : coordinates)
        {
            const Point p = unpack(CXYPad::calculateValue(x, y));
            EXPECT_NEAR(p.x, x, kThousandth) << x << ", " << y;
            EXPECT_NEAR(p.y, y, kThousandth) << x << ", " << y;
        }
}

TEST(XYPadValue, ParameterValuesCountYUpward)
{
    CXYPadZx* pad = makePad(false);
    pad->setValue(CXYPad::calculateValue(0.25f, 0.8f));
    Point shown = unpack(pad->getValue());
    EXPECT_NEAR(shown.x, 0.25f, kThousandth);
    EXPECT_NEAR(shown.y, 0.2f, kThousandth);

    // A track pad holds values from the parameter side within the pad.
    pad->setValue(CXYPad::calculateValue(1.2f, 0.f));
    shown = unpack(pad->getValue());
    EXPECT_NEAR(shown.x, 1.f, kThousandth);
    EXPECT_NEAR(shown.y, 1.f, kThousandth);
    pad->setValue(std::nanf(""));
    EXPECT_TRUE(std::isfinite(pad->getValue()));
    pad->forget();
}

TEST(TrackPad, MouseMapsToThePadWithYUpwardForTheListener)
{
    CXYPadZx* pad = makePad(false);
    ControlFixture fixture(pad);
    fixture.press(padPoint(0.3, 0.6));
    EXPECT_TRUE(pad->isTracking());
    Point heard = lastHeard(fixture.listener);
    EXPECT_NEAR(heard.x, 0.3f, kThousandth);
    EXPECT_NEAR(heard.y, 0.4f, kThousandth);
    Point shown = unpack(pad->getValue());
    EXPECT_NEAR(shown.x, 0.3f, kThousandth);
    EXPECT_NEAR(shown.y, 0.6f, kThousandth);

    // Beyond the edges the point stays on the pad: the top edge is y = 1 for the parameter.
    fixture.move(CPoint(kPadLeft + 50, kPadTop - 40));
    heard = lastHeard(fixture.listener);
    EXPECT_NEAR(heard.y, 1.f, kThousandth);
    fixture.move(CPoint(kPadLeft + 300, kPadTop + 300));
    heard = lastHeard(fixture.listener);
    EXPECT_NEAR(heard.x, 1.f, kThousandth);
    EXPECT_NEAR(heard.y, 0.f, kThousandth);
    fixture.release(CPoint(kPadLeft + 300, kPadTop + 300));
    EXPECT_FALSE(pad->isTracking());

    // One edit gesture, opened before the first change.
    const auto& events = fixture.listener.events;
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events.front(), "begin");
    EXPECT_EQ(events.back(), "end");
    EXPECT_EQ(std::count(events.begin(), events.end(), "begin"), 1);
}

TEST(TrackPad, EveryMoveToANewPointReachesTheListener)
{
    CXYPadZx* pad = makePad(false);
    ControlFixture fixture(pad);
    fixture.press(padPoint(0.5, 0.3));
    pad->setDirty(false); // as after a redraw
    fixture.move(padPoint(0.5, 0.5));
    // The y-flipped value of this point equals the value last drawn.
    fixture.move(padPoint(0.5, 0.7));
    const Point heard = lastHeard(fixture.listener);
    EXPECT_NEAR(heard.y, 0.3f, kThousandth);
    fixture.release(padPoint(0.5, 0.7));
}

TEST(TrackPad, OnlyTheLeftButtonAloneDrags)
{
    CXYPadZx* pad = makePad(false);
    ControlFixture fixture(pad);
    fixture.press(padPoint(0.3, 0.6), kLButton | kRButton);
    fixture.press(padPoint(0.3, 0.6), kRButton);
    EXPECT_TRUE(fixture.listener.events.empty());
    EXPECT_FALSE(pad->isTracking());
}

TEST(Joystick, DiamondHoldsThePointsNearerTheCentreThanHalfWay)
{
    CXYPadZx* pad = makePad(true);
    for (int i = 0; i <= 40; ++i)
        for (int j = 0; j <= 40; ++j)
        {
            const float x = i / 40.f;
            const float y = j / 40.f;
            const float distance = std::fabs(x - 0.5f) + std::fabs(y - 0.5f);
            if (std::fabs(distance - 0.5f) < 1e-4f) continue; // on an edge
            EXPECT_EQ(pad->insideDiamond(x, y), distance < 0.5f) << x << ", " << y;
        }
    pad->forget();
}

TEST(Joystick, OutsideTheDiamondTheHandleStaysAtTheLastPointInside)
{
    CXYPadZx* pad = makePad(true);
    ControlFixture fixture(pad);
    fixture.press(padPoint(0.5, 0.5));
    fixture.move(padPoint(0.5, 0.3));
    fixture.move(padPoint(0.05, 0.05)); // a corner
    Point shown = unpack(pad->getValue());
    EXPECT_NEAR(shown.x, 0.5f, kThousandth);
    EXPECT_NEAR(shown.y, 0.3f, kThousandth);
    Point heard = lastHeard(fixture.listener);
    EXPECT_NEAR(heard.y, 0.7f, kThousandth);
    fixture.release(padPoint(0.05, 0.05));

    // The last valid point outlives the drag.
    fixture.press(padPoint(0.95, 0.95));
    shown = unpack(pad->getValue());
    EXPECT_NEAR(shown.x, 0.5f, kThousandth);
    EXPECT_NEAR(shown.y, 0.3f, kThousandth);
    EXPECT_NEAR(pad->getLastValidPoint().y, 0.3, kThousandth);
    fixture.release(padPoint(0.95, 0.95));
}

TEST(Joystick, ParameterValuesOutsideTheDiamondDoNotMoveTheHandle)
{
    CXYPadZx* pad = makePad(true);
    pad->setValue(CXYPad::calculateValue(0.5f, 0.8f));
    const float inside = pad->getValue();
    EXPECT_NEAR(unpack(inside).y, 0.2f, kThousandth);
    pad->setValue(CXYPad::calculateValue(0.1f, 0.9f)); // (0.1, 0.1) with y downward
    EXPECT_EQ(pad->getValue(), inside);
    pad->setValue(std::nanf(""));
    EXPECT_EQ(pad->getValue(), inside);
    pad->forget();
}

TEST(XYPadDrawing, TrackPadHandleSitsAtTheValue)
{
    CXYPadZx* pad = makePad(false);
    pad->setBackColor(kBlackCColor);
    pad->setFontColor(kGreenCColor);
    pad->setValue(CXYPad::calculateValue(0.25f, 0.25f)); // (0.25, 0.75) with y downward
    COffscreenContext image(120, 120, nullptr);
    pad->draw(&image);
    const CPoint handle = padPoint(0.25, 0.75);
    EXPECT_EQ(image.getPixel(static_cast<int>(handle.x), static_cast<int>(handle.y)), kGreenCColor);
    const CPoint mirrored = padPoint(0.75, 0.25);
    EXPECT_EQ(image.getPixel(static_cast<int>(mirrored.x), static_cast<int>(mirrored.y)),
              kBlackCColor);
    EXPECT_FALSE(pad->isDirty());
    pad->forget();
}

TEST(XYPadDrawing, JoystickDrawsTheDiamondAndLeavesTheCornersEmpty)
{
    CXYPadZx* pad = makePad(true);
    pad->setBackColor(kBlueCColor);
    pad->setFrameColor(kRedCColor);
    pad->setFontColor(kGreenCColor);
    pad->setValue(CXYPad::calculateValue(0.5f, 0.5f));
    COffscreenContext image(120, 120, nullptr);
    pad->draw(&image);
    EXPECT_EQ(image.getPixel(14, 14).alpha, 0);
    EXPECT_EQ(image.getPixel(105, 105).alpha, 0);
    EXPECT_EQ(image.getPixel(45, 45), kBlueCColor);
    EXPECT_EQ(image.getPixel(75, 80), kBlueCColor);
    EXPECT_EQ(image.getPixel(60, 60), kGreenCColor);
    // A pixel centred on the upper-left edge (x + y = 70) takes the frame colour.
    const CColor edge = image.getPixel(34, 35);
    EXPECT_GT(edge.red, 200);
    EXPECT_LT(edge.blue, 60);
    pad->forget();
}
