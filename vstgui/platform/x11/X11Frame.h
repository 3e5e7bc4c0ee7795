#pragma once

#include "vstgui/CFrame.h"
#include "vstgui/platform/x11/RunLoop.h"
#include "vstgui/platform/x11/XcbKeyboardMap.h"

#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

typedef struct _cairo_surface cairo_surface_t;

namespace VSTGUI::X11
{
// A frame on screen: a child window in a window of another program (the host's), on its own
// connection to the X server named by DISPLAY. Mouse, wheel and keyboard events of the window
// go to the frame; invalidated areas are drawn into an image with the toolkit's cairo back end
// and copied to the window, and nothing at all is drawn or sent while nothing changed. The
// window announces itself with XEmbed's mapped flag: an embedder maps it (see open()). The
// connection is served, and the drawing paced, by the run loop it is given: no thread of its own.
// The window has the frame's size times its scale; event positions reach the frame in layout
// pixels.
class X11Frame : public IPlatformFrame, private IEventHandler, private ITimerHandler
{
  public:
    // How often invalidated areas are drawn when no event comes in (about 60 per second).
    static constexpr uint64_t kRefreshIntervalMs = 16;
    // How long a window whose parent is watched waits for an XEmbed embedder to announce itself
    // before it shows itself.
    static constexpr int kEmbedderGraceMs = 250;

    // Creates the window in parent at the frame's size (shown by the embedder, or by itself where
    // no embedder watches the parent), and becomes the frame's platform frame. Null when there is
    // no display or the parent window does not exist.
    static std::unique_ptr<X11Frame> create(CFrame& frame, uint32_t parentWindow,
                                            IRunLoop& runLoop);
    // Detaches from the frame, then closes the window and the connection.
    ~X11Frame() override;
    X11Frame(const X11Frame&) = delete;
    X11Frame& operator=(const X11Frame&) = delete;

    uint32_t getWindow() const { return m_window; }

    // IPlatformFrame
    void invalidRect(const CRect& rect) override;
    void setSize(const CRect& size) override;

    // Reads and handles every event that has arrived, then draws.
    void processEvents();
    // Draws the frame's invalidated area and shows it.
    void flush();

  private:
    using Clock = std::chrono::steady_clock;

    X11Frame(CFrame& frame, IRunLoop& runLoop) : m_frame(frame), m_runLoop(runLoop) {}
    bool open(uint32_t parentWindow);
    bool createWindow(uint32_t parentWindow);
    void announceEmbedding(uint32_t window);
    bool isWatchedByEmbedder(uint32_t parentWindow) const;
    bool createSurfaces();
    void destroySurfaces();

    void onEvent() override { processEvents(); }
    // xcb may have read events off the socket while waiting for a reply; the descriptor then
    // stays quiet, so the refresh tick also takes what is queued.
    void onTimer() override { processEvents(); }
    void dispatch(xcb_generic_event_t* event);
    CPoint toLayout(int16_t x, int16_t y) const;
    void onButtonPress(const xcb_button_press_event_t& event);
    void onButtonRelease(const xcb_button_press_event_t& event);
    void onKey(const xcb_key_press_event_t& event, bool down);
    bool isDoubleClick(const xcb_button_press_event_t& event);
    void takeKeyboardFocus(uint32_t time);

    CFrame& m_frame;
    IRunLoop& m_runLoop;
    xcb_connection_t* m_connection = nullptr;
    uint32_t m_window = 0;
    uint32_t m_xembedInfo = 0; // the atoms
    uint32_t m_xembed = 0;
    // Set while the window waits for an embedder to map it.
    std::optional<Clock::time_point> m_mapDeadline;
    xcb_visualtype_t* m_visual = nullptr;
    cairo_surface_t* m_windowSurface = nullptr;
    cairo_surface_t* m_backBuffer = nullptr;
    int m_width = 0;
    int m_height = 0;
    XcbKeyboardMap m_keyboard;
    bool m_eventHandlerRegistered = false;
    bool m_timerRegistered = false;

    struct Press
    {
        uint32_t time = 0;
        uint8_t button = 0;
        int16_t x = 0;
        int16_t y = 0;
    } m_lastPress;
};
} // namespace VSTGUI::X11
