// vevadur-idle-cost: what a program's windows cost while nobody touches them. It starts the
// program on the X display named by DISPLAY, waits for it to settle, then for the measured
// stretch counts
//   - the CPU time of the program and its child processes (from /proc),
//   - the bytes they hand to write calls (from /proc: the X connection's requests),
//   - the paints the X server sees in the program's windows (Damage events) and their pixels,
// and ends the program. Nothing in the program is instrumented, so a build from before a change
// is measured the same way as one after it, natively or under Wine. --with PID counts that
// process too (the wineserver of the program's Wine prefix, which is no child of it).
//   vevadur-idle-cost [--settle S] [--seconds N] [--with PID]... -- PROGRAM [ARGS...]
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace
{
struct Options
{
    double settleSeconds = 3;
    double seconds = 10;
    std::vector<int> alsoCounted;
    std::vector<char*> command;
};

bool parse(int argc, char** argv, Options& options)
{
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i)
    {
        const std::string arg = argv[i];
        if (arg == "--settle" && i + 1 < argc)
            options.settleSeconds = std::atof(argv[++i]);
        else if (arg == "--seconds" && i + 1 < argc)
            options.seconds = std::atof(argv[++i]);
        else if (arg == "--with" && i + 1 < argc)
            options.alsoCounted.push_back(std::atoi(argv[++i]));
        else
            return false;
    }
    for (++i; i < argc; ++i)
        options.command.push_back(argv[i]);
    options.command.push_back(nullptr);
    return options.command.size() > 1 && options.seconds > 0 && options.settleSeconds >= 0;
}

// What /proc tells of one process.
struct ProcessCost
{
    double cpuSeconds = 0;
    unsigned long long bytesWritten = 0;
};

int parentOf(int pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t name = text.rfind(')'); // the command name may hold blanks
    if (name == std::string::npos) return -1;
    std::istringstream fields(text.substr(name + 2));
    char state = 0;
    int parent = -1;
    fields >> state >> parent;
    return parent;
}

ProcessCost costOf(int pid)
{
    ProcessCost cost;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t name = text.rfind(')');
    if (name == std::string::npos) return cost;
    std::istringstream fields(text.substr(name + 2));
    std::string field;
    unsigned long long user = 0, system = 0;
    // Fields 3 to 15 of stat; utime and stime are the 14th and 15th.
    for (int i = 3; i <= 15 && fields >> field; ++i)
    {
        if (i == 14) user = std::stoull(field);
        if (i == 15) system = std::stoull(field);
    }
    cost.cpuSeconds = static_cast<double>(user + system) / sysconf(_SC_CLK_TCK);
    std::ifstream io("/proc/" + std::to_string(pid) + "/io");
    for (std::string line; std::getline(io, line);)
        if (line.rfind("wchar: ", 0) == 0) cost.bytesWritten = std::stoull(line.substr(7));
    return cost;
}

// The process, every descendant alive now, and the other processes named.
std::vector<int> processTree(int root, const std::vector<int>& alsoCounted)
{
    std::vector<int> all;
    if (DIR* proc = opendir("/proc"))
    {
        while (dirent* entry = readdir(proc))
            if (const int pid = std::atoi(entry->d_name); pid > 0) all.push_back(pid);
        closedir(proc);
    }
    std::vector<int> tree{root};
    for (int pid : alsoCounted)
        if (pid > 0 && pid != root) tree.push_back(pid);
    for (size_t i = 0; i < tree.size(); ++i)
        for (int pid : all)
            if (parentOf(pid) == tree[i] && std::find(tree.begin(), tree.end(), pid) == tree.end())
                tree.push_back(pid);
    return tree;
}

ProcessCost costOfTree(int root, const std::vector<int>& alsoCounted)
{
    ProcessCost total;
    for (int pid : processTree(root, alsoCounted))
    {
        const ProcessCost cost = costOf(pid);
        total.cpuSeconds += cost.cpuSeconds;
        total.bytesWritten += cost.bytesWritten;
    }
    return total;
}

