// The core's share of a click: the race probe of a venue choice, the race load of a race
// button next to a plain loop doing the same file I/O, and a sort-button switch.

#include "bench/BenchFolder.h"
#include "common/Tables.h"
#include "platform/FileQuery.h"
#include "platform/TextFile.h"
#include "racecard/RaceHeader.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <stdexcept>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace mv::bench {
namespace {

// Writing 50,000 files takes seconds, so each folder is made once and shared by the runs.
const BenchInstall& Install(const FolderShape& shape) {
    static std::map<std::tuple<bool, int, bool>, std::unique_ptr<BenchInstall>> installs;
    auto& install = installs[{shape.onlyFirstMeeting, shape.unrelatedFiles, shape.upperCase}];
    if (!install) {
        install = std::make_unique<BenchInstall>(shape);
    }
    return *install;
}

// How the folder stands when the probe runs.
enum FolderState : int {
    Fresh,   // the betting software has just written a file: its time stamp is seconds old
    Changed, // a file written since the last probe, the time stamp set back an hour after
    Settled, // unchanged since the last probe
};

// Arguments: unrelated files, names in upper case (0/1), FolderState.
void RaceProbe(benchmark::State& state) {
    const BenchInstall& install = Install(
        {.unrelatedFiles = static_cast<int>(state.range(0)), .upperCase = state.range(1) != 0});
    const auto folder = static_cast<FolderState>(state.range(2));
    SilentUi ui;
    const auto form = install.MakeForm(ui);
    install.SetPatFolderAge(folder != Fresh);
    ProbeRaceFiles(*form);
    for (auto _ : state) {
        if (folder != Settled) {
            state.PauseTiming();
            install.ChangePatFolder();
            if (folder == Changed) {
                install.SetPatFolderAge(true);
            }
            state.ResumeTiming();
        }
        const int found = ProbeRaceFiles(*form);
        if (found == 0) {
            state.SkipWithError("the probe found no race file");
        }
        benchmark::DoNotOptimize(found);
    }
    install.SetPatFolderAge(true);
}
BENCHMARK(RaceProbe)
    ->ArgNames({"unrelated", "upper", "folder"})
    ->ArgsProduct({{0, 1000, 10000, 50000}, {0, 1}, {Settled, Changed, Fresh}})
    ->Unit(benchmark::kMicrosecond);

// The full race shown: venue slot 1, race 1, which has all five files.
std::unique_ptr<TMainForm> ShownRace(const BenchInstall& install, UiServices& ui) {
    auto form = install.MakeForm(ui);
    form->ShowVenue();
    const Selection& s = form->state().selection;
    for (int kind = 1; kind <= FileKinds; ++kind) {
        if (s.CurRace != 1 || !s.HasFile(1, kind)) {
            throw std::runtime_error("race 1 of the sample lacks a file");
        }
    }
    return form;
}

void RaceLoad(benchmark::State& state) {
    const BenchInstall& install = Install({});
    SilentUi ui;
    const auto form = ShownRace(install, ui);
    for (auto _ : state) {
        // As a race click runs them: each data file read once for the header and every stage.
        const ReadOnceScope files;
        ShowRaceHeader(form->state());
        form->LoadRaceData();
    }
}
BENCHMARK(RaceLoad)->Unit(benchmark::kMicrosecond);

// The I/O of a race load and nothing else: line 1 of each of the five data files read, and
// eight files of the caches' sizes written in place with the fewest calls that leave exactly
// those bytes (open without truncating, write, cut to length).
struct FloorFiles {
    std::vector<std::string> reads;
    std::vector<std::pair<std::string, std::string>> writes; // path, content
};

FloorFiles RaceLoadFiles(const TMainForm& form) {
    FloorFiles files;
    for (int kind = 1; kind <= FileKinds; ++kind) {
        files.reads.push_back(FindFile(form.state().DataFilePath(kind, 1))->string());
    }
    for (const char* name : {"MvDESo.dat", "MvDENo.dat", "MvZOSo.dat", "MvZONo.dat", "MvUOSo.dat",
                             "MvUONo.dat", "MvKOSo.dat", "MvKONo.dat"}) {
        const std::string path = form.state().CachePath(name).string();
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) {
            throw std::runtime_error("no cache " + path);
        }
        files.writes.emplace_back(path + ".floor",
                                  std::string(static_cast<std::size_t>(st.st_size), 'x'));
    }
    return files;
}

// Line 1 of a file: one read covers it in every file of the sample.
std::size_t ReadLineOne(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    char buffer[65536];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    ::close(fd);
    const void* end = n > 0 ? std::memchr(buffer, '\n', static_cast<std::size_t>(n)) : nullptr;
    return end == nullptr ? 0 : static_cast<std::size_t>(static_cast<const char*>(end) - buffer);
}

bool WriteInPlace(const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    const bool written =
        ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
        ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0;
    return (::close(fd) == 0) && written;
}

void RaceLoadIoFloor(benchmark::State& state) {
    const BenchInstall& install = Install({});
    SilentUi ui;
    const FloorFiles files = RaceLoadFiles(*ShownRace(install, ui));
    for (auto _ : state) {
        std::size_t read = 0;
        for (const auto& path : files.reads) {
            read += ReadLineOne(path);
        }
        benchmark::DoNotOptimize(read);
        for (const auto& [path, bytes] : files.writes) {
            if (!WriteInPlace(path, bytes)) {
                state.SkipWithError("cannot write a file of the floor");
            }
        }
    }
}
BENCHMARK(RaceLoadIoFloor)->Unit(benchmark::kMicrosecond);

// One panel redisplayed from its cache: the race card (argument 0) or the quinella odds, the
// longest odds panel (argument 1). Each iteration flips the panel's order.
void SortSwitch(benchmark::State& state) {
    const BenchInstall& install = Install({});
    SilentUi ui;
    const auto form = ShownRace(install, ui);
    const bool raceCard = state.range(0) == 0;
    const Radio sort = raceCard ? Radio::RBSortT : Radio::RBSort2;
    const Radio normal = raceCard ? Radio::RBNorT : Radio::RBNor2;
    bool sorted = form->window().radios[static_cast<std::size_t>(sort)].checked;
    for (auto _ : state) {
        sorted = !sorted;
        form->Check(sorted ? sort : normal);
    }
}
BENCHMARK(SortSwitch)->ArgName("panel")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The set-up check's pattern search with a folder setting full of "*": fifty of them before
// the meeting index's name, against a folder of 10,000 files whose listing is kept. No name
// matches, so every entry is tried to its end.
void PatternSearch(benchmark::State& state) {
    const BenchInstall& install = Install({.unrelatedFiles = 10000});
    std::string pattern = install.PatFolder();
    for (int i = 0; i < 50; ++i) {
        pattern += "*1";
    }
    pattern += "Uy-?.jra";
    PatternFileExists(pattern);
    for (auto _ : state) {
        benchmark::DoNotOptimize(PatternFileExists(pattern));
    }
}
BENCHMARK(PatternSearch)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace mv::bench

BENCHMARK_MAIN();
