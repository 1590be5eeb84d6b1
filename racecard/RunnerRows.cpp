#include "racecard/RunnerRows.h"

#include "platform/Codec.h"
#include "platform/Collation.h"
#include "platform/Fields.h"

namespace mv {
namespace {

// The merged row of a slot: the 18-byte odds key, then the shown fields of the runner.
struct MergedRow {
    static constexpr ByteSpan Key{1, 18};
    static constexpr ByteSpan KeyWin{1, 6};    // a blank and the win odds
    static constexpr ByteSpan KeyPlace{7, 12}; // a blank, low end, "-", high end
    static constexpr ByteSpan BracketHorseNo{19, 3};
    // Horse name to slot number, 72 bytes in a well-formed row. Taken to the end, so that a
    // row widened by an unusual weight-loss sign keeps its slot number.
    static constexpr ByteSpan Rest{22, std::string::npos};
    static constexpr ByteSpan KeyAfterMark{3, 16}; // what follows "*#"
};

// Bytes 2-5 of the odds file's win odds, within WinOdds.
constexpr ByteSpan WinOddsCancelMark{3, 4};

// Keys of rows without a number to rank by. They begin with "*", which sorts after the blank
// that begins a ranked key: scratched first, then odds below 1.0 ("*#"), then no odds.
const std::string NoOddsKey(MergedRow::Key.length, '*');
constexpr std::string_view ScratchedKeyText = "* ﾄﾘｹｼ**ﾄﾘｹｼ**ﾄﾘｹｼ";
constexpr std::string_view BelowOneMark = "*#";

bool IsUnranked(const std::string& key) {
    return !key.empty() && key.front() == '*';
}

std::string OddsKey(TRunnerRow& row) {
    static const std::string scratchedKey = Sjis(ScratchedKeyText);
    static const std::string scratchedRemarks = Sjis(ScratchedRemarksText);
    static const std::string cancelled = Sjis("ﾄﾘｹｼ");
    std::string key = Take(row.WinOdds, MergedRow::KeyWin) + row.PlaceOdds;
    if (key == std::string(MergedRow::Key.length, ' ')) {
        key = NoOddsKey;
    }
    if (row.Remarks == scratchedRemarks) {
        key = scratchedKey;
    }
    // The odds file shows a scratched runner's win odds as "ﾄﾘｹｼ".
    if (TakeView(row.WinOdds, WinOddsCancelMark) == cancelled) {
        key = scratchedKey;
        row.Remarks = scratchedRemarks;
    }
    if (!IsUnranked(key) && !(StrToFloatStrict(Take(key, MergedRow::KeyWin)) >= 1.0)) {
        key = std::string(BelowOneMark) + Take(key, MergedRow::KeyAfterMark);
    }
    return key;
}

} // namespace

Lines MergeRunnerRows(RaceCardRows& rows) {
    Lines merged;
    for (TRunnerRow& row : rows) {
        // The win and place odds travel in the key only.
        merged.push_back(OddsKey(row) + row.Bracket + row.HorseNo + row.HorseName + row.BodyWeight +
                         row.WeightChange + row.ApprenticeMark + row.Jockey + row.WeightCarried +
                         row.Remarks + row.SlotNo);
    }
    return merged;
}

Lines RankRunners(Lines mergedRows) {
    SortRows(mergedRows);
    Lines lines;
    for (std::size_t p = 1; p <= mergedRows.size(); ++p) {
        const std::string& row = mergedRows[p - 1];
        // The rank is the position in the sorted list; only rows with odds of 1.0 or more,
        // which all sort before the others, show it.
        const std::string rank =
            IsUnranked(row) ? std::string(4, ' ') : "[" + HorseNoText(static_cast<int>(p)) + "]";
        lines.push_back(Take(row, MergedRow::BracketHorseNo) + Take(row, MergedRow::KeyWin) + rank +
                        Take(row, MergedRow::KeyPlace) + Take(row, MergedRow::Rest));
    }
    return lines;
}

} // namespace mv
