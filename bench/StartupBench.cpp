// ostra-startup-bench: the editor's start against a bare Qt window's (one
// label, one edit box), both on the X display the bench is given.
//
//   ostra-startup-bench [runs [EDITOR [PEER]]]
//
// EDITOR and PEER default to the editor and ostra-bare-window of this
// build; another build's editor may be given to compare the two.
//
// Each run starts one program with fork and exec and times it from the fork
// to the moment the X server maps its top-level window: the bench listens
// on the root window for MapNotify and takes the first mapped child of the
// root whose _NET_WM_PID is the started process. The programs are not
// changed or told anything for the bench's sake.
//
// The resident memory is read once the program has settled: after the map,
// /proc/PID/stat is sampled every 20 ms until the process has used no
// processor time for 100 ms (its event loop idle, the first paint done),
// then VmRSS is read from /proc/PID/status and the process is killed.
//
// The runs alternate (editor, bare, editor, bare, ...) after one unmeasured
// warm-up of each, so that a noisy moment of the shared machine falls on
// both; medians and the editor's ratios to the bare window are printed.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include <xcb/xcb.h>

#include "bench/Statistics.h"

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr int kDefaultRuns = 21;
constexpr auto kMapTimeout = std::chrono::seconds(20);
constexpr auto kSettleSample = std::chrono::milliseconds(20);
constexpr int kIdleSamples = 5;
constexpr auto kSettleLimit = std::chrono::seconds(5);

struct Program {
    const char* Name;
    const char* Path;
};

struct Measurement {
    double MapMilliseconds;
    double ResidentMegabytes;
};

class Display {
public:
    Display()
    {
        connection_ = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection_))
            throw std::runtime_error("cannot connect to the X display (is DISPLAY set?)");
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_generic_error_t* error =
            xcb_request_check(connection_, xcb_change_window_attributes_checked(connection_, root_, XCB_CW_EVENT_MASK, &mask));
        if (error != nullptr) {
            std::free(error);
            throw std::runtime_error("cannot listen for windows on the root window");
        }
        pidAtom_ = internAtom("_NET_WM_PID");
    }
    ~Display() { xcb_disconnect(connection_); }
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    // Drops the events of earlier runs (their windows' unmaps and destroys).
    void discardEvents()
    {
        xcb_flush(connection_);
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_))
            std::free(event);
    }

    // Waits for a top-level window of process pid to be mapped; false when
    // the process ends or the time runs out first.
    bool waitForMappedWindow(pid_t pid, Clock::time_point deadline)
    {
        const int fd = xcb_get_file_descriptor(connection_);
        while (Clock::now() < deadline) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
                const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY
                    && reinterpret_cast<xcb_map_notify_event_t*>(event)->event == root_;
                const xcb_window_t window = mapped ? reinterpret_cast<xcb_map_notify_event_t*>(event)->window : 0;
                std::free(event);
                if (mapped && windowPid(window) == pid)
                    return true;
            }
            if (xcb_connection_has_error(connection_))
                throw std::runtime_error("lost the connection to the X display");
            if (::waitpid(pid, nullptr, WNOHANG) == pid)
                return false;
            pollfd wait{fd, POLLIN, 0};
            ::poll(&wait, 1, 50);
        }
        return false;
    }

private:
    xcb_atom_t internAtom(const char* name)
    {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
        if (reply == nullptr)
            throw std::runtime_error(std::string("cannot intern ") + name);
        const xcb_atom_t atom = reply->atom;
        std::free(reply);
        return atom;
    }

    std::optional<pid_t> windowPid(xcb_window_t window)
    {
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, window, pidAtom_, XCB_ATOM_CARDINAL, 0, 1), nullptr);
        if (reply == nullptr)
            return std::nullopt;
        std::optional<pid_t> pid;
        if (reply->format == 32 && xcb_get_property_value_length(reply) == 4)
            pid = static_cast<pid_t>(*static_cast<uint32_t*>(xcb_get_property_value(reply)));
        std::free(reply);
        return pid;
    }

    xcb_connection_t* connection_;
    xcb_window_t root_;
    xcb_atom_t pidAtom_;
};

