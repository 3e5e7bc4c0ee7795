#pragma once

#include "vstgui/CRect.h"

namespace VSTGUI
{
// What a frame asks of the editor that owns it.
class VSTGUIEditorInterface
{
  public:
    virtual ~VSTGUIEditorInterface() = default;
    virtual int32_t getKnobMode() const { return kCircularMode; }
    // Asked before the frame changes its size; false keeps the old size.
    virtual bool beforeSizeChange(const CRect& /*newSize*/, const CRect& /*oldSize*/)
    {
        return true;
    }
    virtual void beginEdit(int32_t /*index*/) {}
    virtual void endEdit(int32_t /*index*/) {}
    virtual CFrame* getFrame() const = 0;
};
} // namespace VSTGUI
