#pragma once

#include "vstgui/COptionMenu.h"
#include "vstgui/IControlListener.h"

#include <functional>

namespace VSTGUI
{
// The editor's context menu: the zoom choices "Zoom: automatic" (the host's or the screen's
// scale) and 100, 125, 150 and 200 %, the current one checked. It opens where the user clicked;
// choosing an entry hands its zoom (0 for automatic) to the handler.
class ZoomMenu : public COptionMenu, private IControlListener
{
  public:
    static constexpr double kZooms[] = {0.0, 1.0, 1.25, 1.5, 2.0};

    ZoomMenu(const CPoint& where, double currentZoom, std::function<void(double)> chosen);

    // The entry of a zoom; -1 for a zoom the menu does not offer.
    static int32_t entryOf(double zoom);

  private:
    using COptionMenu::valueChanged; // the control's own; this class also listens to itself
    void valueChanged(CControl* control) override;

    std::function<void(double)> m_chosen;
};
} // namespace VSTGUI
