// Meter drawing read back from offscreen images: the analog meter's film-strip frame, the LED
// meter's lit and unlit parts, the fall per idle tick, and the detector stepping once per tick
// (never in a drawing, so that a repaint of an exposed meter shows the same level).
#include "TestImages.h"

#include "gui/CVuMeterZx.h"

#include "vstgui/CFrame.h"
#include "vstgui/COffscreenContext.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace VSTGUI;

namespace
{
constexpr CColor kLit = kGreenCColor;
constexpr CColor kUnlit = kRedCColor;

struct MeterImages
{
    MeterImages()
    {
        writeFilmStripPng(folder.file("strip.png"), 12, kFrameHeight, kFrames);
        writeSolidPng(folder.file("on-v.png"), 10, 100, kLit);
        writeSolidPng(folder.file("off-v.png"), 10, 100, kUnlit);
        writeSolidPng(folder.file("on-h.png"), 100, 10, kLit);
        writeSolidPng(folder.file("off-h.png"), 100, 10, kUnlit);
    }
    SharedPointer<CBitmap> load(const std::string& name) const
    {
        return owned(new CBitmap(CResourceDescription(folder.file(name))));
    }

    static constexpr int kFrameHeight = 8;
    static constexpr int kFrames = 10;
    TempFolder folder;
};

struct Meter
{
    Meter(CVuMeterZx* view) : view(view) {}
    ~Meter() { view->forget(); }
    Meter(const Meter&) = delete;
    Meter& operator=(const Meter&) = delete;
    CVuMeterZx* operator->() const { return view; }

    // One idle tick, then a drawing into a fresh image the size of the meter.
    std::unique_ptr<COffscreenContext> draw() const
    {
        view->onIdle();
        return drawOnly();
    }
    // A drawing without a tick, as a window repaints an exposed area.
    std::unique_ptr<COffscreenContext> drawOnly() const
    {
        auto context = std::make_unique<COffscreenContext>(
            static_cast<int>(view->getWidth()), static_cast<int>(view->getHeight()), nullptr);
        view->draw(context.get());
        return context;
    }

    CVuMeterZx* view;
};

// A meter whose detector follows its input at once, so a drawing shows the value itself.
CVuMeterZx* analogMeter(const MeterImages& images, bool inverted)
{
    auto strip = images.load("strip.png");
    auto* meter = new CVuMeterZx(CRect(0, 0, 12, MeterImages::kFrameHeight), strip.get(), nullptr,
                                 MeterImages::kFrames, inverted, true);
    meter->setFrameHeight(MeterImages::kFrameHeight);
    meter->setFrameCount(MeterImages::kFrames);
    return meter;
}

CVuMeterZx* ledMeter(const MeterImages& images, int32_t leds, bool inverted, bool horizontal)
{
    auto on = images.load(horizontal ? "on-h.png" : "on-v.png");
    auto off = images.load(horizontal ? "off-h.png" : "off-v.png");
    const CRect rect = horizontal ? CRect(0, 0, 100, 10) : CRect(0, 0, 10, 100);
    return new CVuMeterZx(rect, on.get(), off.get(), leds, inverted, false,
                          horizontal ? kHorizontal : kVertical);
}

int shownFrame(const Meter& meter)
{
    return filmStripFrame(meter.draw()->getPixel(6, 4));
}

// The lit pixels along the meter's long axis, and whether they are one run from the given end.
struct LitRun
{
    int count = 0;
    bool fromStart = true; // from the top (vertical) or the left (horizontal)
};

LitRun litRun(const COffscreenContext& image, bool horizontal)
{
    const int length = horizontal ? image.getWidth() : image.getHeight();
    std::vector<bool> lit;
    for (int i = 0; i < length; ++i)
    {
        const CColor c = horizontal ? image.getPixel(i, 5) : image.getPixel(5, i);
        EXPECT_TRUE(c == kLit || c == kUnlit) << "pixel " << i;
        lit.push_back(c == kLit);
    }
    LitRun run;
    for (bool on : lit)
        run.count += on;
    run.fromStart = run.count == 0 || lit.front();
    for (int i = 0; i < length; ++i)
        EXPECT_EQ(lit[i], run.fromStart ? i < run.count : i >= length - run.count) << i;
    return run;
}
} // namespace

