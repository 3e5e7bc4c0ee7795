#pragma once

#include "vstgui/CRect.h"

#include <string>
#include <utility>
#include <vector>

namespace VSTGUI
{
// The attributes of one element of a UI description, in document order.
class UIAttributes
{
  public:
    using Entry = std::pair<std::string, std::string>;

    bool hasAttribute(const std::string& name) const { return find(name) != nullptr; }
    // The value, or null when the attribute is absent.
    const std::string* getAttributeValue(const std::string& name) const { return find(name); }
    void setAttribute(const std::string& name, const std::string& value);
    void removeAttribute(const std::string& name);

    // Typed readers: false (result untouched) when absent or not of the type.
    bool getBooleanAttribute(const std::string& name, bool& value) const;
    bool getIntegerAttribute(const std::string& name, int32_t& value) const;
    bool getDoubleAttribute(const std::string& name, double& value) const;
    bool getPointAttribute(const std::string& name, CPoint& point) const;
    bool getRectAttribute(const std::string& name, CRect& rect) const;

    // "x, y" (blanks allowed around the numbers); false without a comma or numbers.
    static bool stringToPoint(const std::string& text, CPoint& point);
    // A whole decimal number and nothing else but blanks.
    static bool stringToDouble(const std::string& text, double& value);

    std::vector<Entry>::const_iterator begin() const { return m_entries.begin(); }
    std::vector<Entry>::const_iterator end() const { return m_entries.end(); }
    size_t size() const { return m_entries.size(); }

  private:
    const std::string* find(const std::string& name) const;

    std::vector<Entry> m_entries;
};
} // namespace VSTGUI
