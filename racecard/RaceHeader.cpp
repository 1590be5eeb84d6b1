#include "racecard/RaceHeader.h"

#include "common/Tables.h"
#include "platform/Codec.h"
#include "platform/Fields.h"
#include "platform/TextFile.h"

namespace mv {
namespace {

// Where one kind of data file keeps the race header in line 1. A span of length 0 marks a
// field the kind does not carry; the edit it would fill is then left alone.
struct HeaderLayout {
    ByteSpan year{}, month{}, day{}, venueName{}, meetingNo{}, meetingDay{}, raceNo{};
    ByteSpan startHours{}, startMinutes{}, course{}, distance{}, raceName{}, conditions{};
    ByteSpan runners{};
};

// Layout A: race card, body weights and results; layout B: the two odds files.
constexpr HeaderLayout RaceCardHeader{.year = {1, 4},
                                      .month = {5, 2},
                                      .day = {7, 2},
                                      .venueName = {9, 4},
                                      .meetingNo = {17, 2},
                                      .meetingDay = {19, 2},
                                      .raceNo = {21, 2},
                                      .startHours = {23, 2},
                                      .startMinutes = {25, 2},
                                      .course = {27, 4},
                                      .distance = {31, 4},
                                      .raceName = {35, 28},
                                      .conditions = {63, 28}};
constexpr HeaderLayout BodyWeightHeader{.year = {1, 4},
                                        .month = {5, 2},
                                        .day = {7, 2},
                                        .venueName = {9, 4},
                                        .meetingNo = {17, 2},
                                        .meetingDay = {19, 2},
                                        .raceNo = {21, 2},
                                        .distance = {27, 4},
                                        .raceName = {31, 28},
                                        .conditions = {59, 28},
                                        .runners = {87, 2}};
constexpr HeaderLayout ResultsHeader{.year = {1, 4},
                                     .month = {5, 2},
                                     .day = {7, 2},
                                     .venueName = {9, 4},
                                     .meetingNo = {17, 2},
                                     .meetingDay = {19, 2},
                                     .raceNo = {21, 2},
                                     .raceName = {35, 28},
                                     .conditions = {63, 28}};
constexpr HeaderLayout OddsHeader{.year = {1, 4},
                                  .month = {5, 2},
                                  .day = {7, 2},
                                  .venueName = {29, 4},
                                  .meetingNo = {37, 2},
                                  .meetingDay = {39, 2},
                                  .raceNo = {41, 2},
                                  .raceName = {49, 28},
                                  .conditions = {77, 28},
                                  .runners = {141, 2}};

// Indexed by file kind 1..5.
constexpr const HeaderLayout* Layouts[FileKinds + 1] = {
    nullptr, &RaceCardHeader, &BodyWeightHeader, &OddsHeader, &OddsHeader, &ResultsHeader};

const HeaderLayout& LayoutOf(int kind) {
    return *Layouts[kind];
}

// A two-byte count written back without leading zeros or blanks: "02" and " 2" give "2".
std::string Number(const std::string& line, ByteSpan span) {
    return DecimalText(StrToIntStrict(Take(line, span)));
}

std::string DateLine(const std::string& line, const HeaderLayout& h) {
    // The three conversions run in this order, so the first bad field is the one reported.
    const std::string meetingNo = Number(line, h.meetingNo);
    const std::string meetingDay = Number(line, h.meetingDay);
    const std::string raceNo = Number(line, h.raceNo);
    return Take(line, h.year) + Sjis("年") + Take(line, h.month) + Sjis("月") + Take(line, h.day) +
           Sjis("日 第") + meetingNo + Sjis("回 ") + Take(line, h.venueName) + " " + meetingDay +
           Sjis("日目 第") + raceNo + Sjis("Ｒ");
}

void ShowKindHeader(MainWindowModel& w, const std::string& line, const HeaderLayout& h) {
    // Everything that can fail runs before the first edit is set, so a bad file sets none.
    const std::string date = DateLine(line, h);
    if (h.startHours.length != 0) {
        w.EditJikoku =
            Sjis("発走時刻  ") + Take(line, h.startHours) + ":" + Take(line, h.startMinutes);
    }
    if (h.course.length != 0) {
        w.EditCourse = Take(line, h.course);
    }
    if (h.distance.length != 0) {
        w.EditKyori = Take(line, h.distance);
    }
    w.EditTokubetu = Take(line, h.raceName);
    w.EditJyouken = Take(line, h.conditions);
    if (h.runners.length != 0) {
        w.EditTousuu = Take(line, h.runners);
    }
    w.EditYMDR = date;
}

} // namespace

void ShowRaceHeader(MainFormState& state) {
    const int race = state.selection.CurRace;
    if (race == 0) {
        return;
    }
    for (int kind = 1; kind <= FileKinds; ++kind) {
        if (!state.selection.HasFile(race, kind)) {
            continue;
        }
        const Lines lines = ReadFirstLine(state.DataFilePath(kind, race));
        ShowKindHeader(state.window, LineAt(lines, 0), LayoutOf(kind));
    }
}

} // namespace mv
