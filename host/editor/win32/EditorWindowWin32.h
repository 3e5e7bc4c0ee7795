#pragma once

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"

#include <windows.h>

#include <memory>
#include <string>

namespace vevadur::host
{

// A plug-in's view in a top-level window of ours, as a Windows host shows it: the view is sized,
// given this object as its IPlugFrame, and attached to the window's client area as "HWND".
// Resize requests of the view resize the client area. The thread's message loop serves both.
// Destroying the window removes the view first.
class EditorWindow : public Steinberg::IPlugFrame
{
  public:
    // Null with a reason in `error` when the view refuses the platform or cannot attach.
    static std::unique_ptr<EditorWindow> open(Steinberg::IPlugView* view, const std::string& title,
                                              std::string& error);
    virtual ~EditorWindow();
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    HWND handle() const { return m_window; }
    // The user pressed the window's close button; the window stays until destroyed.
    bool closeRequested() const { return m_closeRequested; }

    Steinberg::tresult PLUGIN_API resizeView(Steinberg::IPlugView* view,
                                             Steinberg::ViewRect* newSize) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid,
                                                 void** obj) SMTG_OVERRIDE;
    Steinberg::uint32 PLUGIN_API addRef() SMTG_OVERRIDE { return 1; }
    Steinberg::uint32 PLUGIN_API release() SMTG_OVERRIDE { return 1; }

  private:
    explicit EditorWindow(Steinberg::IPlugView* view) : m_view(view) {}
    bool create(int width, int height, const std::string& title);
    void resizeClientArea(int width, int height);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);

    Steinberg::IPtr<Steinberg::IPlugView> m_view;
    HWND m_window = nullptr;
    bool m_resizable = false;
    bool m_attached = false;
    bool m_closeRequested = false;
    bool m_resizingForView = false;
};

} // namespace vevadur::host
