#include "tools/SampleFolder.h"

#include "platform/Codec.h"
#include "platform/Fields.h"
#include "tools/SampleFolderTables.h"
#include "tools/SampleMarket.h"

#include <set>
#include <stdexcept>
#include <string_view>
#include <tuple>
#include <utility>

namespace mv::sample {
namespace {

constexpr unsigned KindBit(Kind kind) {
    return 1u << static_cast<unsigned>(kind);
}
constexpr unsigned AllKinds = KindBit(Kind::De) | KindBit(Kind::Ut) | KindBit(Kind::Zo) |
                              KindBit(Kind::Uo) | KindBit(Kind::Ks);

// The odd cases, each placed in a fixed race so that tests and the demo know where to look.
enum Feature : unsigned {
    FullWidthNames = 1u << 0,
    ScratchedInCard = 1u << 1,
    ScratchedInWeights = 1u << 2,
    JockeyChange = 1u << 3,
    BelowOne = 1u << 4,
    DeadHeat = 1u << 5,
};

struct MeetingPlan {
    int slot;
    MeetingKeys keys; // Key1 is the meeting number, Key2 the day of the meeting
    std::string_view venueName;
    std::string_view year, month, day;
    std::string_view direction; // of the course, "右" or "左"
    std::size_t resultsLength;  // line 1 of the results files
};

// Slot 4 holds tomorrow's meeting, sold the day before. Different venues keep the file names
// of the three meetings apart. Kyoto's results files are the longer form, read with the offset.
constexpr std::array<MeetingPlan, 3> Meetings{{
    {1, {5, 2, 6, 1}, "東京", "2024", "05", "05", "左", 700},
    {2, {8, 3, 6, 1}, "京都", "2024", "05", "05", "右", 840},
    {4, {6, 3, 7, 2}, "中山", "2024", "05", "06", "右", 700},
}};

struct RaceNote {
    int slot;
    int race;
    unsigned kinds;
    unsigned features;
};

// Races not listed have all five kinds and nothing odd.
constexpr std::array<RaceNote, 13> RaceNotes{{
    {1, 2, AllKinds, FullWidthNames},
    {1, 3, AllKinds, ScratchedInCard},
    {1, 5, AllKinds, JockeyChange},
    {1, 7, AllKinds, ScratchedInWeights | JockeyChange},
    {1, 9, AllKinds, DeadHeat},
    {1, 11, AllKinds, BelowOne},
    {1, 12, AllKinds & ~KindBit(Kind::Ks), 0},
    {2, 1, KindBit(Kind::Ks), 0},
    {2, 5, KindBit(Kind::De) | KindBit(Kind::Zo), 0},
    {2, 9, AllKinds & ~KindBit(Kind::Uo), 0},
    {4, 4, AllKinds, FullWidthNames},
    {4, 8, AllKinds, DeadHeat},
    {4, 12, AllKinds, JockeyChange},
}};

RaceNote NoteFor(int slot, int race) {
    for (const RaceNote& note : RaceNotes) {
        if (note.slot == slot && note.race == race) {
            return note;
        }
    }
    return {slot, race, AllKinds, 0};
}

// Horse names are unique within a meeting, as a horse runs once a day.
class NamePool {
public:
    std::string Next(Rng& rng) {
        const auto prefixes = HorseNamePrefixes();
        const auto suffixes = HorseNameSuffixes();
        for (int attempt = 0; attempt < 10000; ++attempt) {
            const std::string name = Sjis(prefixes[rng.Index(prefixes.size())]) +
                                     Sjis(suffixes[rng.Index(suffixes.size())]);
            if (name.size() <= layout::RaceCard::HorseName.length && used_.insert(name).second) {
                return name;
            }
        }
        throw std::logic_error("the horse name parts are used up");
    }

