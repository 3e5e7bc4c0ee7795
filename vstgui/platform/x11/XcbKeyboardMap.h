#pragma once

#include <cstdint>
#include <vector>

typedef struct xcb_connection_t xcb_connection_t;

namespace VSTGUI::X11
{
// The server's keycode-to-keysym table, read once and again whenever the server says the
// mapping changed (tools that type text may remap spare keycodes on the fly).
class XcbKeyboardMap
{
  public:
    // Reads the table; false (and an empty table) when the server does not answer.
    bool load(xcb_connection_t* connection);
    // The keysym of a key under a modifier state; 0 when the key has none.
    uint32_t keysym(uint8_t keycode, uint16_t state) const;

  private:
    std::vector<uint32_t> m_keysyms;
    uint8_t m_firstKeycode = 0;
    int m_columns = 0;
};
} // namespace VSTGUI::X11
