#pragma once

#include "vstgui/CPoint.h"

#include "pluginterfaces/vst/vsttypes.h"

namespace VSTGUI
{
class VST3Editor;
class COptionMenu;

// What the plug-in's edit controller may add to a VST3Editor: custom views, view checks,
// parameter lookup, open and close notices, context menus and sub-controllers.
class VST3EditorDelegate
{
  public:
    virtual ~VST3EditorDelegate() = default;
    virtual CView* createCustomView(UTF8StringPtr /*name*/, const UIAttributes& /*attributes*/,
                                    const IUIDescription* /*description*/, VST3Editor* /*editor*/)
    {
        return nullptr;
    }
    virtual CView* verifyView(CView* view, const UIAttributes& /*attributes*/,
                              const IUIDescription* /*description*/, VST3Editor* /*editor*/)
    {
        return view;
    }
    virtual bool findParameter(const CPoint& /*pos*/, Steinberg::Vst::ParamID& /*paramID*/,
                               VST3Editor* /*editor*/)
    {
        return false;
    }
    virtual bool isPrivateParameter(const Steinberg::Vst::ParamID /*paramID*/) { return false; }
    virtual void didOpen(VST3Editor* /*editor*/) {}
    virtual void willClose(VST3Editor* /*editor*/) {}
    virtual COptionMenu* createContextMenu(const CPoint& /*pos*/, VST3Editor* /*editor*/)
    {
        return nullptr;
    }
    virtual IController* createSubController(UTF8StringPtr /*name*/,
                                             const IUIDescription* /*description*/,
                                             VST3Editor* /*editor*/)
    {
        return nullptr;
    }
};
} // namespace VSTGUI
