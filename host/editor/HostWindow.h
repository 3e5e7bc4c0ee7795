#pragma once

#include "host/RunLoop.h"

#include <xcb/xcb.h>

#include <cstdint>
#include <memory>
#include <string>

namespace vevadur::host
{

// A top-level window on the X server named by DISPLAY, on a connection of its own, for a
// plug-in's editor to live in. Its events are read in the run loop it is attached to: the window
// manager's close request, and the XEmbed side of an embedder: a child window created in it is
// told it is embedded (XEMBED_EMBEDDED_NOTIFY) and mapped while its _XEMBED_INFO carries the
// mapped flag.
class HostWindow : public Steinberg::Linux::IEventHandler
{
  public:
    // Creates and shows the window. Null with a reason in `error` when there is no display.
    static std::unique_ptr<HostWindow> create(int width, int height, const std::string& title,
                                              std::string& error);
    virtual ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    uint32_t window() const { return m_window; }
    xcb_connection_t* connection() const { return m_connection; }
    void resize(int width, int height);
    // A size the user cannot change (the editor does not resize).
    void setFixedSize(int width, int height);

    // Reads this window's events in the loop, which must outlive the window; detaches again on
    // destruction.
    void attachTo(RunLoop& loop);
    bool closeRequested() const { return m_closeRequested; }
    // The embedded child window (0 until one was created in this window).
    uint32_t embeddedWindow() const { return m_embedded; }

    void PLUGIN_API onFDIsSet(Steinberg::Linux::FileDescriptor fd) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid,
                                                 void** obj) SMTG_OVERRIDE;
    Steinberg::uint32 PLUGIN_API addRef() SMTG_OVERRIDE { return 1; }
    Steinberg::uint32 PLUGIN_API release() SMTG_OVERRIDE { return 1; }

  private:
    HostWindow() = default;
    bool open(int width, int height, const std::string& title);
    xcb_atom_t atom(const char* name) const;
    void embed(xcb_window_t child);
    // Maps or unmaps the embedded window as its _XEMBED_INFO asks.
    void followEmbeddedMapping();

    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_window = 0;
    xcb_atom_t m_deleteWindow = XCB_ATOM_NONE;
    xcb_atom_t m_xembed = XCB_ATOM_NONE;
    xcb_atom_t m_xembedInfo = XCB_ATOM_NONE;
    xcb_window_t m_embedded = 0;
    RunLoop* m_loop = nullptr;
    bool m_closeRequested = false;
};

} // namespace vevadur::host
