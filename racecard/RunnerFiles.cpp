// The three readers of the runner files, filling the race card rows slot by slot.

#include "common/Tables.h"
#include "platform/Codec.h"
#include "platform/Fields.h"
#include "racecard/RunnerRows.h"

#include <optional>
#include <span>
#include <string_view>

namespace mv {
namespace {

// "De-" line 1: 18 runner records of 48 bytes from byte 94; the spans are those of slot 1.
struct RaceCardRecord {
    static constexpr std::size_t Stride = 48;
    static constexpr ByteSpan Bracket{94, 1};
    static constexpr ByteSpan HorseNo{95, 2};
    static constexpr ByteSpan Status{97, 1};
    static constexpr ByteSpan HorseName{99, 18};
    static constexpr ByteSpan Jockey{117, 18};
    static constexpr ByteSpan Apprentice{135, 2};
    static constexpr ByteSpan WeightCarried{137, 4};
};

// "Ut-" line 1: 18 records of 10 bytes from byte 89.
struct BodyWeightRecord {
    static constexpr std::size_t Stride = 10;
    static constexpr ByteSpan HorseNo{89, 2};
    static constexpr ByteSpan Status{91, 1};
    static constexpr ByteSpan Weight{92, 3};
    static constexpr ByteSpan Change{95, 2};
    static constexpr ByteSpan Sign{97, 1};
};

// "Zo-" line 1, win and place section: 18 records of 18 bytes from byte 144.
struct WinPlaceRecord {
    static constexpr std::size_t Stride = 18;
    static constexpr ByteSpan HorseNo{144, 2};
    static constexpr ByteSpan Win{146, 5};
    static constexpr ByteSpan PlaceLow{151, 5};
    static constexpr ByteSpan PlaceHigh{156, 5};
};

// A code and the text it stands for (UTF-8 here, converted when used).
struct CodeText {
    std::string_view code;
    std::string_view text;
};

constexpr CodeText ApprenticeMarks[] = {
    {"10", " ☆"}, {"20", " △"}, {"30", " ▲"}, {"00", " 　"}, {"  ", " 　"}};

constexpr CodeText RaceCardRemarks[] = {{"8", "●騎手／負担重量変更"}, {"9", ScratchedRemarksText}};

// The text of a code, or nothing for a code the table does not know.
std::optional<std::string> Lookup(const std::string& code, std::span<const CodeText> table) {
    for (const CodeText& entry : table) {
        if (code == entry.code) {
            return Sjis(entry.text);
        }
    }
    return std::nullopt;
}

// The gain or loss of body weight, or nothing for an unknown sign code. A loss takes the
// sign the user chose.
std::optional<std::string> WeightChangeText(const std::string& sign, const std::string& amount,
                                            const TSettings& settings) {
    if (sign == "1") {
        return Sjis("＋") + amount;
    }
    if (sign == "2") {
        return settings.PN + amount;
    }
    if (sign == "3") {
        return Sjis("± 0");
    }
    if (sign == "7") {
        return Sjis(" 初 ");
    }
    if (sign == " ") {
        return std::string(4, ' ');
    }
    return std::nullopt;
}

void ReadRaceCard(const std::string& line, RaceCardRows& rows) {
    using R = RaceCardRecord;
    for (int s = 1; s <= Runners; ++s) {
        TRunnerRow& row = rows[static_cast<std::size_t>(s - 1)];
        const std::size_t b = R::Stride * static_cast<std::size_t>(s - 1);
        row.SlotNo = HorseNoText(s);
        row.Bracket = Take(line, R::Bracket, b);
        row.HorseNo = Take(line, R::HorseNo, b);
        row.Remarks = Lookup(Take(line, R::Status, b), RaceCardRemarks)
                          .value_or(std::string(RemarksWidth, ' '));
        row.HorseName = Take(line, R::HorseName, b);
        row.Jockey = Take(line, R::Jockey, b);
        if (auto mark = Lookup(Take(line, R::Apprentice, b), ApprenticeMarks)) {
            row.ApprenticeMark = *mark;
        }
        row.WeightCarried = Take(line, R::WeightCarried, b);
    }
}

void ReadBodyWeights(const std::string& line, const TSettings& settings, RaceCardRows& rows) {
    using R = BodyWeightRecord;
    for (int s = 1; s <= Runners; ++s) {
        TRunnerRow& row = rows[static_cast<std::size_t>(s - 1)];
        const std::size_t b = R::Stride * static_cast<std::size_t>(s - 1);
        row.SlotNo = HorseNoText(s);
        row.HorseNo = Take(line, R::HorseNo, b);
        if (Take(line, R::Status, b) == "9") {
            row.Remarks = Sjis(ScratchedRemarksText);
        }
        row.BodyWeight = Take(line, R::Weight, b);
        if (auto change =
                WeightChangeText(Take(line, R::Sign, b), Take(line, R::Change, b), settings)) {
            row.WeightChange = *change;
        }
    }
}

void ReadWinPlaceOdds(const std::string& line, RaceCardRows& rows) {
    using R = WinPlaceRecord;
    for (int s = 1; s <= Runners; ++s) {
        TRunnerRow& row = rows[static_cast<std::size_t>(s - 1)];
        const std::size_t b = R::Stride * static_cast<std::size_t>(s - 1);
        row.SlotNo = HorseNoText(s);
        row.HorseNo = Take(line, R::HorseNo, b);
        row.WinOdds = " " + Take(line, R::Win, b) + "    ";
        // Blank win odds mean no odds at all; the place columns are then not looked at.
        if (row.WinOdds == std::string(WinOddsWidth, ' ')) {
            row.PlaceOdds = std::string(PlaceOddsWidth, ' ');
        } else {
            row.PlaceOdds = " " + Take(line, R::PlaceLow, b) + "-" + Take(line, R::PlaceHigh, b);
        }
    }
}

} // namespace

RaceCardRows ReadRunnerFiles(const MainFormState& state) {
    RaceCardRows rows;
    const Selection& sel = state.selection;
    const int race = sel.CurRace;
    // Each file is read whole and only line 1 is used; a later reader overwrites what an
    // earlier one set.
    if (sel.HasFile(race, KindDe)) {
        ReadRaceCard(LineAt(ReadFirstLine(state.DataFilePath(KindDe, race)), 0), rows);
    }
    if (sel.HasFile(race, KindUt)) {
        ReadBodyWeights(LineAt(ReadFirstLine(state.DataFilePath(KindUt, race)), 0), state.settings,
                        rows);
    }
    if (sel.HasFile(race, KindZo)) {
        ReadWinPlaceOdds(LineAt(ReadFirstLine(state.DataFilePath(KindZo, race)), 0), rows);
    }
    return rows;
}

} // namespace mv
