#include "odds/CombinationOdds.h"

#include "common/Tables.h"
#include "odds/OddsCaches.h"
#include "platform/Codec.h"
#include "platform/Collation.h"
#include "platform/Fields.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

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

// The fixed texts of one type.
struct Forms {
    explicit Forms(const BetType& t)
        : cancelled(FixedValue(t, Cancellation())), blank(FixedValue(t, "")),
          cancelledEntry(Sjis(t.cancelledEntry)) {}
    std::string cancelled;
    std::string blank;
    std::string cancelledEntry;
};

// Texts written back to back into one buffer and seen as views once all are written: a panel
// of 153 lines costs a few allocations, not several per line.
class TextList {
public:
    explicit TextList(std::size_t count, std::size_t perText) {
        bytes_.reserve(count * perText);
        ends_.reserve(count);
    }
    // The buffer to append the next text to; End closes it.
    std::string& bytes() { return bytes_; }
    void End() { ends_.push_back(bytes_.size()); }
    // Forgets what was appended since the last text ended.
    void Drop() { bytes_.resize(ends_.empty() ? 0 : ends_.back()); }

    std::vector<std::string_view> Views() const {
        std::vector<std::string_view> views;
        views.reserve(ends_.size());
        std::size_t start = 0;
        for (const std::size_t end : ends_) {
            views.emplace_back(bytes_.data() + start, end - start);
            start = end;
        }
        return views;
    }

private:
    std::string bytes_;
    std::vector<std::size_t> ends_;
};

// Whether the odds text is 1.0 or more, failing as the strict conversion does. Nearly every odds
// text is blanks, digits, a point and a digit: there the answer is whether a digit before the
// point is not 0, without converting.
bool OneOrMore(std::string_view odds) {
    const std::size_t start = odds.find_first_not_of(' ');
    std::size_t i = start;
    bool whole = false;
    for (; i < odds.size() && odds[i] >= '0' && odds[i] <= '9'; ++i) {
        whole = whole || odds[i] != '0';
    }
    const bool plain = start != std::string_view::npos && i > start && i + 2 <= odds.size() &&
                       odds[i] == '.' && odds[i + 1] >= '0' && odds[i + 1] <= '9' &&
                       odds.find_first_not_of(' ', i + 2) == std::string_view::npos;
    if (plain) {
        return whole;
    }
    return StrToFloatStrict(std::string(odds)) >= 1;
}

// Whether the odds value of a combination, the lower value and for wide "-" and the upper one,
// is the text v.
bool ValueIs(const BetType& t, std::string_view lower, std::string_view upper, std::string_view v) {
    if (!HasUpper(t)) {
        return v == lower;
    }
    return v.size() == lower.size() + 1 + upper.size() && v.starts_with(lower) &&
           v[lower.size()] == '-' && v.substr(lower.size() + 1) == upper;
}

// Appends the sort entry of combination i (odds form, then key); false, with nothing appended,
// for a blank combination. Entries without a rank begin with the marker letter, which sorts
// them after the ranked ones.
bool AppendSortEntry(const BetType& t, std::string_view line, std::size_t i, const Forms& forms,
                     std::string& out) {
    const std::size_t at = t.stride * i;
    const std::string_view key = TakeView(line, t.key, at);
    std::string_view lower = TakeView(line, t.lower, at);
    const std::string_view upper = HasUpper(t) ? TakeView(line, t.upper, at) : std::string_view();
    if (ValueIs(t, lower, upper, forms.cancelled)) {
        out += forms.cancelledEntry;
        out += key;
        return true;
    }
    if (ValueIs(t, lower, upper, forms.blank)) {
        return false;
    }
    if (!OneOrMore(lower)) {
        out += t.marker;
        out += BelowOneMark;
        lower = FieldView(lower, 3, lower.size());
    }
    out += lower;
    if (HasUpper(t)) {
        out += '-';
        out += upper;
    }
    out += key;
    return true;
}

// "[n]" with the digits right-aligned.
void AppendRank(const BetType& t, std::size_t rank, std::string& out) {
    const std::string digits = DecimalText(static_cast<long long>(rank));
    out += '[';
    out.append(t.rankWidth - std::min(t.rankWidth, digits.size()), ' ');
    out += digits;
    out += ']';
}

// The panel line of a sorted entry; its form is read back from the entry. Every entry ends with
// the whole key: a key cut short by the end of the line leaves the odds after it empty, and an
// empty odds text fails before an entry is made.
void AppendPanelLine(const BetType& t, std::string_view entry, std::size_t rank, const Forms& forms,
                     std::string& out) {
    const std::size_t split = entry.size() - std::min(entry.size(), t.key.length);
    const std::string_view odds = entry.substr(0, split);
    out += TakeView(entry.substr(split), t.shownKey);
    out += ' ';
    if (!odds.starts_with(t.marker)) {
        out += odds;
        out += t.rankGap;
        AppendRank(t, rank, out);
        return;
    }
    if (odds.size() > 1 && odds[1] == BelowOneMark) {
        // The first two bytes of a below-one value are blanked.
        out += "  ";
        out += odds.substr(2);
    } else {
        out += forms.cancelled;
    }
    out.append(t.markedPadding, ' ');
}

// The panel lines in key order, a separator line before each new group. Every line starts with
// its key, so sorting the lines again sorts them by combination.
std::vector<std::string_view> NormalCache(const BetType& t, std::vector<std::string_view> lines,
                                          std::string_view separator) {
    SortRows(lines);
    std::vector<std::string_view> grouped;
    grouped.reserve(2 * lines.size());
    for (const std::string_view line : lines) {
        if (!grouped.empty() &&
            FieldView(line, 1, t.groupKey) != FieldView(grouped.back(), 1, t.groupKey)) {
            grouped.push_back(separator);
        }
        grouped.push_back(line);
    }
    return grouped;
}

// The longest entry or line the type makes, so that the lists are sized once.
std::size_t LongestText(const BetType& t, const Forms& forms) {
    const std::size_t value = t.lower.length + 1 + t.upper.length;
    const std::size_t entry = std::max(forms.cancelledEntry.size(), 2 + value) + t.key.length;
    return std::max(entry, t.shownKey.length + 1 + forms.cancelled.size() + t.markedPadding) + 8;
}

void ReadOdds(MainFormState& state, const BetType& t) {
    const Lines file = ReadFirstLine(state.DataFilePath(t.kind, state.selection.CurRace));
    const std::string& line = LineAt(file, 0);
    // The time is copied as it stands, before any odds can fail.
    state.window.*t.caption = Sjis(t.captionPrefix) + Take(line, OddsHours) + ":" +
                              Take(line, OddsMinutes) + Sjis("現在]");

    const Forms forms(t);
    const std::size_t longest = LongestText(t, forms);
    TextList entries(t.combinations, longest);
    for (std::size_t i = 0; i < t.combinations; ++i) {
        if (AppendSortEntry(t, line, i, forms, entries.bytes())) {
            entries.End();
        } else {
            entries.Drop();
        }
    }
    std::vector<std::string_view> sorted = entries.Views();
    SortRows(sorted);
    TextList lines(sorted.size(), longest);
    for (std::size_t n = 0; n < sorted.size(); ++n) {
        AppendPanelLine(t, sorted[n], n + 1, forms, lines.bytes());
        lines.End();
    }
    const std::vector<std::string_view> panel = lines.Views();
    WriteLineViews(state.CachePath(t.caches.sorted), panel);
    // With every combination blank both caches stay empty.
    const std::string separator(t.separatorWidth, '-');
    WriteLineViews(state.CachePath(t.caches.normal), NormalCache(t, panel, separator));
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