TEST(AnalogMeter, PicksTheFrameOfTheLevel)
{
    MeterImages images;
    Meter meter(analogMeter(images, false));
    for (float value : {0.f, 0.1f, 0.45f, 0.5f, 0.99f, 1.f})
    {
        SCOPED_TRACE(value);
        meter->setValue(value);
        meter->setDecreaseStepValue(1.f);
        EXPECT_EQ(shownFrame(meter),
                  static_cast<int>(std::floor((MeterImages::kFrames - 1) * value)));
    }
}

TEST(AnalogMeter, InvertedStripRunsFromTheZeroFrameUpward)
{
    MeterImages images;
    Meter meter(analogMeter(images, true));
    meter->setZeroFrame(6);
    meter->setDecreaseStepValue(1.f);
    for (float value : {0.f, 0.5f, 1.f})
    {
        SCOPED_TRACE(value);
        meter->setValue(value);
        const double expected =
            std::floor((MeterImages::kFrames - 1) * 6.0 / MeterImages::kFrames * (1.0 - value));
        EXPECT_EQ(shownFrame(meter), static_cast<int>(expected));
    }
}

TEST(AnalogMeter, FrameHeightZeroDrawsTheStripFromItsTop)
{
    MeterImages images;
    Meter meter(analogMeter(images, false));
    meter->setFrameHeight(0);
    meter->setValue(1.f);
    EXPECT_EQ(shownFrame(meter), 0);
    meter->setFrameHeight(0.5); // less than one pixel: no frame to step by
    EXPECT_EQ(shownFrame(meter), 0);
}

TEST(AnalogMeter, FallsByTheDecreaseStepPerTickAndStepsTheDetector)
{
    MeterImages images;
    Meter meter(analogMeter(images, false));
    meter->setValue(1.f);
    EXPECT_EQ(shownFrame(meter), 9);
    meter->setValue(0.f);
    EXPECT_EQ(shownFrame(meter), 8); // 0.9 after one default step of 0.1
    EXPECT_EQ(shownFrame(meter), 7);

    // Attack of one time constant per tick (20 ticks a second, 50 ms).
    Meter slow(analogMeter(images, false));
    slow->getDetector().init(20.f, 50.f, 50.f, true, EnvelopeDetector::kPeak, false);
    slow->setValue(1.f);
    EXPECT_EQ(shownFrame(slow), static_cast<int>(std::floor(9 * (1 - 0.367))));
    EXPECT_NEAR(slow->getDetector().getEnvelope(), 1 - 0.367, 1e-4);
}

TEST(AnalogMeter, RepaintsShowTheLevelOfTheLastTickAndOnlyAMovingLevelIsDirty)
{
    MeterImages images;
    Meter meter(analogMeter(images, false));
    meter->setValue(1.f);
    EXPECT_EQ(shownFrame(meter), 9);
    meter->setValue(0.f);
    EXPECT_EQ(filmStripFrame(meter.drawOnly()->getPixel(6, 4)), 9); // no tick yet
    EXPECT_FALSE(meter->isDirty());
    meter->onIdle();
    EXPECT_TRUE(meter->isDirty()); // the level fell
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(filmStripFrame(meter.drawOnly()->getPixel(6, 4)), 8);
    EXPECT_FALSE(meter->isDirty());
    EXPECT_NEAR(meter->getShownValue(), 0.9f, 1e-6f);

    // Fallen all the way, the meter rests: ticks leave it clean.
    for (int i = 0; i < 20; ++i)
        meter.draw();
    EXPECT_EQ(shownFrame(meter), 0);
    meter->onIdle();
    EXPECT_FALSE(meter->isDirty());
}

