// The plug-in's editor for a VST2 host. A VST2 host hands the editor a bare X11 window and calls
// the editor's idle opcode from its UI thread; the VST3 view wants a frame with a run loop. This
// is both: the view's IPlugFrame and Linux::IRunLoop, whose descriptors and timers are served
// on each idle call, and whose resize requests go to the host as window-size requests. On
// Windows the host hands an HWND and its own message loop serves the view: no run loop here.
#pragma once

#include "Vst2Abi.h"

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#if SMTG_OS_LINUX
#include "public.sdk/source/vst/hosting/pollrunloop.h"
#endif

namespace Steinberg
{
namespace Vst
{

class Vst2Editor : public IPlugFrame
#if SMTG_OS_LINUX
    ,
                   public Linux::IRunLoop
#endif
{
  public:
    Vst2Editor(IEditController& controller, Vst2Abi::HostCallback host, vst_effect& effect);
    virtual ~Vst2Editor();
    Vst2Editor(const Vst2Editor&) = delete;
    Vst2Editor& operator=(const Vst2Editor&) = delete;

    // Whether the plug-in offers an editor at all (asks for a view once and lets it go).
    bool isAvailable();
    // The editor's rectangle (its view is made on first need); null without an editor.
    vst_rect* rect();
    // Attaches the editor to the host's X11 window; false when it cannot.
    bool open(void* parentWindow);
    void close();
    bool isOpen() const { return attached; }
    // Reads what arrived on the editor's descriptors and fires the timers that are due.
    void idle();

    // IPlugFrame
    tresult PLUGIN_API resizeView(IPlugView* view, ViewRect* newSize) SMTG_OVERRIDE;
#if SMTG_OS_LINUX
    // Linux::IRunLoop
    tresult PLUGIN_API registerEventHandler(Linux::IEventHandler* handler,
                                            Linux::FileDescriptor fd) SMTG_OVERRIDE;
    tresult PLUGIN_API unregisterEventHandler(Linux::IEventHandler* handler) SMTG_OVERRIDE;
    tresult PLUGIN_API registerTimer(Linux::ITimerHandler* handler,
                                     Linux::TimerInterval milliseconds) SMTG_OVERRIDE;
    tresult PLUGIN_API unregisterTimer(Linux::ITimerHandler* handler) SMTG_OVERRIDE;
#endif

    // Lives exactly as long as its adapter, which closes the view before going.
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) SMTG_OVERRIDE;
    uint32 PLUGIN_API addRef() SMTG_OVERRIDE { return 1; }
    uint32 PLUGIN_API release() SMTG_OVERRIDE { return 1; }

  private:
    bool makeView();

    IEditController& controller;
    Vst2Abi::HostCallback host;
    vst_effect& effect;
    IPtr<IPlugView> view;
    bool attached = false;
    vst_rect editorRect{};
#if SMTG_OS_LINUX
    // Serves the IRunLoop calls, which come here because the view asks its frame for the loop.
    PollRunLoop m_runLoop;
#endif
};

} // namespace Vst
} // namespace Steinberg
