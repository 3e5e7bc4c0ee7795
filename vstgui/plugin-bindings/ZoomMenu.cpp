#include "vstgui/plugin-bindings/ZoomMenu.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

namespace VSTGUI
{
ZoomMenu::ZoomMenu(const CPoint& where, double currentZoom, std::function<void(double)> chosen)
    : COptionMenu(CRect(where.x, where.y, where.x, where.y), nullptr, -1, nullptr,
                  kCheckStyle | kNoDrawStyle),
      m_chosen(std::move(chosen))
{
    setListener(this);
    for (double zoom : kZooms)
    {
        if (zoom == 0)
        {
            addEntry("Zoom: automatic");
            continue;
        }
        char title[32];
        std::snprintf(title, sizeof title, "Zoom: %d %%",
                      static_cast<int>(std::lround(zoom * 100)));
        addEntry(title);
    }
    setCurrent(std::max(0, entryOf(currentZoom)));
}

int32_t ZoomMenu::entryOf(double zoom)
{
    for (int32_t i = 0; i < static_cast<int32_t>(std::size(kZooms)); ++i)
        if (std::abs(kZooms[i] - zoom) < 1e-6) return i;
    return -1;
}

void ZoomMenu::valueChanged(CControl*)
{
    const int32_t index = getCurrentIndex();
    if (m_chosen && index >= 0) m_chosen(kZooms[index]);
}
} // namespace VSTGUI