TEST(AnalogMeter, AFallingMeterInAFrameIsRepaintedEveryTickUntilItRests)
{
    MeterImages images;
    auto* frame = new CFrame(CRect(0, 0, 40, 30), nullptr);
    CVuMeterZx* meter = analogMeter(images, false);
    meter->setViewSize(CRect(10, 10, 22, 10 + MeterImages::kFrameHeight), false);
    frame->addView(meter);
    COffscreenContext window(40, 30, nullptr);
    frame->invalid(); // a new window shows nothing yet
    frame->paintDirtyRects(&window);
    meter->setValue(1.f);
    frame->idle();
    frame->paintDirtyRects(&window);
    meter->setValue(0.f);
    // The level falls a tenth per tick: each tick paints the meter, and only the meter, until
    // the level rests at the bottom; the picture is a full redraw's every time.
    int paintedTicks = 0;
    for (int tick = 0; tick < 20; ++tick)
    {
        frame->idle();
        const std::vector<CRect> painted = frame->paintDirtyRects(&window);
        if (!painted.empty())
        {
            ++paintedTicks;
            ASSERT_EQ(painted.size(), 1u);
            EXPECT_EQ(painted[0], meter->getViewSize());
        }
        COffscreenContext full(40, 30, nullptr);
        frame->drawRect(&full, CRect(0, 0, 40, 30));
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(window.getPixel(x, y), full.getPixel(x, y)) << x << ", " << y;
    }
    EXPECT_EQ(paintedTicks, 10);
    EXPECT_EQ(filmStripFrame(window.getPixel(16, 14)), 0);
    frame->forget();
}

TEST(AnalogMeter, DrawsNothingWithoutAStrip)
{
    Meter meter(new CVuMeterZx(CRect(0, 0, 12, 8), nullptr, nullptr, 10, false, true));
    meter->setValue(1.f);
    EXPECT_EQ(meter.draw()->getPixel(6, 4).alpha, 0);
    EXPECT_EQ(meter->getDetector().getEnvelope(), 0.f);
    EXPECT_FALSE(meter->isDirty());
}

TEST(LedMeter, LightsWholeLedsFromTheBottom)
{
    MeterImages images;
    Meter meter(ledMeter(images, 10, false, false));
    meter->setDecreaseStepValue(1.f);
    for (float value : {0.f, 0.04f, 0.06f, 0.34f, 0.36f, 0.96f, 1.f})
    {
        SCOPED_TRACE(value);
        meter->setValue(value);
        const LitRun run = litRun(*meter.draw(), false);
        EXPECT_EQ(run.count, 10 * static_cast<int>(std::lround(10 * value)));
        EXPECT_FALSE(run.fromStart && run.count > 0 && run.count < 100);
    }
}

TEST(LedMeter, InvertedAndHorizontalMetersLightFromTheirOwnEnds)
{
    MeterImages images;
    struct Case
    {
        bool inverted;
        bool horizontal;
        bool fromStart;
    };
    for (const Case c : {Case{true, false, true}, Case{false, true, true}, Case{true, true, false}})
    {
        SCOPED_TRACE(testing::Message()
                     << "inverted " << c.inverted << " horizontal " << c.horizontal);
        Meter meter(ledMeter(images, 10, c.inverted, c.horizontal));
        meter->setDecreaseStepValue(1.f);
        meter->setValue(0.34f);
        const LitRun run = litRun(*meter.draw(), c.horizontal);
        EXPECT_EQ(run.count, 30);
        EXPECT_EQ(run.fromStart, c.fromStart);
    }
}

TEST(LedMeter, TwoLedsAreALampForTheValue)
{
    MeterImages images;
    Meter meter(ledMeter(images, 2, false, false));
    meter->setValue(0.49f);
    EXPECT_EQ(litRun(*meter.draw(), false).count, 0);
    meter->setValue(0.5f);
    EXPECT_EQ(litRun(*meter.draw(), false).count, 100);
    // The lamp follows the value itself, not the falling level.
    meter->setValue(0.f);
    EXPECT_EQ(litRun(*meter.draw(), false).count, 0);
}
