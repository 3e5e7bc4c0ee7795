#include "host/render/ProgressBar.h"

#include <unistd.h>

namespace vevadur::render
{
namespace
{
constexpr int kWidth = 40;
} // namespace

ProgressBar::ProgressBar(std::FILE* stream, long long total, bool wanted)
    : m_stream(stream), m_total(total), m_active(wanted && total > 0 && isatty(fileno(stream)))
{
}

ProgressBar::~ProgressBar()
{
    finish();
}

void ProgressBar::update(long long done)
{
    if (!m_active) return;
    const int percent = static_cast<int>(100 * (done < m_total ? done : m_total) / m_total);
    if (percent == m_shownPercent) return;
    m_shownPercent = percent;
    const int filled = percent * kWidth / 100;
    std::fprintf(m_stream, "\r[");
    for (int i = 0; i < kWidth; ++i)
        std::fputc(i < filled ? '#' : ' ', m_stream);
    std::fprintf(m_stream, "] %3d%%", percent);
    std::fflush(m_stream);
}

void ProgressBar::finish()
{
    if (!m_active) return;
    std::fputc('\n', m_stream);
    std::fflush(m_stream);
    m_active = false;
}

} // namespace vevadur::render
