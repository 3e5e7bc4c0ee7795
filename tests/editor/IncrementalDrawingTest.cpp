// The editor at rest and under use, drawn the way a window paints it: only the dirty rectangles,
// each cleared and redrawn on a lasting image. The full redraw of the frame is the reference:
// after every idle tick the lasting image must equal it pixel for pixel. An idle editor paints
// nothing, and a change from the host repaints the controls of that parameter only.
// Must come first: it renames the edit controller's state pair.
#include "vst3/Processor.h"

#include "RecordingRoom.h"

#include "gui/VST3EditorZx.h"
#include "vstgui/CAnimKnob.h"
#include "vstgui/CFrame.h"
#include "vstgui/COffscreenContext.h"
#include "vstgui/COnOffButton.h"
#include "vstgui/COptionMenu.h"
#include "vstgui/COptionMenuPopup.h"
#include "vstgui/CTextEdit.h"
#include "vstgui/ManualTimerScheduler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace VSTGUI;
using Veru2ZOR3::Processor;
using Veru2ZOR3::VST3EditorZx;

namespace
{
const std::string kDocument = std::string(VEVADUR_UI_RESOURCES_DIR) + "/zada.uidesc";
constexpr uint32_t kTickMs = VST3EditorZx::kIdleRateMs;

RecordingRoom* g_latestRoom = nullptr;
CPlugIn* makeRoom()
{
    return g_latestRoom = new RecordingRoom;
}

struct Placed
{
    CView* view;
    CRect rect; // in frame coordinates
};

void collect(CView* view, const CPoint& origin, std::vector<Placed>& found)
{
    CRect rect = view->getViewSize();
    rect.offset(origin);
    found.push_back({view, rect});
    if (auto* container = dynamic_cast<CViewContainer*>(view))
        for (size_t i = 0; i < container->getNbViews(); ++i)
            collect(container->getView(i), rect.getTopLeft(), found);
}

bool sameImage(const COffscreenContext& a, const COffscreenContext& b, std::string& where)
{
    if (a.getWidth() != b.getWidth() || a.getHeight() != b.getHeight())
    {
        where = "sizes differ";
        return false;
    }
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            if (a.getPixel(x, y) != b.getPixel(x, y))
            {
                where = "pixel " + std::to_string(x) + ", " + std::to_string(y);
                return false;
            }
    return true;
}

// The plug-in's editor on a processor with its room, offscreen, on a clock of the test's, with a
// lasting image that paints receive as a window's contents would.
class IncrementalEditor
{
  public:
    IncrementalEditor() : processor(new Processor(&makeRoom)), room(g_latestRoom)
    {
        EXPECT_EQ(processor->initialize(nullptr), kResultOk);
        editor = new VST3EditorZx(processor, "Editor", kDocument.c_str());
        editor->setKnobMode(room->m_nKnobMode);
        editor->attachEffect(room);
        editor->setTimerScheduler(&clock);
        EXPECT_TRUE(editor->open(nullptr));
        canvas = std::make_unique<COffscreenContext>(width(), height(), &frame().getTextRenderer());
    }
    ~IncrementalEditor()
    {
        editor->close();
        editor->release();
        processor->terminate();
        processor->release();
    }

    CFrame& frame() const { return *editor->getFrame(); }
    int width() const { return static_cast<int>(frame().getWidth()); }
    int height() const { return static_cast<int>(frame().getHeight()); }

    // What the window does when it paints; the rectangles it painted.
    std::vector<CRect> paint()
    {
        std::vector<CRect> painted = frame().paintDirtyRects(canvas.get());
        if (!painted.empty()) ++paints;
        return painted;
    }
    void tick() { clock.advance(kTickMs); }

    // The whole frame drawn afresh.
    std::unique_ptr<COffscreenContext> fullRedraw() const
    {
        auto image =
            std::make_unique<COffscreenContext>(width(), height(), &frame().getTextRenderer());
        frame().drawRect(image.get(), CRect(0, 0, width(), height()));
        return image;
    }

    std::vector<Placed> views() const
    {
        std::vector<Placed> found;
        for (size_t i = 0; i < frame().getNbViews(); ++i)
            collect(frame().getView(i), CPoint(), found);
        return found;
    }
    template <typename T> std::vector<Placed> controls(int32_t tag = -1) const
    {
        std::vector<Placed> found;
        for (const Placed& placed : views())
            if (auto* control = dynamic_cast<T*>(placed.view))
                if (tag == -1 || control->getTag() == tag) found.push_back(placed);
        return found;
    }

    void press(CPoint where) { frame().onMouseDown(where, kLButton); }
    void release(CPoint where) { frame().onMouseUp(where, kLButton); }
    void click(CPoint where)
    {
        press(where);
        release(where);
    }
    void key(unsigned char virt, int32_t character = 0)
    {
        VstKeyCode code;
        code.virt = virt;
        code.character = character;
        frame().onKeyDown(code);
    }

