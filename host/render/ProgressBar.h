#pragma once

#include <cstdio>

namespace vevadur::render
{

// A one-line progress bar on a terminal; silent when the stream is not one or the job is
// short enough not to need it.
class ProgressBar
{
  public:
    ProgressBar(std::FILE* stream, long long total, bool wanted);
    ~ProgressBar();
    void update(long long done);
    void finish();

  private:
    std::FILE* m_stream;
    long long m_total;
    bool m_active;
    int m_shownPercent = -1;
};

} // namespace vevadur::render
