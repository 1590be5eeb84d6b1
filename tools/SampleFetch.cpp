#include "tools/SampleFetch.h"

#include "platform/FileQuery.h"
#include "tools/SampleMarket.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <thread>

namespace mv::sample {
namespace {

// One price moved by up to 15 % either way, never below 1.0; blanks and cancelled odds stay.
std::string Moved(const std::string& odds, Rng& rng) {
    const int factor = rng.Between(85, 115);
    std::size_t at = odds.find_first_not_of(' ');
    if (at == std::string::npos || odds.find('.') == std::string::npos) {
        return odds;
    }
    const std::string number = odds.substr(at);
    const auto dot = number.find('.');
    int tenths = 0;
    for (std::size_t i = 0; i < number.size(); ++i) {
        if (i != dot) {
            tenths = tenths * 10 + (number[i] - '0');
        }
    }
    // Odds shown as " 0.0" stand for a runner below 1.0 and stay so.
    if (tenths == 0) {
        return odds;
    }
    tenths = std::max(10, tenths * factor / 100);
    // A price that no longer fits its field keeps its old value.
    if (std::to_string(tenths / 10).size() + 2 > odds.size()) {
        return odds;
    }
    return OddsText(tenths, odds.size());
}

// One generator per race and file, so that each fetch moves on from the one before.
Rng RaceRng(const SampleMeeting& meeting, const SampleRace& race, unsigned kind) {
    return Rng(static_cast<std::uint64_t>(meeting.slot) * 1000003u +
               static_cast<std::uint64_t>(race.number) * 7919u + kind);
}

// The odds time moves five minutes a fetch, within the hour.
void MoveTime(std::string& hours, std::string& minutes, int step) {
    const int total = std::stoi(hours) * 60 + std::stoi(minutes) + 5 * step;
    hours = TwoDigits(total / 60 % 24);
    minutes = TwoDigits(total % 60);
}

} // namespace

WinPlaceBracketFile WinPlaceAfter(const SampleMeeting& meeting, const SampleRace& race, int step) {
    WinPlaceBracketFile file = *race.winPlace;
    Rng rng = RaceRng(meeting, race, 3);
    for (int s = 0; s < step; ++s) {
        for (WinPlaceOdds& runner : file.runners) {
            runner.win = Moved(runner.win, rng);
            // The place range moves as one, so that its ends stay in order.
            Rng same = rng;
            runner.placeLow = Moved(runner.placeLow, same);
            runner.placeHigh = Moved(runner.placeHigh, rng);
        }
        for (BracketOdds& bracket : file.brackets) {
            bracket.odds = Moved(bracket.odds, rng);
        }
    }
    MoveTime(file.oddsHours, file.oddsMinutes, step);
    return file;
}

QuinellaWideFile QuinellaWideAfter(const SampleMeeting& meeting, const SampleRace& race, int step) {
    QuinellaWideFile file = *race.quinellaWide;
    Rng rng = RaceRng(meeting, race, 4);
    for (int s = 0; s < step; ++s) {
        for (PairOdds& pair : file.combinations) {
            pair.quinella = Moved(pair.quinella, rng);
            Rng same = rng;
            pair.wideLow = Moved(pair.wideLow, same);
            pair.wideHigh = Moved(pair.wideHigh, rng);
        }
    }
    MoveTime(file.oddsHours, file.oddsMinutes, step);
    return file;
}

void WriteDataFileAs(const std::string& folder, const std::string& name, const std::string& line,
                     WriteWay way, std::chrono::milliseconds pause) {
    const std::filesystem::path path = ToOsPath(folder + name);
    const std::string bytes = line + "\r\n";
    switch (way) {
    case WriteWay::InPlace:
        WriteDataFile(folder, name, line);
        return;
    case WriteWay::InPieces: {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        const std::size_t third = bytes.size() / 3;
        for (std::size_t at = 0; at < bytes.size(); at += third) {
            if (at > 0) {
                std::this_thread::sleep_for(pause);
            }
            out.write(bytes.data() + at,
                      static_cast<std::streamsize>(std::min(third, bytes.size() - at)));
            out.flush();
        }
        return;
    }
    case WriteWay::ThroughRename: {
        std::filesystem::path temporary = path;
        temporary += ".new";
        std::ofstream(temporary, std::ios::binary | std::ios::trunc)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        std::filesystem::rename(temporary, path);
        return;
    }
    case WriteWay::DeleteThenCreate:
        std::filesystem::remove(path);
        std::this_thread::sleep_for(pause);
        WriteDataFile(folder, name, line);
        return;
    }
}

void WriteFetch(const std::string& folder, const SampleMeeting& meeting, int race, int step,
                WriteWay way, std::chrono::milliseconds pause) {
    const SampleRace& r = meeting.races[static_cast<std::size_t>(race - 1)];
    if (r.winPlace) {
        WriteDataFileAs(folder, DataFileName(Kind::Zo, meeting.keys, race),
                        Line1(WinPlaceAfter(meeting, r, step)), way, pause);
    }
    if (r.quinellaWide) {
        WriteDataFileAs(folder, DataFileName(Kind::Uo, meeting.keys, race),
                        Line1(QuinellaWideAfter(meeting, r, step)), way, pause);
    }
}

} // namespace mv::sample
