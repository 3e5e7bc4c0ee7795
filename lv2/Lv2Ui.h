// The plug-in's editor as an LV2 UI (ui:X11UI). The UI makes a controller of its own from the
// module's factory (it never touches the plug-in instance, which may live in another process)
// and shows that controller's editor in a child window of the host's ui:parent. Values reach
// it as port events and leave it as port writes, in the ports' plain units. The host's idle
// calls serve the editor's run loop: its X connection and its timers.
#pragma once

#include "Lv2PortList.h"

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"
#include "public.sdk/source/vst/hosting/pollrunloop.h"

#include <lv2/core/lv2.h>
#include <lv2/ui/ui.h>

struct xcb_connection_t;

namespace Steinberg
{
namespace Vst
{

class Lv2Ui : public IPlugFrame, public Linux::IRunLoop, public IComponentHandler
{
  public:
    // Null when the host gives no parent window or the editor cannot be shown in it.
    static Lv2Ui* create(IPluginFactory& factory, const TUID classId, LV2UI_Write_Function write,
                         LV2UI_Controller hostController, LV2UI_Widget* widget,
                         const LV2_Feature* const* features);
    virtual ~Lv2Ui();
    Lv2Ui(const Lv2Ui&) = delete;
    Lv2Ui& operator=(const Lv2Ui&) = delete;

    void portEvent(uint32 port, uint32 size, uint32 format, const void* buffer);
    // Serves the editor's descriptors and due timers; 0 while the UI stays open.
    int idle();

    // IPlugFrame
    tresult PLUGIN_API resizeView(IPlugView* view, ViewRect* newSize) SMTG_OVERRIDE;
    // Linux::IRunLoop
    tresult PLUGIN_API registerEventHandler(Linux::IEventHandler* handler,
                                            Linux::FileDescriptor fd) SMTG_OVERRIDE;
    tresult PLUGIN_API unregisterEventHandler(Linux::IEventHandler* handler) SMTG_OVERRIDE;
    tresult PLUGIN_API registerTimer(Linux::ITimerHandler* handler,
                                     Linux::TimerInterval milliseconds) SMTG_OVERRIDE;
    tresult PLUGIN_API unregisterTimer(Linux::ITimerHandler* handler) SMTG_OVERRIDE;
    // IComponentHandler: the editor's edits
    tresult PLUGIN_API beginEdit(ParamID id) SMTG_OVERRIDE;
    tresult PLUGIN_API performEdit(ParamID id, ParamValue valueNormalized) SMTG_OVERRIDE;
    tresult PLUGIN_API endEdit(ParamID id) SMTG_OVERRIDE;
    tresult PLUGIN_API restartComponent(int32 flags) SMTG_OVERRIDE;

    // Lives exactly as long as the host keeps the UI; the view is gone before it.
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) SMTG_OVERRIDE;
    uint32 PLUGIN_API addRef() SMTG_OVERRIDE { return 1; }
    uint32 PLUGIN_API release() SMTG_OVERRIDE { return 1; }

  private:
    Lv2Ui(LV2UI_Write_Function write, LV2UI_Controller hostController);
    bool open(IPluginFactory& factory, const TUID classId, const LV2_Feature* const* features);
    bool openWindow(uintptr_t parent, const ViewRect& size);
    int32 controlOf(ParamID id) const;

    LV2UI_Write_Function write;
    LV2UI_Controller hostController;
    const LV2UI_Resize* resize = nullptr;
    const LV2UI_Touch* touch = nullptr;

    HostApplication hostContext;
    IPtr<IComponent> component;
    IPtr<IEditController> controller;
    IPtr<IPlugView> view;
    Lv2PortList portList;
    bool attached = false;

    xcb_connection_t* connection = nullptr;
    uint32_t window = 0; // ours, inside the host's parent: the UI's widget
    // Serves the IRunLoop calls, which come here because the view asks its frame for the loop.
    PollRunLoop m_runLoop;
};

} // namespace Vst
} // namespace Steinberg
