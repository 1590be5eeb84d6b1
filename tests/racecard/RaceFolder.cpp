#include "racecard/RaceFolder.h"

#include "platform/Codec.h"
#include "platform/Failure.h"
#include "platform/Fields.h"

namespace mv::test {

using namespace sample;

RaceFolder::RaceFolder() {
    state.settings.PatDir = pat.path();
    state.settings.PN = Sjis("▲");
    state.settings.Tsort = "false";
    state.cacheFolder = program.osPath();
    state.meetings[1] = {Keys.venueCode, Sjis("東京"), Keys.key1, Keys.key2, Keys.key3};
    state.selection.CurSlot = 1;
    state.selection.CurVenue = Keys.venueCode;
    state.selection.CurRace = Race;
}

void RaceFolder::Write(Kind kind, const std::string& line) {
    WriteDataFile(pat.path(), DataFileName(kind, Keys, Race), line);
    state.selection.RaceFiles[Race][static_cast<int>(kind)] = 1;
}

std::string FailureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Failure& f) {
        return f.message();
    }
    return "no failure";
}

std::string Bytes(const std::string& line, std::size_t first, std::size_t last) {
    return first > line.size() ? std::string() : line.substr(first - 1, last - first + 1);
}

RaceHeader Header() {
    RaceHeader h;
    h.year = "2024";
    h.month = "05";
    h.day = "05";
    h.venueName = Sjis("東京");
    h.meetingNo = "02";
    h.meetingDay = "06";
    h.raceNo = "11";
    h.startHours = "15";
    h.startMinutes = "40";
    h.course = Sjis("芝左");
    h.distance = "2400";
    h.raceName = Padded(Sjis("東京優駿"), 28);
    h.conditions = Padded(Sjis("３歳オープン"), 28);
    h.runners = NumberText(18, 2);
    return h;
}

RaceCardFile RaceCard(int runners) {
    RaceCardFile file{Header(), {}};
    for (int n = 1; n <= runners; ++n) {
        RaceCardRunner& r = file.runners[static_cast<std::size_t>(n - 1)];
        r.bracket = DecimalText((n + 1) / 2);
        r.horseNo = NumberText(n, 2);
        r.status = " ";
        r.horseName = "HORSE" + DecimalText(n);
        r.jockey = "JOCKEY" + DecimalText(n);
        r.apprentice = "  ";
        r.weightCarried = "57.0";
    }
    return file;
}

BodyWeightFile BodyWeights(int runners) {
    BodyWeightFile file{Header(), {}};
    for (int n = 1; n <= runners; ++n) {
        file.runners[static_cast<std::size_t>(n - 1)] = {NumberText(n, 2), " ", "480", " 4", "1"};
    }
    return file;
}

WinPlaceBracketFile WinPlace(int runners) {
    WinPlaceBracketFile file{Header(), "15", "38", {}, {}};
    for (int n = 1; n <= runners; ++n) {
        // Horse n at n + 1.0 to win: the favourite is horse 1.
        file.runners[static_cast<std::size_t>(n - 1)] = {NumberText(n, 2), OddsText(10 * n + 10, 5),
                                                         OddsText(10 + n, 5), OddsText(20 + n, 5)};
    }
    return file;
}

} // namespace mv::test
