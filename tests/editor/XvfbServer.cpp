#include "XvfbServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

namespace
{
// Xvfb writes its display number to this descriptor once it accepts connections.
constexpr int kStartTimeoutMs = 15000;
constexpr int kStopTimeoutMs = 5000;

std::string readDisplayNumber(int fd)
{
    std::string text;
    pollfd wait{fd, POLLIN, 0};
    char buffer[32];
    while (text.find('\n') == std::string::npos && poll(&wait, 1, kStartTimeoutMs) > 0)
    {
        const ssize_t n = read(fd, buffer, sizeof(buffer));
        if (n <= 0) break;
        text.append(buffer, static_cast<size_t>(n));
    }
    const size_t end = text.find('\n');
    return end == std::string::npos || end == 0 ? std::string() : text.substr(0, end);
}
} // namespace

std::string XvfbServer::executable()
{
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "/usr/bin:/bin");
    for (std::string folder; std::getline(folders, folder, ':');)
    {
        const std::string candidate = folder + "/Xvfb";
        if (!folder.empty() && access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return {};
}

XvfbServer::XvfbServer(const std::string& screen)
{
    const std::string program = executable();
    if (program.empty())
    {
        m_error = "Xvfb is not installed";
        return;
    }
    int fds[2];
    if (pipe(fds) != 0)
    {
        m_error = "no pipe";
        return;
    }
    fcntl(fds[0], F_SETFD, FD_CLOEXEC);
    const std::string fd = std::to_string(fds[1]);
    m_pid = fork();
    if (m_pid == 0)
    {
        // The server goes with the test process, however that ends, and keeps off its output.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execl(program.c_str(), program.c_str(), "-displayfd", fd.c_str(), "-screen", "0",
              screen.c_str(), "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (m_pid < 0)
    {
        m_error = "cannot start Xvfb";
        close(fds[0]);
        return;
    }
    const std::string number = readDisplayNumber(fds[0]);
    close(fds[0]);
    if (number.empty())
    {
        m_error = "Xvfb did not report a display within " + std::to_string(kStartTimeoutMs / 1000) +
                  " s";
        return;
    }
    m_display = ":" + number;
    if (const char* previous = std::getenv("DISPLAY"))
    {
        m_hadDisplay = true;
        m_previousDisplay = previous;
    }
    setenv("DISPLAY", m_display.c_str(), 1);
}

XvfbServer::~XvfbServer()
{
    if (m_pid > 0)
    {
        // Asked to end, then made to after a few seconds: the tests never wait for it unbounded.
        kill(m_pid, SIGTERM);
        int status = 0;
        for (int waited = 0; waitpid(m_pid, &status, WNOHANG) == 0; waited += 10)
        {
            if (waited == kStopTimeoutMs) kill(m_pid, SIGKILL);
            usleep(10000);
        }
    }
    if (m_hadDisplay)
        setenv("DISPLAY", m_previousDisplay.c_str(), 1);
    else if (!m_display.empty())
        unsetenv("DISPLAY");
}
