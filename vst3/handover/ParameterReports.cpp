#include "vst3/handover/ParameterReports.h"

namespace Steinberg::Vst::Veru2ZOR3
{

void ParameterReports::reserve(std::size_t capacity)
{
    m_reports.assign(capacity, Report{0, 0.0});
    m_count = 0;
}

bool ParameterReports::keep(uint32_t id, double normalized)
{
    for (std::size_t k = 0; k < m_count; ++k)
    {
        if (m_reports[k].id == id)
        {
            m_reports[k].value = normalized;
            return true;
        }
    }
    if (m_count >= m_reports.size()) return false;
    m_reports[m_count++] = Report{id, normalized};
    return true;
}

} // namespace Steinberg::Vst::Veru2ZOR3
