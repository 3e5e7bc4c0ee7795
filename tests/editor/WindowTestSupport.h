// What the end-to-end editor tests need around real windows: screenshots, synthetic input with
// xdotool, and the same editor drawn offscreen as the reference for both looks and layout.
#pragma once

// Must come first: it renames the edit controller's state pair.
#include "vst3/Processor.h"

#include "vstgui/CFrame.h"
#include "vstgui/plugin-bindings/VST3Editor.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Opaque pixels as 0xRRGGBB, row by row.
struct Image
{
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    Image crop(const VSTGUI::CRect& rect) const;
    // Writes a PNG, for looking at a failure.
    bool writePNG(const std::string& path) const;
};

// The pixels of a window as the X server shows them (empty when it cannot be read).
Image captureWindow(uint32_t window);
// Where a window's top-left corner is on the screen, and its size.
VSTGUI::CRect screenRect(uint32_t window);
// The first child window of a window, or 0.
uint32_t firstChildWindow(uint32_t window);
struct xcb_connection_t;

// Whether a window is mapped (shown, if its parents are).
bool isMapped(uint32_t window);
// The two fields of a window's _XEMBED_INFO (version, flags); empty without the property.
std::vector<uint32_t> xembedInfo(uint32_t window);
// A white top-level window of the test's own, shown, on a connection of its own. With watchChildren
// its client hears of windows created in it (as an XEmbed embedder does) but maps none.
class BareWindow
{
  public:
    explicit BareWindow(bool watchChildren);
    ~BareWindow();
    BareWindow(const BareWindow&) = delete;
    BareWindow& operator=(const BareWindow&) = delete;
    uint32_t window() const { return m_window; }
    // What an XEmbed embedder does first, and only that: it waits (up to timeoutMs) for a child
    // window created in this one and tells it it is embedded, but never maps it. The child, or
    // 0 when none came.
    uint32_t embedWithoutMapping(int timeoutMs);

  private:
    xcb_connection_t* m_connection;
    uint32_t m_window = 0;
};
// The bytes this process has handed to write calls so far, sockets included (the X
// connections' requests).
uint64_t bytesWrittenByThisProcess();

// How many pixels differ by more than tolerance in some channel (all of them if the sizes do).
size_t differingPixels(const Image& a, const Image& b, int tolerance = 2);

// Runs xdotool with these arguments on the current DISPLAY; true when it succeeded.
bool xdotool(const std::string& arguments);
bool xdotoolInstalled();

// The plug-in's editor built in this process on a processor of its own, drawn offscreen: the
// reference a window is compared with, and the map of where its controls are.
class ReferenceEditor
{
  public:
    ReferenceEditor();
    ~ReferenceEditor();
    ReferenceEditor(const ReferenceEditor&) = delete;
    ReferenceEditor& operator=(const ReferenceEditor&) = delete;

    bool isOpen() const { return m_editor && m_editor->getFrame(); }
    Steinberg::Vst::Veru2ZOR3::Processor& processor() const { return *m_processor; }
    VSTGUI::CFrame& frame() const { return *m_editor->getFrame(); }
    // The editor drawn at its frame's scale.
    Image render() const;
    // The frame rectangle of the one view that passes the test (empty when not exactly one).
    VSTGUI::CRect find(const std::function<bool(VSTGUI::CView*)>& test) const;
    template <typename T> VSTGUI::CRect control(int32_t tag) const
    {
        return find(
            [tag](VSTGUI::CView* view)
            {
                auto* control = dynamic_cast<T*>(view);
                return control && control->getTag() == tag;
            });
    }

  private:
    Steinberg::Vst::Veru2ZOR3::Processor* m_processor;
    VSTGUI::VST3Editor* m_editor;
};
