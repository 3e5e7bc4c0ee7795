#pragma once

#include "vstgui/IControlListener.h"

namespace VSTGUI
{
// What a UI description asks while it builds views: custom views, view checks, control tags,
// listeners and sub-controllers. Every operation has a neutral default.
class IController : public IControlListener
{
  public:
    virtual int32_t getTagForName(UTF8StringPtr /*name*/, int32_t registeredTag) const
    {
        return registeredTag;
    }
    virtual IControlListener* getControlListener(UTF8StringPtr /*controlTagName*/) { return this; }
    virtual CView* createView(const UIAttributes& /*attributes*/,
                              const IUIDescription* /*description*/)
    {
        return nullptr;
    }
    virtual CView* verifyView(CView* view, const UIAttributes& /*attributes*/,
                              const IUIDescription* /*description*/)
    {
        return view;
    }
    // The returned controller is owned by the view container that asked for it.
    virtual IController* createSubController(UTF8StringPtr /*name*/,
                                             const IUIDescription* /*description*/)
    {
        return nullptr;
    }
};

// Passes everything to another controller; base for sub-controllers.
class DelegationController : public IController
{
  public:
    explicit DelegationController(IController* controller) : m_controller(controller) {}

    void valueChanged(CControl* control) override { m_controller->valueChanged(control); }
    void controlBeginEdit(CControl* control) override { m_controller->controlBeginEdit(control); }
    void controlEndEdit(CControl* control) override { m_controller->controlEndEdit(control); }
    int32_t getTagForName(UTF8StringPtr name, int32_t registeredTag) const override
    {
        return m_controller->getTagForName(name, registeredTag);
    }
    IControlListener* getControlListener(UTF8StringPtr name) override
    {
        return m_controller->getControlListener(name);
    }
    CView* createView(const UIAttributes& attributes, const IUIDescription* description) override
    {
        return m_controller->createView(attributes, description);
    }
    CView* verifyView(CView* view, const UIAttributes& attributes,
                      const IUIDescription* description) override
    {
        return m_controller->verifyView(view, attributes, description);
    }
    IController* createSubController(UTF8StringPtr name, const IUIDescription* description) override
    {
        return m_controller->createSubController(name, description);
    }

  protected:
    IController* m_controller;
};
} // namespace VSTGUI