// User plus system processor time of the process, in clock ticks.
long long processorTicks(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // The command name in parentheses may hold spaces; the fields after its
    // closing parenthesis start with the state (field 3); utime and stime
    // are fields 14 and 15.
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    long long utime = 0;
    long long stime = 0;
    for (int number = 3; number <= 15 && fields >> field; ++number) {
        if (number == 14)
            utime = std::stoll(field);
        if (number == 15)
            stime = std::stoll(field);
    }
    return utime + stime;
}

void waitUntilIdle(pid_t pid)
{
    const Clock::time_point limit = Clock::now() + kSettleLimit;
    long long last = processorTicks(pid);
    int idle = 0;
    while (idle < kIdleSamples && Clock::now() < limit) {
        std::this_thread::sleep_for(kSettleSample);
        const long long now = processorTicks(pid);
        idle = now == last ? idle + 1 : 0;
        last = now;
    }
}

double residentMegabytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    }
    throw std::runtime_error("no VmRSS for process " + std::to_string(pid));
}

pid_t startProgram(const Program& program)
{
    const pid_t pid = ::fork();
    if (pid < 0)
        throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
    if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        ::execl(program.Path, program.Path, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return pid;
}

void endProgram(pid_t pid)
{
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

Measurement measure(Display& display, const Program& program)
{
    display.discardEvents();
    const Clock::time_point start = Clock::now();
    const pid_t pid = startProgram(program);
    if (!display.waitForMappedWindow(pid, start + kMapTimeout)) {
        endProgram(pid);
        throw std::runtime_error(std::string(program.Name) + " mapped no window (" + program.Path + ")");
    }
    const double mapped = Milliseconds(Clock::now() - start).count();
    waitUntilIdle(pid);
    const double resident = residentMegabytes(pid);
    endProgram(pid);
    return {mapped, resident};
}

using ostra::bench::median;
using ostra::bench::quantile;

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRuns;
    const Program editor{"editor", argc > 2 ? argv[2] : OSTRA_EDITOR_PATH};
    const Program bare{"bare window", argc > 3 ? argv[3] : OSTRA_BARE_WINDOW_PATH};
    // The programs show their windows on this display, whatever platform
    // the calling shell chose for Qt.
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    try {
        Display display;
        measure(display, editor);
        measure(display, bare);
        std::vector<double> editorTimes, bareTimes, editorMemory, bareMemory;
        for (int run = 0; run < runs; ++run) {
            const Measurement e = measure(display, editor);
            const Measurement b = measure(display, bare);
            editorTimes.push_back(e.MapMilliseconds);
            editorMemory.push_back(e.ResidentMegabytes);
            bareTimes.push_back(b.MapMilliseconds);
            bareMemory.push_back(b.ResidentMegabytes);
        }
        const double editorTime = median(editorTimes), bareTime = median(bareTimes);
        const double editorRss = median(editorMemory), bareRss = median(bareMemory);
        std::printf("%d interleaved runs each, medians (after one warm-up each)\n", runs);
        std::printf("%-12s %14s %14s\n", "", "exec to map", "resident");
        std::printf("%-12s %11.1f ms %11.1f MB\n", editor.Name, editorTime, editorRss);
        std::printf("%-12s %11.1f ms %11.1f MB\n", bare.Name, bareTime, bareRss);
        std::printf("%-12s %13.2fx %13.2fx\n", "ratio", editorTime / bareTime, editorRss / bareRss);
        // The spread tells a quiet machine from a busy one.
        std::printf("middle half of the times: editor %.1f-%.1f ms, bare window %.1f-%.1f ms\n",
                    quantile(editorTimes, 0.25), quantile(editorTimes, 0.75), quantile(bareTimes, 0.25),
                    quantile(bareTimes, 0.75));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "ostra-startup-bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
