// Whole programs under a display server: the time from starting the viewer until its main
// window is mapped, and the viewer's peak memory after browsing every race, each next to the
// bare Qt program that shows an empty 800 x 600 window. Needs DISPLAY (the bench script runs
// it under Xvfb).

#include "bench/BenchFolder.h"

#include <benchmark/benchmark.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>
#include <xcb/xcb.h>

extern char** environ;

namespace mv::bench {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const fs::path& ProgramFolder() {
    static const fs::path folder = fs::read_symlink("/proc/self/exe").parent_path();
    return folder;
}

pid_t Spawn(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const auto& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        throw std::runtime_error("cannot start " + args[0]);
    }
    return pid;
}

// Watches the display for the first top-level window that a program maps. With no window
// manager under Xvfb, a top-level window is a child of the root window, and it is mapped when
// the program shows it.
class MapWatch {
public:
    MapWatch() : connection_(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(connection_) != 0) {
            throw std::runtime_error("no display: run under xvfb-run");
        }
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_request_check(connection_, xcb_change_window_attributes_checked(
                                           connection_, root, XCB_CW_EVENT_MASK, &mask));
    }
    ~MapWatch() { xcb_disconnect(connection_); }
    MapWatch(const MapWatch&) = delete;
    MapWatch& operator=(const MapWatch&) = delete;

    // Waits until a top-level window is mapped; false when none is within the time allowed.
    bool WaitForMap(std::chrono::milliseconds allowed) {
        const auto until = Clock::now() + allowed;
        for (;;) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
                const bool mapped =
                    (event->response_type & 0x7f) == XCB_MAP_NOTIFY &&
                    !reinterpret_cast<xcb_map_notify_event_t*>(event)->override_redirect;
                std::free(event);
                if (mapped) {
                    return true;
                }
            }
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
            if (left.count() <= 0) {
                return false;
            }
            pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
            ::poll(&fd, 1, static_cast<int>(left.count()));
        }
    }

private:
    xcb_connection_t* connection_;
};

// The viewer as installed: its executable copied into a folder with a settings file naming
// the sample folder, since it reads its settings next to itself.
struct InstalledViewer {
    InstalledViewer() : install({.onlyFirstMeeting = false}) {
        fs::copy_file(ProgramFolder() / "Q-MvRCV98", install.OsFolder() / "Q-MvRCV98");
    }
    std::string Executable() const { return (install.OsFolder() / "Q-MvRCV98").string(); }
    BenchInstall install;
};

// What runs: the viewer (0), the bare window (1), or the bare window with one label in each of
// the design's two Japanese faces (2).
enum Program : int { Viewer, Bare, BareWithLabels };

std::vector<std::string> CommandOf(Program program, const InstalledViewer& installed) {
    if (program == Viewer) {
        return {installed.Executable()};
    }
    std::vector<std::string> command{(ProgramFolder() / "bare-window").string()};
    if (program == BareWithLabels) {
        command.emplace_back("--labels");
    }
    return command;
}

void StartUp(benchmark::State& state) {
    const InstalledViewer installed;
    const auto program = CommandOf(static_cast<Program>(state.range(0)), installed);
    MapWatch watch;
    for (auto _ : state) {
        const auto start = Clock::now();
        const pid_t pid = Spawn(program);
        const bool mapped = watch.WaitForMap(std::chrono::seconds(30));
        const auto end = Clock::now();
        ::kill(pid, SIGTERM);
        ::waitpid(pid, nullptr, 0);
        if (!mapped) {
            state.SkipWithError("no window was shown");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}
BENCHMARK(StartUp)
    ->ArgName("bare")
    ->Arg(Viewer)
    ->Arg(Bare)
    ->Arg(BareWithLabels)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

// The viewer browsing every race of the sample, or a bare window ending after its first paint.
void PeakMemory(benchmark::State& state) {
    const InstalledViewer installed;
    const auto which = static_cast<Program>(state.range(0));
    std::vector<std::string> program{(ProgramFolder() / "browse-races").string(),
                                     installed.install.OsFolder().string()};
    if (which != Viewer) {
        program = CommandOf(which, installed);
        program.emplace_back("--quit-when-painted");
    }
    long peakKib = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const pid_t pid = Spawn(program);
        int status = 0;
        rusage usage{};
        ::wait4(pid, &status, 0, &usage);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the program failed");
            break;
        }
        peakKib = usage.ru_maxrss;
    }
    state.counters["peak_rss_kib"] = static_cast<double>(peakKib);
}
BENCHMARK(PeakMemory)
    ->ArgName("bare")
    ->Arg(Viewer)
    ->Arg(Bare)
    ->Arg(BareWithLabels)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace mv::bench

BENCHMARK_MAIN();
