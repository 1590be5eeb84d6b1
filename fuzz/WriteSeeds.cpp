// write-fuzz-seeds FOLDER
//
// Writes the seed corpus of every fuzz target, one subfolder per target, from the sample
// betting-software folder: the files of its races as the targets take them.

#include "fuzz/FuzzInput.h"
#include "platform/Codec.h"
#include "platform/Fields.h"
#include "tools/SampleFolder.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace mv;
using namespace mv::sample;
using Corpus = std::map<std::string, std::vector<std::string>>;

// A data file as the betting software leaves it: line 1 and CR LF.
template <typename File>
std::string FileBytes(const std::optional<File>& file) {
    return file ? Line1(*file) + "\r\n" : std::string();
}

void AddRace(Corpus& corpus, const SampleRace& race) {
    const std::string de = FileBytes(race.raceCard), ut = FileBytes(race.bodyWeights);
    const std::string zo = FileBytes(race.winPlace), uo = FileBytes(race.quinellaWide);
    const std::string ks = FileBytes(race.results);
    corpus["race_header"].push_back(fuzz::JoinParts({de, ut, zo, uo, ks}));
    corpus["runner_files"].push_back(fuzz::JoinParts({de, ut, zo}));
    corpus["bracket_quinella_odds"].push_back(zo);
    corpus["quinella_odds"].push_back(uo);
    corpus["wide_odds"].push_back(uo);
    corpus["results"].push_back(ks);
    // Horse names and jockeys of the race card: runs of full-width, katakana and blanks.
    constexpr std::size_t NamePos = 99, Stride = 48, NameLen = 36;
    std::vector<std::string> names;
    for (std::size_t slot = 0; slot < 3; ++slot) {
        names.push_back(Field(de, NamePos + Stride * slot, NameLen));
    }
    corpus["full_width"].push_back(names[0]);
    corpus["compare_row_text"].push_back(fuzz::JoinParts(names));
}

void AddFixedSeeds(Corpus& corpus) {
    for (const char* text : {" 12", "-$1F", "0x7FFFFFFF", "-2147483648", "3.5e2", " 1.0 ", "x"}) {
        corpus["strict_conversions"].emplace_back(text);
    }
    const std::string settings = "[Dir]\r\nPatDir=C:\\PAT\\\r\n[Options]\r\nPN=" + Sjis("▲") +
                                 "\r\nTsort=True\r\nWsort=false\r\nUS=1\r\n";
    corpus["ini_file"].push_back(fuzz::JoinParts({settings, "Options", "Tsort", "false"}));
    corpus["ini_file"].push_back(
        fuzz::JoinParts({settings, "Dir", "PatDir", " D:\\" + Sjis("競馬")}));
    corpus["ini_file"].push_back(fuzz::JoinParts({"", "New", "Key", "\"quoted\""}));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write-fuzz-seeds FOLDER\n");
        return 2;
    }
    Corpus corpus;
    for (const SampleMeeting& meeting : SampleMeetings()) {
        corpus["meeting_index"].push_back(Line1(meeting.index) + "\r\n");
        for (const SampleRace& race : meeting.races) {
            AddRace(corpus, race);
        }
    }
    AddFixedSeeds(corpus);
    for (const auto& [target, seeds] : corpus) {
        const std::filesystem::path folder = std::filesystem::path(argv[1]) / target;
        std::filesystem::create_directories(folder);
        for (std::size_t i = 0; i < seeds.size(); ++i) {
            std::ofstream(folder / ("seed-" + std::to_string(i)), std::ios::binary) << seeds[i];
        }
    }
    return 0;
}
