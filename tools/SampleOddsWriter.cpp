// sample-odds-writer FOLDER [--race N] [--every SECONDS] [--steps K] [--way WAY]
//
// Plays the betting software fetching odds into a sample folder that make-sample-folder wrote:
// every SECONDS (default 10) the odds files of the first meeting's races (or race N alone)
// are rewritten with the market moved one step, K times (default: until stopped). WAY is how
// each file is replaced: "rename" (a temporary file renamed over it, the default), "in-place"
// or "pieces" (in place, in three pieces a second apart).

#include "platform/Codec.h"
#include "settings/SettingsFile.h"
#include "tools/SampleFetch.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <thread>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: sample-odds-writer FOLDER [--race N] [--every SECONDS] "
                         "[--steps K] [--way rename|in-place|pieces]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc % 2 != 0) {
        return Usage();
    }
    int race = 0;
    int every = 10;
    int steps = -1;
    auto way = mv::sample::WriteWay::ThroughRename;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const std::string value = argv[i + 1];
        if (option == "--race") {
            race = std::atoi(value.c_str());
        } else if (option == "--every") {
            every = std::atoi(value.c_str());
        } else if (option == "--steps") {
            steps = std::atoi(value.c_str());
        } else if (option == "--way" && value == "rename") {
            way = mv::sample::WriteWay::ThroughRename;
        } else if (option == "--way" && value == "in-place") {
            way = mv::sample::WriteWay::InPlace;
        } else if (option == "--way" && value == "pieces") {
            way = mv::sample::WriteWay::InPieces;
        } else {
            return Usage();
        }
    }
    if (race < 0 || race > 12 || every < 0) {
        return Usage();
    }
    const auto absolute = mv::TryUtf8ToSjis(std::filesystem::absolute(argv[1]).string());
    if (!absolute) {
        std::fprintf(stderr, "sample-odds-writer: cannot use the folder %s\n", argv[1]);
        return 1;
    }
    const std::string folder = mv::AddTrailingBackslash(*absolute);
    try {
        const auto meetings = mv::sample::SampleMeetings();
        for (int step = 1; steps < 0 || step <= steps; ++step) {
            for (int r = 1; r <= 12; ++r) {
                if (race == 0 || r == race) {
                    mv::sample::WriteFetch(folder, meetings[0], r, step, way,
                                           std::chrono::seconds(1));
                }
            }
            std::printf("fetch %d written\n", step);
            std::fflush(stdout);
            if (steps < 0 || step < steps) {
                std::this_thread::sleep_for(std::chrono::seconds(every));
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "sample-odds-writer: %s\n", e.what());
        return 1;
    }
    return 0;
}