std::vector<xcb_window_t> children(xcb_connection_t* c, xcb_window_t window)
{
    std::vector<xcb_window_t> result;
    if (xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr))
    {
        const xcb_window_t* list = xcb_query_tree_children(tree);
        result.assign(list, list + xcb_query_tree_children_length(tree));
        std::free(tree);
    }
    return result;
}

struct Paints
{
    unsigned long long count = 0;
    unsigned long long pixels = 0;
};

// Reads the Damage events that have arrived.
void countPaints(xcb_connection_t* c, uint8_t damageEvent, Paints& paints)
{
    while (xcb_generic_event_t* event = xcb_poll_for_event(c))
    {
        if ((event->response_type & 0x7f) == damageEvent)
        {
            auto* damage = reinterpret_cast<xcb_damage_notify_event_t*>(event);
            ++paints.count;
            paints.pixels +=
                static_cast<unsigned long long>(damage->area.width) * damage->area.height;
        }
        std::free(event);
    }
}

void sleepSeconds(double seconds)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

int fail(const char* message)
{
    std::fprintf(stderr, "vevadur-idle-cost: %s\n", message);
    return 1;
}
} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parse(argc, argv, options))
    {
        std::fprintf(stderr, "usage: vevadur-idle-cost [--settle S] [--seconds N] [--with PID]... "
                             "-- PROGRAM [ARGS...]\n");
        return 2;
    }
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) return fail("no X display (is DISPLAY set?)");
    const xcb_query_extension_reply_t* damageExtension = xcb_get_extension_data(c, &xcb_damage_id);
    if (!damageExtension || !damageExtension->present)
        return fail("the X server has no Damage extension");
    std::free(xcb_damage_query_version_reply(
        c, xcb_damage_query_version(c, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
        nullptr));
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const std::vector<xcb_window_t> before = children(c, root);

    const pid_t program = fork();
    if (program == 0)
    {
        execvp(options.command[0], options.command.data());
        std::_Exit(127);
    }
    if (program < 0) return fail("cannot start the program");
    sleepSeconds(options.settleSeconds);

    // Every top-level window that appeared since the start. Drawing into a window inside one
    // is reported on it too, so each paint counts once.
    const std::set<xcb_window_t> old(before.begin(), before.end());
    std::vector<xcb_window_t> watched;
    for (xcb_window_t window : children(c, root))
        if (!old.count(window)) watched.push_back(window);
    for (xcb_window_t window : watched)
        xcb_damage_create(c, xcb_generate_id(c), window, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    const uint8_t damageEvent = damageExtension->first_event + XCB_DAMAGE_NOTIFY;
    Paints paints;
    countPaints(c, damageEvent, paints); // what creating the damage objects reported
    paints = Paints{};

    const ProcessCost start = costOfTree(program, options.alsoCounted);
    const auto begun = std::chrono::steady_clock::now();
    sleepSeconds(options.seconds);
    const ProcessCost end = costOfTree(program, options.alsoCounted);
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count();
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    countPaints(c, damageEvent, paints);

    const double cpu = end.cpuSeconds - start.cpuSeconds;
    std::printf("windows watched: %zu\n", watched.size());
    std::printf("measured: %.1f s\n", elapsed);
    std::printf("cpu: %.2f s (%.2f %% of a core)\n", cpu, 100.0 * cpu / elapsed);
    std::printf("paints seen by the X server: %llu (%llu pixels)\n", paints.count, paints.pixels);
    std::printf("bytes written: %llu\n", end.bytesWritten - start.bytesWritten);

    kill(program, SIGTERM);
    for (int i = 0; i < 50; ++i) // up to 5 s for a clean end
    {
        if (waitpid(program, nullptr, WNOHANG) == program)
        {
            xcb_disconnect(c);
            return 0;
        }
        sleepSeconds(0.1);
    }
    kill(program, SIGKILL);
    waitpid(program, nullptr, 0);
    xcb_disconnect(c);
    return 0;
}