    VSTGUI::ManualTimerScheduler clock;
    Processor* processor;
    RecordingRoom* room;
    VST3EditorZx* editor = nullptr;
    std::unique_ptr<COffscreenContext> canvas;
    int paints = 0;
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
// tick the painted image equals a full redraw.
TEST(IncrementalDrawing, EqualsAFullRedrawAfterEveryTickOfARandomSession)
{
    for (const unsigned seed : {1u, 2u, 3u})
    {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        IncrementalEditor e;
        std::mt19937 random(seed);
        const auto uniform = [&](double low, double high)
        { return std::uniform_real_distribution<double>(low, high)(random); };
        const auto pick = [&](size_t count)
        { return std::uniform_int_distribution<size_t>(0, count - 1)(random); };
        const auto knobs = e.controls<CAnimKnob>();
        const auto switches = e.controls<COnOffButton>();
        const auto menus = e.controls<COptionMenu>();
        const auto fields = e.controls<CTextEdit>();
        ASSERT_FALSE(knobs.empty() || switches.empty() || menus.empty() || fields.empty());

        std::vector<std::string> log;
        e.paint();
        int ticks = 0;
        for (int step = 0; step < 400 && !HasFailure(); ++step)
        {
            switch (pick(9))
            {
            case 0:
            {
                const auto id = static_cast<ParamID>(pick(13));
                const double value = uniform(0, 1);
                log.push_back("host " + std::to_string(id) + " = " + std::to_string(value));
                e.processor->setParamNormalized(id, value);
                break;
            }
            case 1:
            {
                const Placed& knob = knobs[pick(knobs.size())];
                const CPoint from = knob.rect.getCenter();
                const CPoint to(from.x, from.y + uniform(-80, 80));
                log.push_back("drag knob " +
                              std::to_string(static_cast<CControl*>(knob.view)->getTag()));
                e.press(from);
                CPoint middle((from.x + to.x) / 2, (from.y + to.y) / 2);
                e.frame().onMouseMoved(middle, kLButton);
                if (pick(2)) e.paint(); // a refresh in the middle of the drag
                CPoint end = to;
                e.frame().onMouseMoved(end, kLButton);
                e.release(end);
                break;
            }
            case 2:
            {
                const Placed& field = fields[pick(fields.size())];
                std::ostringstream typed;
                typed.precision(3);
                typed << uniform(-1, 12);
                log.push_back("type " + typed.str());
                e.click(field.rect.getCenter());
                for (int i = 0; i < 10; ++i)
                    e.key(VKEY_BACK);
                if (pick(2)) e.paint(); // the field while it is being typed into
                for (char c : typed.str())
                    e.key(0, c);
                if (pick(2)) e.paint(); // the typed text
                e.key(pick(4) ? VKEY_RETURN : VKEY_ESCAPE);
                break;
            }
            case 3:
            {
                const Placed& menu = menus[pick(menus.size())];
                log.push_back("menu");
                e.click(menu.rect.getCenter());
                if (pick(2)) e.paint(); // the open list
                if (auto* popup = dynamic_cast<COptionMenuPopup*>(e.frame().getModalView()))
                {
                    const int32_t count = popup->getMenu()->getNbEntries();
                    CPoint where = popup->entryRect(static_cast<int32_t>(pick(count))).getCenter();
                    e.frame().onMouseMoved(where, 0); // the highlight follows
                    if (pick(2)) e.paint();
                    e.click(pick(5) ? where : CPoint(1, 1)); // a choice, or a click beside it
                }
                break;
            }
            case 4:
            {
                const Placed& button = switches[pick(switches.size())];
                log.push_back("switch " +
                              std::to_string(static_cast<CControl*>(button.view)->getTag()));
                e.click(button.rect.getCenter());
                break;
            }
            case 5:
            {
                const double x = uniform(0, e.width());
                const double y = uniform(0, e.height());
                const CRect exposed(x, y, std::min<double>(e.width(), x + uniform(1, 120)),
                                    std::min<double>(e.height(), y + uniform(1, 120)));
                log.push_back("expose");
                // What the window lost shows nothing until it is painted again.
                e.canvas->clearRect(CRect(std::floor(exposed.left), std::floor(exposed.top),
                                          std::ceil(exposed.right), std::ceil(exposed.bottom)));
                e.frame().invalidRect(exposed);
                break;
            }
            case 6:
                e.paint();
                break;
            default:
            {
                log.push_back("tick");
                e.tick();
                e.paint();
                ++ticks;
                const auto reference = e.fullRedraw();
                std::string where;
                if (!sameImage(*e.canvas, *reference, where))
                {
                    const std::string base = testing::TempDir() + "incremental-" +
                                             std::to_string(seed) + "-" + std::to_string(step);
                    e.canvas->writePNG(base + "-painted.png");
                    reference->writePNG(base + "-full.png");
                    std::string steps;
                    for (const std::string& line : log)
                        steps += line + "\n";
                    ADD_FAILURE() << "after step " << step << ": " << where << " differs (saved "
                                  << base << "-painted.png and -full.png)\n"
                                  << steps;
                }
                break;
            }
            }
        }
        EXPECT_GT(ticks, 50);
        // After all that, the editor comes to rest again.
        e.frame().setModalView(nullptr);
        e.tick();
        e.paint();
        e.paints = 0;
        for (int i = 0; i < 20; ++i)
        {
            e.tick();
            e.paint();
        }
        EXPECT_EQ(e.paints, 0);
    }
}
