#pragma once

#include "vstgui/CKickButton.h"

namespace VSTGUI
{
// A kick button that tells its listener about the press, the release, or both.
class CKickButtonZx : public CKickButton
{
  public:
    enum Mode : int32_t
    {
        kDownUp = 0, // press and release
        kUp = 1,     // release only
        kDown = 2    // press only
    };

    CKickButtonZx(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                  const CPoint& offset = CPoint());

    void setMode(int32_t mode) { m_nMode = mode; }
    int32_t getMode() const { return m_nMode; }

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CView* newCopy() const override { return new CKickButtonZx(*this); }

  protected:
    CKickButtonZx(const CKickButtonZx& other) = default;

  private:
    bool reportsPress() const { return m_nMode == kDownUp || m_nMode == kDown; }
    bool reportsRelease() const { return m_nMode == kDownUp || m_nMode == kUp; }

    int32_t m_nMode = kDownUp;
};
} // namespace VSTGUI