    std::string NextFullWidth() {
        const auto names = FullWidthHorseNames();
        return Sjis(names[fullWidthUsed_++ % names.size()]);
    }

private:
    std::set<std::string> used_;
    std::size_t fullWidthUsed_ = 0;
};

// Horses fill the eight brackets from the outside: with more than eight runners the last
// brackets take one horse more.
std::vector<int> BracketsOf(int runners) {
    std::vector<int> brackets;
    for (int b = 1; b <= 8; ++b) {
        const int count =
            runners < 8 ? (b <= runners ? 1 : 0) : runners / 8 + (b > 8 - runners % 8 ? 1 : 0);
        brackets.insert(brackets.end(), static_cast<std::size_t>(count), b);
    }
    return brackets;
}

std::string JockeyName(Rng& rng) {
    const auto surnames = JockeySurnames();
    const auto given = JockeyGivenNames();
    return Sjis(surnames[rng.Index(surnames.size())]) + Sjis(given[rng.Index(given.size())]);
}

// Mostly no apprentice ("  " or "00"); the allowance in kg lowers the weight carried.
std::pair<std::string, int> Apprentice(Rng& rng) {
    const int roll = rng.Below(100);
    if (roll < 8) {
        return {"10", 1};
    }
    if (roll < 13) {
        return {"20", 2};
    }
    if (roll < 17) {
        return {"30", 3};
    }
    return {roll < 40 ? "00" : "  ", 0};
}

void WeighIn(Runner& runner, bool debut, Rng& rng) {
    runner.bodyWeight = 2 * rng.Between(200, 270);
    const int roll = debut ? 0 : rng.Between(1, 100);
    runner.change = 2 * rng.Between(1, 8);
    runner.sign = roll <= 3 ? '7' : roll <= 15 ? '3' : roll <= 58 ? '1' : '2';
}

// Picks a runner for an odd case that no other case has taken.
Runner& Pick(std::vector<Runner>& runners, Rng& rng) {
    for (;;) {
        Runner& r = runners[rng.Index(runners.size())];
        if (r.cardStatus == ' ' && r.weightStatus == ' ' && !r.belowOne) {
            return r;
        }
    }
}

std::vector<Runner> MakeRunners(int race, unsigned features, NamePool& names, Rng& rng) {
    const Programme& programme = DayProgramme()[static_cast<std::size_t>(race - 1)];
    const int count = rng.Between(16, 18);
    const std::vector<int> brackets = BracketsOf(count);
    std::vector<Runner> runners(static_cast<std::size_t>(count));
    std::set<std::string> jockeys;
    for (int i = 0; i < count; ++i) {
        Runner& r = runners[static_cast<std::size_t>(i)];
        r.number = i + 1;
        r.bracket = brackets[static_cast<std::size_t>(i)];
        const bool fullWidth = (features & FullWidthNames) != 0 && (r.number == 2 || r.number == 9);
        r.name = fullWidth ? names.NextFullWidth() : names.Next(rng);
        do {
            r.jockey = JockeyName(rng);
        } while (!jockeys.insert(r.jockey).second);
        auto [code, allowance] = Apprentice(rng);
        // Every apprentice code turns up somewhere in a meeting.
        if (r.number == count) {
            static constexpr std::array<std::pair<const char*, int>, 4> Cycle{
                {{"10", 1}, {"20", 2}, {"30", 3}, {"00", 0}}};
            std::tie(code, allowance) = Cycle[static_cast<std::size_t>(race % 4)];
        }
        r.apprentice = code;
        const int filly = rng.Below(10) < 3 ? 2 : 0;
        r.weightCarried = programme.weightCarried - filly - allowance;
        WeighIn(r, programme.debut, rng);
        r.strength = rng.Between(1, 12) * rng.Between(1, 12);
    }
    // Bracket 1 always holds two horses, so scratching one of them cancels bracket pair 1-1.
    if ((features & ScratchedInCard) != 0) {
        runners[rng.Index(2)].cardStatus = '9';
    }
    if ((features & ScratchedInWeights) != 0) {
        Pick(runners, rng).weightStatus = '9';
    }
    if ((features & JockeyChange) != 0) {
        Runner& r = Pick(runners, rng);
        r.cardStatus = '8';
        do {
            r.jockey = JockeyName(rng);
        } while (!jockeys.insert(r.jockey).second);
    }
    if ((features & BelowOne) != 0) {
        Pick(runners, rng).belowOne = true;
    }
    return runners;
}

// Minutes after midnight: races start every 30 minutes from 10:05, with a lunch break after
// race 5.
int StartTime(int race) {
    return 10 * 60 + 5 + 30 * (race - 1) + (race > 5 ? 35 : 0);
}

RaceHeader MakeHeader(const MeetingPlan& m, int race, int runners) {
    const Programme& programme = DayProgramme()[static_cast<std::size_t>(race - 1)];
    const int start = StartTime(race);
    RaceHeader h;
    h.year = m.year;
    h.month = m.month;
    h.day = m.day;
    h.venueName = Sjis(m.venueName);
    h.meetingNo = TwoDigits(m.keys.key1);
    h.meetingDay = TwoDigits(m.keys.key2);
    h.raceNo = TwoDigits(race);
    h.startHours = TwoDigits(start / 60);
    h.startMinutes = TwoDigits(start % 60);
    h.course = Sjis(programme.surface) + Sjis(m.direction);
    h.distance = DecimalText(programme.distance);
    h.raceName = Padded(Sjis(programme.name), 28);
    h.conditions = Padded(Sjis(programme.conditions), 28);
    h.runners = NumberText(runners, 2);
    return h;
}

SampleRace MakeRace(const MeetingPlan& m, int race, NamePool& names, unsigned seed) {
    const RaceNote note = NoteFor(m.slot, race);
    // Each race draws from its own stream, so one race's numbers do not shift the next's.
    Rng rng(seed * 1000003u + static_cast<unsigned>(m.slot * 100 + race));
    const std::vector<Runner> runners = MakeRunners(race, note.features, names, rng);
    const Market market = MakeMarket(runners, rng);
    const RaceHeader header = MakeHeader(m, race, static_cast<int>(runners.size()));
    // The final odds are those of two minutes before the start.
    const int closing = StartTime(race) - 2;
    const std::string hours = TwoDigits(closing / 60);
    const std::string minutes = TwoDigits(closing % 60);

    SampleRace sample;
    sample.number = race;
    if ((note.kinds & KindBit(Kind::De)) != 0) {
        sample.raceCard = RaceCardOf(header, runners);
    }
    if ((note.kinds & KindBit(Kind::Ut)) != 0) {
        sample.bodyWeights = BodyWeightsOf(header, runners);
    }
    if ((note.kinds & KindBit(Kind::Zo)) != 0) {
        sample.winPlace = WinPlaceOf(header, hours, minutes, runners, market);
    }
    if ((note.kinds & KindBit(Kind::Uo)) != 0) {
        sample.quinellaWide = QuinellaWideOf(header, hours, minutes, runners, market);
    }
    if ((note.kinds & KindBit(Kind::Ks)) != 0) {
        const bool deadHeat = (note.features & DeadHeat) != 0;
        sample.results = ResultsOf(header, runners, market, deadHeat, rng);
        sample.results->length = m.resultsLength;
    }
    return sample;
}

} // namespace

std::vector<SampleMeeting> SampleMeetings(unsigned seed) {
    std::vector<SampleMeeting> meetings;
    for (const MeetingPlan& plan : Meetings) {
        SampleMeeting meeting;
        meeting.slot = plan.slot;
        meeting.keys = plan.keys;
        meeting.index.venueCode = TwoDigits(plan.keys.venueCode);
        meeting.index.key1 = DecimalText(plan.keys.key1);
        meeting.index.key2 = TwoDigits(plan.keys.key2);
        meeting.index.key3 = TwoDigits(plan.keys.key3);
        NamePool names;
        for (int race = 1; race <= 12; ++race) {
            meeting.races.push_back(MakeRace(plan, race, names, seed));
        }
        meetings.push_back(std::move(meeting));
    }
    return meetings;
}

void WriteSampleMeeting(const std::string& folder, const SampleMeeting& meeting) {
    WriteDataFile(folder, MeetingIndexName(meeting.slot), Line1(meeting.index));
    for (const SampleRace& race : meeting.races) {
        const auto write = [&](Kind kind, const auto& file) {
            if (file) {
                WriteDataFile(folder, DataFileName(kind, meeting.keys, race.number), Line1(*file));
            }
        };
        write(Kind::De, race.raceCard);
        write(Kind::Ut, race.bodyWeights);
        write(Kind::Zo, race.winPlace);
        write(Kind::Uo, race.quinellaWide);
        write(Kind::Ks, race.results);
    }
}

void WriteSampleFolder(const std::string& folder, unsigned seed) {
    for (const SampleMeeting& meeting : SampleMeetings(seed)) {
        WriteSampleMeeting(folder, meeting);
    }
}

} // namespace mv::sample
