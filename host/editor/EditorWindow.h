#pragma once

#include "host/RunLoop.h"
#include "host/editor/HostWindow.h"

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"

#include <memory>
#include <string>

namespace vevadur::host
{

// A plug-in's view in a window of ours, as a Linux host shows it: the view is sized, given this
// object as its IPlugFrame (which also offers the run loop), and attached to the window as
// "X11EmbedWindowID". Resize requests of the view resize the window. Destroying the window
// removes the view first.
class EditorWindow : public Steinberg::IPlugFrame
{
  public:
    // Null with a reason in `error` when the view refuses the platform or cannot attach.
    static std::unique_ptr<EditorWindow> open(Steinberg::IPlugView* view, RunLoop& loop,
                                              const std::string& title, std::string& error);
    virtual ~EditorWindow();
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    Steinberg::IPlugView& view() const { return *m_view; }
    HostWindow& window() const { return *m_window; }
    // The view's child window inside ours (0 until it made one).
    uint32_t childWindow() const;
    int resizeRequests() const { return m_resizeRequests; }

    Steinberg::tresult PLUGIN_API resizeView(Steinberg::IPlugView* view,
                                             Steinberg::ViewRect* newSize) SMTG_OVERRIDE;
    // Offers IPlugFrame and the run loop's Linux::IRunLoop.
    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid,
                                                 void** obj) SMTG_OVERRIDE;
    Steinberg::uint32 PLUGIN_API addRef() SMTG_OVERRIDE { return 1; }
    Steinberg::uint32 PLUGIN_API release() SMTG_OVERRIDE { return 1; }

  private:
    EditorWindow(Steinberg::IPlugView* view, RunLoop& loop) : m_view(view), m_loop(loop) {}

    Steinberg::IPtr<Steinberg::IPlugView> m_view;
    RunLoop& m_loop;
    std::unique_ptr<HostWindow> m_window;
    bool m_attached = false;
    int m_resizeRequests = 0;
};

} // namespace vevadur::host
