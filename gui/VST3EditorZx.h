#pragma once

#include "core/CPlugIn.h"

#include "vstgui/plugin-bindings/VST3Editor.h"

#include <vector>

namespace Steinberg::Vst::Veru2ZOR3
{
// The plug-in's editor: the document editor of the toolkit, with the framework's additions. It
// pings the processor (and so the effect) on every tick of its 50 ms idle timer, after which
// the views that changed are redrawn, tells it when a view recreation happened, answers the
// knob mode the effect chose, accepts every size, and after each edit applies the further
// control changes that the effect links to it.
class VST3EditorZx : public VSTGUI::VST3Editor
{
  public:
    // Knob modes: the toolkit's three, and "whatever the host says".
    enum KnobMode : int32
    {
        kCircular = 0,
        kRelativeCircular = 1,
        kLinear = 2,
        kFollowHost = 3
    };
    static constexpr int32 kIdleRateMs = 50;

    VST3EditorZx(EditController* controller, VSTGUI::UTF8StringPtr templateName,
                 VSTGUI::UTF8StringPtr xmlFile);
    ~VST3EditorZx() override;

    // Keeps the effect (not owned) and a copy of its control records, in list order.
    void attachEffect(CPlugIn* effect);
    CPlugIn* getEffect() const { return m_pEffect; }
    // The position of the first copied record with this control id; -1 without one (or without
    // an effect).
    int32 findControlIndex(uint32 controlId) const;
    // Asks the effect for the changes it links to a control's new plain value and edits the
    // parameters of those controls.
    void applyLinkedUpdates(uint32 controlId, float plainValue, bool loading);

    void setKnobMode(int32 mode) { m_nKnobMode = mode; }
    int32_t getKnobMode() const override;
    bool beforeSizeChange(const VSTGUI::CRect& newSize, const VSTGUI::CRect& oldSize) override;
    VSTGUI::CMessageResult notify(VSTGUI::CBaseObject* sender,
                                  VSTGUI::IdStringPtr message) override;
    void valueChanged(VSTGUI::CControl* control) override;

  private:
    void editLinkedControl(const LinkedUpdate& update);

    std::vector<ControlRecord> m_ControlList;
    int32 m_nKnobMode = kFollowHost;
    CPlugIn* m_pEffect = nullptr;
};
} // namespace Steinberg::Vst::Veru2ZOR3
