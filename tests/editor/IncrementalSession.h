// The plug-in's editor drawn the way a window paints it, offscreen: only the dirty rectangles,
// each cleared and redrawn on a lasting image, against the full redraw of the frame as the
// reference. Shared by the Linux tests and a probe program that runs under Wine.
#pragma once

// Must come first: it renames the edit controller's state pair.
#include "vst3/Processor.h"

#include "RecordingRoom.h"

#include "gui/VST3EditorZx.h"
#include "vstgui/CFrame.h"
#include "vstgui/COffscreenContext.h"
#include "vstgui/ManualTimerScheduler.h"

#include <memory>
#include <string>
#include <vector>

namespace incremental
{
// A view with its rectangle in frame coordinates.
struct Placed
{
    VSTGUI::CView* view;
    VSTGUI::CRect rect;
};

// Whether two images have the same pixels, each channel within tolerance steps; where they
// first differ otherwise.
bool sameImage(const VSTGUI::COffscreenContext& a, const VSTGUI::COffscreenContext& b,
               std::string& where, int tolerance = 0);

// The editor on a processor with its (recording) room, offscreen, on a clock of its own, with a
// lasting image that paints reach as a window's contents would.
class IncrementalEditor
{
  public:
    // At a scale other than 1 the host gives the editor that content scale factor.
    explicit IncrementalEditor(const std::string& document, double scale = 1);
    ~IncrementalEditor();
    IncrementalEditor(const IncrementalEditor&) = delete;
    IncrementalEditor& operator=(const IncrementalEditor&) = delete;

    bool isOpen() const { return m_open; }
    VSTGUI::CFrame& frame() const { return *editor->getFrame(); }
    int width() const { return static_cast<int>(frame().getWidth()); }
    int height() const { return static_cast<int>(frame().getHeight()); }

    // Device pixels per layout pixel of the frame, and so of the images.
    double scale() const { return frame().getScaleFactor(); }
    // What the window does when it paints; the rectangles it painted.
    std::vector<VSTGUI::CRect> paint();
    void tick() { clock.advance(Steinberg::Vst::Veru2ZOR3::VST3EditorZx::kIdleRateMs); }
    // The whole frame drawn afresh.
    std::unique_ptr<VSTGUI::COffscreenContext> fullRedraw() const;
    // A new lasting image at the frame's size and scale, as a window makes after a resize.
    void renewImage();

    std::vector<Placed> views() const;
    template <typename T> std::vector<Placed> controls(int32_t tag = -1) const
    {
        std::vector<Placed> found;
        for (const Placed& placed : views())
            if (auto* control = dynamic_cast<T*>(placed.view))
                if (tag == -1 || control->getTag() == tag) found.push_back(placed);
        return found;
    }

    void press(VSTGUI::CPoint where);
    void release(VSTGUI::CPoint where);
    void click(VSTGUI::CPoint where);
    void key(unsigned char virt, int32_t character = 0);

    VSTGUI::ManualTimerScheduler clock;
    Steinberg::Vst::Veru2ZOR3::Processor* processor;
    RecordingRoom* room;
    Steinberg::Vst::Veru2ZOR3::VST3EditorZx* editor = nullptr;
    std::unique_ptr<VSTGUI::COffscreenContext> canvas;
    int paints = 0;

  private:
    bool m_open = false;
};

// What a random session found.
struct SessionReport
{
    int steps = 0;
    int ticks = 0;
    double scale = 0; // the frame's, while the session ran
    // Ticks after which the painted image differed from the full redraw.
    int mismatches = 0;
    std::string firstMismatch; // the step, the pixel and the steps that led there
    // Paints over twenty ticks after the session, the editor at rest again.
    int paintsAtRest = -1;
};

// A random stretch of use from a seed: host changes, drags, typed values, menu choices, switch
// clicks, exposures, paints between ticks as a window's refresh makes them, and idle ticks;
// after every tick the painted image is compared with a full redraw, both at the given screen
// scale. At a scale that is not whole (1.5) images drawn for another scale are resampled, and
// the back end may round a resampled pixel a step or two differently depending on the area it
// composites at once: there the images may differ by up to two steps per channel. A seam (a
// pixel at a dirty rectangle's edge cleared or drawn over in part) differs by dozens. Images
// of the first mismatch are written to failureImages + "-painted.png" and "-full.png" (where
// the platform can write PNG).
SessionReport runRandomSession(const std::string& document, unsigned seed, int steps,
                               const std::string& failureImages, double scale = 1);
} // namespace incremental
