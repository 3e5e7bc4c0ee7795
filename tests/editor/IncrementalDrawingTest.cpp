// The editor at rest and under use, drawn the way a window paints it: only the dirty rectangles,
// each cleared and redrawn on a lasting image. The full redraw of the frame is the reference:
// after every idle tick the lasting image must equal it pixel for pixel. An idle editor paints
// nothing, and a change from the host repaints the controls of that parameter only.
#include "IncrementalSession.h"

#include "vstgui/CAnimKnob.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace VSTGUI;
using incremental::sameImage;

namespace
{
const std::string kDocument = std::string(VEVADUR_UI_RESOURCES_DIR) + "/zada.uidesc";

// The plug-in's editor, open.
struct IncrementalEditor : incremental::IncrementalEditor
{
    IncrementalEditor() : incremental::IncrementalEditor(kDocument) { EXPECT_TRUE(isOpen()); }
};

bool sameRects(std::vector<CRect> a, std::vector<CRect> b)
{
    const auto order = [](const CRect& x, const CRect& y) {
        return std::tie(x.left, x.top, x.right, x.bottom) <
               std::tie(y.left, y.top, y.right, y.bottom);
    };
    std::sort(a.begin(), a.end(), order);
    std::sort(b.begin(), b.end(), order);
    return a == b;
}

std::string describe(const std::vector<CRect>& rects)
{
    std::ostringstream text;
    for (const CRect& r : rects)
        text << '(' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ") ";
    return text.str();
}
} // namespace

TEST(IdleEditor, PaintsNothingAfterItsFirstPaintWhileTheEffectHearsEveryTick)
{
    IncrementalEditor e;
    const std::vector<CRect> first = e.paint();
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0], CRect(0, 0, e.width(), e.height()));

    e.paints = 0;
    const int ticksBefore = e.room->count(EditorMessage::kTimerTick);
    for (int i = 0; i < 100; ++i) // five seconds
    {
        e.tick();
        e.paint();
    }
    EXPECT_EQ(e.paints, 0);
    EXPECT_EQ(e.room->count(EditorMessage::kTimerTick) - ticksBefore, 100);
    std::string where;
    EXPECT_TRUE(sameImage(*e.canvas, *e.fullRedraw(), where)) << where;
}

TEST(IdleEditor, AHostChangeRepaintsThatParametersControlsOnly)
{
    IncrementalEditor e;
    e.paint();
    const auto speedViews = e.controls<CControl>(11); // the knob and its value field
    ASSERT_EQ(speedViews.size(), 2u);

    EXPECT_EQ(e.processor->setParamNormalized(11, 0.7), kResultTrue);
    e.tick();
    EXPECT_TRUE(sameRects(e.paint(), {speedViews[0].rect, speedViews[1].rect}))
        << describe(e.paint());

    const auto gain = e.controls<CAnimKnob>(0);
    ASSERT_EQ(gain.size(), 1u);
    e.processor->setParamNormalized(0, 0.2);
    const std::vector<CRect> painted = e.paint();
    EXPECT_TRUE(sameRects(painted, {gain[0].rect})) << describe(painted);

    // The value it already shows: nothing to repaint.
    e.processor->setParamNormalized(0, 0.2);
    e.tick();
    EXPECT_TRUE(e.paint().empty());
    std::string where;
    EXPECT_TRUE(sameImage(*e.canvas, *e.fullRedraw(), where)) << where;
}

TEST(IdleEditor, ExposedAreasAreRepaintedAsTheyWere)
{
    IncrementalEditor e;
    e.paint();
    // The window system lost a part of the window: that part, and only it, is painted again.
    e.canvas->clearRect(CRect(40, 100, 140, 300));
    e.frame().invalidRect(CRect(40, 100, 140, 300));
    const std::vector<CRect> painted = e.paint();
    EXPECT_TRUE(sameRects(painted, {CRect(40, 100, 140, 300)})) << describe(painted);
    std::string where;
    EXPECT_TRUE(sameImage(*e.canvas, *e.fullRedraw(), where)) << where;
}

TEST(IdleEditor, AResizedFrameIsPaintedWholeOnItsNewImage)
{
    IncrementalEditor e;
    e.paint();
    // The host gives the editor another size: the window's image is made anew at that size,
    // and all of it is painted.
    ViewRect larger(0, 0, 340, 620);
    ASSERT_EQ(e.editor->onSize(&larger), kResultTrue);
    ASSERT_EQ(e.width(), 340);
    e.canvas =
        std::make_unique<COffscreenContext>(e.width(), e.height(), &e.frame().getTextRenderer());
    const std::vector<CRect> painted = e.paint();
    EXPECT_TRUE(sameRects(painted, {CRect(0, 0, 340, 620)})) << describe(painted);
    std::string where;
    EXPECT_TRUE(sameImage(*e.canvas, *e.fullRedraw(), where)) << where;
    e.tick();
    EXPECT_TRUE(e.paint().empty());
}

// A random stretch of use: host changes, drags, typed values, menu choices, switch clicks,
// exposures, paints between ticks as a window's refresh makes them, and idle ticks. After every
// tick the painted image equals a full redraw; at the end the editor rests again. Also at screen
// scales, where a view's edge may fall inside a device pixel: painting only a part of the
// window must leave no seam there.
TEST(IncrementalDrawing, EqualsAFullRedrawAfterEveryTickOfARandomSession)
{
    const std::tuple<unsigned, double> sessions[] = {
        {1u, 1.0}, {2u, 1.0}, {3u, 1.0}, {4u, 1.5}, {5u, 2.0}};
    for (const auto& [seed, scale] : sessions)
    {
        SCOPED_TRACE(testing::Message() << "seed " << seed << " at scale " << scale);
        const std::string images = testing::TempDir() + "incremental-" + std::to_string(seed);
        const incremental::SessionReport report =
            incremental::runRandomSession(kDocument, seed, 400, images, scale);
        EXPECT_EQ(report.scale, scale);
        EXPECT_EQ(report.steps, 400);
        EXPECT_GT(report.ticks, 50);
        EXPECT_EQ(report.mismatches, 0)
            << report.firstMismatch << "(saved " << images << "-painted.png and -full.png)";
        EXPECT_EQ(report.paintsAtRest, 0);
    }
}
