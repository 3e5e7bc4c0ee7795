#include "vstgui/platform/x11/XcbKeyboardMap.h"

#include "vstgui/platform/x11/X11Input.h"

#include <xcb/xcb.h>

#include <cstdlib>

namespace VSTGUI::X11
{
bool XcbKeyboardMap::load(xcb_connection_t* connection)
{
    m_keysyms.clear();
    m_columns = 0;
    const xcb_setup_t* setup = xcb_get_setup(connection);
    m_firstKeycode = setup->min_keycode;
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
        connection,
        xcb_get_keyboard_mapping(connection, setup->min_keycode, static_cast<uint8_t>(count)),
        nullptr);
    if (!reply) return false;
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(reply);
    const int length = xcb_get_keyboard_mapping_keysyms_length(reply);
    m_keysyms.assign(keysyms, keysyms + length);
    m_columns = reply->keysyms_per_keycode;
    std::free(reply);
    return true;
}

uint32_t XcbKeyboardMap::keysym(uint8_t keycode, uint16_t state) const
{
    if (m_columns <= 0 || keycode < m_firstKeycode) return 0;
    const size_t start = static_cast<size_t>(keycode - m_firstKeycode) * m_columns;
    if (start + m_columns > m_keysyms.size()) return 0;
    return selectKeysym(&m_keysyms[start], m_columns, state);
}
} // namespace VSTGUI::X11
