// A virtual X server for the tests that open real windows: Xvfb picks a free display number,
// DISPLAY points at it while the server runs, and the server is stopped on destruction.
#pragma once

#include <sys/types.h>

#include <string>

class XvfbServer
{
  public:
    // The Xvfb program on PATH, or empty text when it is not installed.
    static std::string executable();

    // screen: width x height x depth of its one screen.
    explicit XvfbServer(const std::string& screen = "1024x768x24");
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool isRunning() const { return m_pid > 0 && !m_display.empty(); }
    const std::string& display() const { return m_display; }
    // Why the server is not running.
    const std::string& error() const { return m_error; }

  private:
    pid_t m_pid = -1;
    std::string m_display;
    std::string m_error;
    std::string m_previousDisplay;
    bool m_hadDisplay = false;
};
