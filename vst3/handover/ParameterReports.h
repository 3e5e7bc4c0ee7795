// The parameter values one process call reports back to the host: one entry per parameter,
// the last value counting, in the order the parameters first came. Fixed room, so keeping a
// report never allocates; with no room left a new parameter's report is dropped (the host
// learns its value again from the next one).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Steinberg::Vst::Veru2ZOR3
{

class ParameterReports
{
  public:
    // Room for `capacity` parameters; allocates and forgets every report.
    void reserve(std::size_t capacity);

    // False when the report was dropped for want of room.
    bool keep(uint32_t id, double normalized);

    // Calls f(id, normalized) for each report in order, then forgets them all.
    template <typename F> void take(F&& f)
    {
        for (std::size_t k = 0; k < m_count; ++k)
            f(m_reports[k].id, m_reports[k].value);
        m_count = 0;
    }

    std::size_t size() const { return m_count; }
    void clear() { m_count = 0; }

  private:
    struct Report
    {
        uint32_t id;
        double value;
    };
    std::vector<Report> m_reports;
    std::size_t m_count = 0;
};

} // namespace Steinberg::Vst::Veru2ZOR3
