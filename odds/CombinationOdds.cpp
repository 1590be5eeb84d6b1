#include "odds/CombinationOdds.h"

#include "common/Tables.h"
#include "odds/OddsCaches.h"
#include "platform/Codec.h"
#include "platform/Collation.h"
#include "platform/Fields.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>

namespace mv {
namespace {

// The time of the odds, at the same place in the "Zo-" and "Uo-" records.
constexpr ByteSpan OddsHours{45, 2};
constexpr ByteSpan OddsMinutes{47, 2};

// Everything in which the three bet types differ; the reading and the caches are shared.
struct BetType {
    FileKind kind;
    std::size_t combinations; // in combination order
    std::size_t stride;       // bytes from one combination to the next
    ByteSpan key;
    ByteSpan lower;    // the odds text; for wide the lower value. The only one converted
    ByteSpan upper;    // wide: the upper value, shown as read; length 0 for the other types
    ByteSpan shownKey; // the bytes of the key that start a panel line (1-based within the key)
    std::string MainWindowModel::*caption;
    const char* captionPrefix; // UTF-8
    OddsCacheNames caches;
    char marker;                // first byte of an entry that gets no rank
    const char* cancelledEntry; // UTF-8; the sort text of a cancelled combination
    std::size_t rankWidth;      // the digits of "[n]", right-aligned
    const char* rankGap;        // between the odds and the rank
    std::size_t markedPadding;  // blanks after the odds of a line without a rank
    std::size_t groupKey;       // leading bytes of a panel line shared by one group
    std::size_t separatorWidth; // hyphens of the line between two groups
};

constexpr BetType BracketQuinella{.kind = KindZo,
                                  .combinations = 36,
                                  .stride = 10,
                                  .key = {468, 4},
                                  .lower = {472, 5},
                                  .upper = {0, 0},
                                  .shownKey = {2, 3},
                                  .caption = &MainWindowModel::GBOdds1,
                                  .captionPrefix = "枠番連勝 [",
                                  .caches = BracketQuinellaCaches,
                                  .marker = 'W',
                                  .cancelledEntry = "Wﾄﾘｹｼ",
                                  .rankWidth = 2,
                                  .rankGap = "",
                                  .markedPadding = 4,
                                  .groupKey = 1,
                                  .separatorWidth = 13};
constexpr BetType Quinella{.kind = KindUo,
                           .combinations = 153,
                           .stride = 25,
                           .key = {147, 5},
                           .lower = {152, 6},
                           .upper = {0, 0},
                           .shownKey = {1, 5},
                           .caption = &MainWindowModel::GBOdds2,
                           .captionPrefix = "馬番連勝 [",
                           .caches = QuinellaCaches,
                           .marker = 'U',
                           .cancelledEntry = "U ﾄﾘｹｼ",
                           .rankWidth = 3,
                           .rankGap = " ",
                           .markedPadding = 5,
                           .groupKey = 2,
                           .separatorWidth = 18};
constexpr BetType Wide{.kind = KindUo,
                       .combinations = 153,
                       .stride = 25,
                       .key = {147, 5},
                       .lower = {158, 6},
                       .upper = {164, 6},
                       .shownKey = {1, 5},
                       .caption = &MainWindowModel::GBOdds3,
                       .captionPrefix = "ワイド [",
                       .caches = WideCaches,
                       .marker = 'K',
                       .cancelledEntry = "K ﾄﾘｹｼ   ﾄﾘｹｼ",
                       .rankWidth = 3,
                       .rankGap = " ",
                       .markedPadding = 5,
                       .groupKey = 2,
                       .separatorWidth = 25};

// The second byte of a below-one entry; it sorts after the blank and before katakana.
constexpr char BelowOneMark = 'Z';

bool HasUpper(const BetType& t) {
    return t.upper.length != 0;
}

std::string FieldOf(const std::string& line, ByteSpan span, const BetType& t, std::size_t i) {
    return Take(line, span, t.stride * i);
}

const std::string& Cancellation() {
    static const std::string text = Sjis("ﾄﾘｹｼ");
    return text;
}

// The odds value of the type with every field holding fill, right-aligned: the cancelled form
// with the cancellation mark, the blank form with nothing.
std::string FixedValue(const BetType& t, const std::string& fill) {
    const auto field = [&fill](std::size_t width) {
        return std::string(width - fill.size(), ' ') + fill;
    };
    return HasUpper(t) ? field(t.lower.length) + "-" + field(t.upper.length)
                       : field(t.lower.length);
}

// The sort entry of combination i (odds form, then key), or nothing for a blank combination.
// Entries without a rank begin with the marker letter, which sorts them after the ranked ones.
std::optional<std::string> SortEntry(const BetType& t, const std::string& line, std::size_t i,
                                     const std::string& cancelled, const std::string& blank) {
    const std::string key = FieldOf(line, t.key, t, i);
    const std::string lower = FieldOf(line, t.lower, t, i);
    const std::string rest = HasUpper(t) ? "-" + FieldOf(line, t.upper, t, i) : std::string();
    const std::string value = lower + rest;
    if (value == cancelled) {
        return Sjis(t.cancelledEntry) + key;
    }
    if (value == blank) {
        return std::nullopt;
    }
    if (StrToFloatStrict(lower) >= 1) {
        return value + key;
    }
    return std::string{t.marker, BelowOneMark} + Field(lower, 3, lower.size()) + rest + key;
}

std::string RankText(const BetType& t, std::size_t rank) {
    const std::string digits = DecimalText(static_cast<long long>(rank));
    const std::size_t padding = t.rankWidth - std::min(t.rankWidth, digits.size());
    return "[" + std::string(padding, ' ') + digits + "]";
}

// The panel line of a sorted entry; its form is read back from the entry. Every entry ends with
// the whole key: a key cut short by the end of the line leaves the odds after it empty, and an
// empty odds text fails before an entry is made.
std::string PanelLine(const BetType& t, const std::string& entry, std::size_t rank) {
    const std::size_t split = entry.size() - std::min(entry.size(), t.key.length);
    const std::string odds = entry.substr(0, split);
    const std::string head = Take(entry.substr(split), t.shownKey) + " ";
    if (!odds.starts_with(t.marker)) {
        return head + odds + t.rankGap + RankText(t, rank);
    }
    const std::string padding(t.markedPadding, ' ');
    if (odds.size() > 1 && odds[1] == BelowOneMark) {
        // The first two bytes of a below-one value are blanked.
        return head + "  " + odds.substr(2) + padding;
    }
    return head + FixedValue(t, Cancellation()) + padding;
}

// The panel lines in key order, a separator line before each new group. Every line starts with
// its key, so sorting the lines again sorts them by combination.
Lines NormalCache(const BetType& t, Lines lines) {
    SortRows(lines);
    const std::string separator(t.separatorWidth, '-');
    Lines grouped;
    for (const std::string& line : lines) {
        if (!grouped.empty() &&
            Field(line, 1, t.groupKey) != Field(grouped.back(), 1, t.groupKey)) {
            grouped.push_back(separator);
        }
        grouped.push_back(line);
    }
    return grouped;
}

void ReadOdds(MainFormState& state, const BetType& t) {
    const Lines file = ReadFirstLine(state.DataFilePath(t.kind, state.selection.CurRace));
    const std::string& line = LineAt(file, 0);
    // The time is copied as it stands, before any odds can fail.
    state.window.*t.caption = Sjis(t.captionPrefix) + Take(line, OddsHours) + ":" +
                              Take(line, OddsMinutes) + Sjis("現在]");

    const std::string cancelled = FixedValue(t, Cancellation());
    const std::string blank = FixedValue(t, "");
    Lines entries;
    for (std::size_t i = 0; i < t.combinations; ++i) {
        if (auto entry = SortEntry(t, line, i, cancelled, blank)) {
            entries.push_back(std::move(*entry));
        }
    }
    SortRows(entries);
    for (std::size_t n = 0; n < entries.size(); ++n) {
        entries[n] = PanelLine(t, entries[n], n + 1);
    }
    WriteLines(state.CachePath(t.caches.sorted), entries);
    // With every combination blank both caches stay empty.
    WriteLines(state.CachePath(t.caches.normal), NormalCache(t, entries));
}

void WriteNoData(const MainFormState& state, const OddsCacheNames& caches) {
    const Lines noData{Sjis("DATAなし")};
    WriteLines(state.CachePath(caches.sorted), noData);
    WriteLines(state.CachePath(caches.normal), noData);
}

} // namespace

void ReadBracketQuinellaOdds(MainFormState& state) {
    ReadOdds(state, BracketQuinella);
}

void WriteBracketQuinellaNoData(const MainFormState& state) {
    WriteNoData(state, BracketQuinellaCaches);
}

void ReadQuinellaOdds(MainFormState& state) {
    ReadOdds(state, Quinella);
}

void ReadWideOdds(MainFormState& state) {
    ReadOdds(state, Wide);
}

void WriteQuinellaWideNoData(const MainFormState& state) {
    WriteNoData(state, QuinellaCaches);
    WriteNoData(state, WideCaches);
}

} // namespace mv
