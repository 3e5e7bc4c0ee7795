#include "IncrementalSession.h"

#include "vstgui/CAnimKnob.h"
#include "vstgui/COnOffButton.h"
#include "vstgui/COptionMenu.h"
#include "vstgui/COptionMenuPopup.h"
#include "vstgui/CTextEdit.h"
#include "vstgui/ScaleFactor.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <sstream>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace VSTGUI;
using Veru2ZOR3::Processor;
using Veru2ZOR3::VST3EditorZx;

namespace incremental
{
namespace
{
// The processor's effect factory takes no context: the latest room is kept here.
RecordingRoom* g_latestRoom = nullptr;
CPlugIn* makeRoom()
{
    return g_latestRoom = new RecordingRoom;
}

void collect(CView* view, const CPoint& origin, std::vector<Placed>& found)
{
    CRect rect = view->getViewSize();
    rect.offset(origin);
    found.push_back({view, rect});
    if (auto* container = dynamic_cast<CViewContainer*>(view))
        for (size_t i = 0; i < container->getNbViews(); ++i)
            collect(container->getView(i), rect.getTopLeft(), found);
}

bool near(const CColor& a, const CColor& b, int tolerance)
{
    const auto close = [tolerance](uint8_t x, uint8_t y) { return std::abs(x - y) <= tolerance; };
    return close(a.red, b.red) && close(a.green, b.green) && close(a.blue, b.blue) &&
           close(a.alpha, b.alpha);
}
} // namespace

bool sameImage(const COffscreenContext& a, const COffscreenContext& b, std::string& where,
               int tolerance)
{
    if (a.getWidth() != b.getWidth() || a.getHeight() != b.getHeight())
    {
        where = "sizes differ";
        return false;
    }
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            if (!near(a.getPixel(x, y), b.getPixel(x, y), tolerance))
            {
                where = "pixel " + std::to_string(x) + ", " + std::to_string(y);
                return false;
            }
    return true;
}

IncrementalEditor::IncrementalEditor(const std::string& document, double scale)
    : processor(new Processor(&makeRoom)), room(g_latestRoom)
{
    if (processor->initialize(nullptr) != kResultOk) return;
    editor = new VST3EditorZx(processor, "Editor", document.c_str());
    editor->setKnobMode(room->m_nKnobMode);
    editor->attachEffect(room);
    editor->setTimerScheduler(&clock);
    m_open = editor->open(nullptr);
    if (m_open && scale != 1) editor->setContentScaleFactor(static_cast<float>(scale));
    if (m_open) renewImage();
}

IncrementalEditor::~IncrementalEditor()
{
    if (editor)
    {
        editor->close();
        editor->release();
    }
    processor->terminate();
    processor->release();
}

std::vector<CRect> IncrementalEditor::paint()
{
    std::vector<CRect> painted = frame().paintDirtyRects(canvas.get());
    if (!painted.empty()) ++paints;
    return painted;
}

std::unique_ptr<COffscreenContext> IncrementalEditor::fullRedraw() const
{
    auto image =
        std::make_unique<COffscreenContext>(width(), height(), &frame().getTextRenderer(), scale());
    frame().drawRect(image.get(), CRect(0, 0, width(), height()));
    return image;
}

void IncrementalEditor::renewImage()
{
    canvas =
        std::make_unique<COffscreenContext>(width(), height(), &frame().getTextRenderer(), scale());
}

std::vector<Placed> IncrementalEditor::views() const
{
    std::vector<Placed> found;
    for (size_t i = 0; i < frame().getNbViews(); ++i)
        collect(frame().getView(i), CPoint(), found);
    return found;
}

void IncrementalEditor::press(CPoint where)
{
    frame().onMouseDown(where, kLButton);
}

void IncrementalEditor::release(CPoint where)
{
    frame().onMouseUp(where, kLButton);
}

void IncrementalEditor::click(CPoint where)
{
    press(where);
    release(where);
}

void IncrementalEditor::key(unsigned char virt, int32_t character)
{
    VstKeyCode code;
    code.virt = virt;
    code.character = character;
    frame().onKeyDown(code);
}

SessionReport runRandomSession(const std::string& document, unsigned seed, int steps,
                               const std::string& failureImages, double scale)
{
    SessionReport report;
    IncrementalEditor e(document, scale);
    if (!e.isOpen()) return report;
    report.scale = e.scale();
    // Resampled images may round a step or two apart at a scale that is not whole (see above).
    const int tolerance = e.scale() == std::floor(e.scale()) ? 0 : 2;
    std::mt19937 random(seed);
    const auto uniform = [&](double low, double high)
    { return std::uniform_real_distribution<double>(low, high)(random); };
    const auto pick = [&](size_t count)
    { return std::uniform_int_distribution<size_t>(0, count - 1)(random); };
    const auto knobs = e.controls<CAnimKnob>();
    const auto switches = e.controls<COnOffButton>();
    const auto menus = e.controls<COptionMenu>();
    const auto fields = e.controls<CTextEdit>();
    if (knobs.empty() || switches.empty() || menus.empty() || fields.empty()) return report;

    std::vector<std::string> log;
    e.paint();
    for (int step = 0; step < steps; ++step, ++report.steps)
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
            // What the window lost, whole device pixels, shows nothing until it is painted again.
            e.canvas->clearRect(
                ScaleFactor::toLayout(ScaleFactor::toDeviceBounds(exposed, e.scale()), e.scale()));
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
            ++report.ticks;
            const auto reference = e.fullRedraw();
            std::string where;
            if (sameImage(*e.canvas, *reference, where, tolerance)) break;
            if (report.mismatches++ > 0) break;
            e.canvas->writePNG(failureImages + "-painted.png");
            reference->writePNG(failureImages + "-full.png");
            report.firstMismatch =
                "after step " + std::to_string(step) + ": " + where + " differs; the steps:\n";
            for (const std::string& line : log)
                report.firstMismatch += line + "\n";
            break;
        }
        }
    }
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
    report.paintsAtRest = e.paints;
    return report;
}
} // namespace incremental
