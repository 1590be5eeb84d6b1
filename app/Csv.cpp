#include "app/Csv.h"

#include "app/MainForm.h"
#include "platform/Codec.h"
#include "platform/Failure.h"
#include "platform/FileQuery.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cctype>

namespace mv {
namespace {

bool IsBlankAt(std::string_view s, std::size_t i, std::size_t length) {
    return (length == 1 && s[i] == ' ') ||
           (length == 2 && static_cast<unsigned char>(s[i]) == 0x81 && s[i + 1] == 0x40);
}

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

// Full-width digits and point as their ASCII forms, so that a number shown in full width
// reads as one; every other character stays.
std::string HalfWidthDigits(std::string_view sjis) {
    std::string out;
    for (std::size_t i = 0; i < sjis.size();) {
        const std::size_t length = CharacterLength(sjis, i);
        const auto lead = static_cast<unsigned char>(sjis[i]);
        const auto trail = length == 2 ? static_cast<unsigned char>(sjis[i + 1]) : 0;
        if (lead == 0x82 && trail >= 0x4F && trail <= 0x58) {
            out += static_cast<char>('0' + (trail - 0x4F));
        } else if (lead == 0x81 && trail == 0x44) {
            out += '.';
        } else {
            out.append(sjis.substr(i, length));
        }
        i += length;
    }
    return out;
}

// The text as a plain number ("12.3", "456", "7"), when it is one: digits with at most one
// point, in ASCII or full width. Leading zeros of a whole number go ("05" is 5).
std::optional<std::string> PlainNumber(std::string_view shown) {
    std::string t = HalfWidthDigits(Trimmed(shown));
    t.erase(std::remove(t.begin(), t.end(), ','), t.end());
    const std::size_t point = t.find('.');
    const auto digits = [](std::string_view d) {
        return std::all_of(d.begin(), d.end(),
                           [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
    };
    const std::string_view whole = std::string_view(t).substr(0, point);
    const std::string_view part =
        point == std::string::npos ? std::string_view() : std::string_view(t).substr(point + 1);
    if (t.empty() || !digits(whole) || !digits(part) ||
        (point != std::string::npos && part.empty()) || (whole.empty() && part.empty())) {
        return std::nullopt;
    }
    if (point == std::string::npos) {
        const std::size_t first = t.find_first_not_of('0');
        return first == std::string::npos ? "0" : t.substr(first);
    }
    return t;
}

// A value cell or field: its number, nothing where the window shows no value (blanks, a
// scratched runner's or a cancelled combination's "ﾄﾘｹｼ"), else the text as shown.
std::string ValueField(std::string_view shown) {
    const std::string_view t = Trimmed(shown);
    if (t.empty() || t == Sjis("ﾄﾘｹｼ")) {
        return {};
    }
    if (auto number = PlainNumber(t)) {
        return *number;
    }
    return std::string(t);
}

std::string_view Part(std::string_view s, std::size_t from, std::size_t length) {
    return from >= s.size() ? std::string_view() : s.substr(from, length);
}

// The race header: the date line split into date, meeting and race, the start time without
// its label, every text without the blanks that pad it.
std::vector<std::string> HeaderRow(const MainWindowModel& w) {
    std::string date(Trimmed(w.EditYMDR));
    std::string meeting;
    std::string race;
    // "2001年04月07日 第2回 中山 5日目 第11Ｒ"
    const std::string dayMark = Sjis("日 ");
    const std::string raceMark = Sjis(" 第");
    const std::string raceEnd = Sjis("Ｒ");
    const std::size_t dayAt = w.EditYMDR.find(dayMark);
    const std::size_t raceAt = w.EditYMDR.rfind(raceMark);
    if (dayAt != std::string::npos && raceAt != std::string::npos &&
        raceAt > dayAt + dayMark.size() && EndsWith(w.EditYMDR, raceEnd)) {
        date = w.EditYMDR.substr(0, dayAt + dayMark.size() - 1);
        meeting = w.EditYMDR.substr(dayAt + dayMark.size(), raceAt - dayAt - dayMark.size());
        const std::size_t from = raceAt + raceMark.size();
        race = ValueField(
            std::string_view(w.EditYMDR).substr(from, w.EditYMDR.size() - from - raceEnd.size()));
    }
    const std::string timeLabel = Sjis("発走時刻");
    std::string_view time = Trimmed(w.EditJikoku);
    if (StartsWith(time, timeLabel)) {
        time = Trimmed(time.substr(timeLabel.size()));
    }
    return {date,
            meeting,
            race,
            std::string(time),
            std::string(Trimmed(w.EditTokubetu)),
            std::string(Trimmed(w.EditJyouken)),
            std::string(Trimmed(w.EditCourse)),
            ValueField(w.EditKyori),
            ValueField(w.EditTousuu)};
}

// "＋16" is 16, a loss shown with any of the signs the settings offer is negative, "± 0" is 0;
// anything else ("初", blanks) as shown.
std::string WeightChangeField(std::string_view shown) {
    const std::string_view t = Trimmed(shown);
    for (const char* loss : {"▲", "－", "△"}) {
        const std::string sign = Sjis(loss);
        if (StartsWith(t, sign)) {
            if (auto amount = PlainNumber(t.substr(sign.size()))) {
                return *amount == "0" ? "0" : "-" + *amount;
            }
        }
    }
    for (const char* gain : {"＋", "±", "+"}) {
        const std::string sign = Sjis(gain);
        if (StartsWith(t, sign)) {
            if (auto amount = PlainNumber(t.substr(sign.size()))) {
                return *amount;
            }
        }
    }
    return std::string(t);
}

std::vector<std::string> RaceCardRow(const std::array<std::string, GridColumns>& cells) {
    // Column 2: " 12.3[ 4]"; column 3: " 1.2- 1.9".
    const std::string_view win = cells[2];
    const std::size_t open = win.find('[');
    const std::size_t close = win.find(']', open == std::string_view::npos ? 0 : open);
    std::string rank;
    if (open != std::string_view::npos && close != std::string_view::npos) {
        rank = ValueField(win.substr(open + 1, close - open - 1));
    }
    const std::string_view place = cells[3];
    const std::size_t dash = place.find('-');
    const std::string low =
        ValueField(dash == std::string_view::npos ? place : place.substr(0, dash));
    const std::string high =
        dash == std::string_view::npos ? std::string() : ValueField(place.substr(dash + 1));
    return {ValueField(cells[0]),
            ValueField(cells[1]),
            std::string(Trimmed(cells[4])),
            ValueField(win.substr(0, open)),
            rank,
            low,
            high,
            ValueField(cells[5]),
            WeightChangeField(cells[6]),
            std::string(Trimmed(cells[7])),
            std::string(Trimmed(cells[8])),
            ValueField(cells[9]),
            std::string(Trimmed(cells[10]))};
}

bool IsPanelLine(std::string_view line) {
    return !Trimmed(line).empty() && line.find_first_not_of('-') != std::string_view::npos &&
           line != Sjis("DATAなし");
}

// A panel line, "1-2  46.6[24]", "01-03  62.7 [ 25]", "01-03  15.6-  32.6 [ 17]": the
// combination, the value (the wide range's two ends) and the rank when one is shown.
std::vector<std::string> OddsRow(std::string_view line, std::size_t keyWidth, bool range) {
    std::string_view rest = Part(line, keyWidth + 1, std::string_view::npos);
    std::string rank;
    if (const std::size_t open = rest.rfind('['); open != std::string_view::npos) {
        const std::size_t close = rest.find(']', open);
        rank = ValueField(rest.substr(
            open + 1, close == std::string_view::npos ? std::string_view::npos : close - open - 1));
        rest = rest.substr(0, open);
    }
    std::vector<std::string> row{std::string(Trimmed(line.substr(0, keyWidth)))};
    if (range) {
        // Both ends are six bytes wide; the hyphen between them stands at the seventh.
        std::size_t dash = rest.size() > 6 && rest[6] == '-' ? 6 : rest.find('-');
        row.push_back(ValueField(rest.substr(0, dash)));
        row.push_back(dash == std::string_view::npos ? std::string()
                                                     : ValueField(rest.substr(dash + 1)));
    } else {
        row.push_back(ValueField(rest));
    }
    row.push_back(rank);
    return row;
}

CsvSection OddsSection(const TextLines& memo, std::size_t keyWidth, bool range) {
    CsvSection s;
    s.header =
        range ? std::vector<std::string>{Sjis("組番"), Sjis("下限"), Sjis("上限"), Sjis("人気")}
              : std::vector<std::string>{Sjis("組番"), Sjis("オッズ"), Sjis("人気")};
    for (const std::string_view line : memo) {
        if (IsPanelLine(line)) {
            s.rows.push_back(OddsRow(line, keyWidth, range));
        }
    }
    return s;
}

// The payout lines of the results panel, "単勝　　 " + " 5" + "番 " + "     900" + "円", and
// the horses the refund line names.
CsvSection PayoutSection(const TextLines& memo) {
    CsvSection s;
    s.header = {Sjis("券種"), Sjis("組番"), Sjis("払戻金")};
    struct Label {
        const char* shown;
        const char* bet;
        bool horse; // a horse number and "番 " before the payout
        std::size_t keyWidth;
    };
    static const Label labels[] = {
        {"単勝　　 ", "単勝", true, 0},       {" 複勝　　", "複勝", true, 0},
        {"枠番連勝  ", "枠番連勝", false, 4}, {"馬番連勝 ", "馬番連勝", false, 5},
        {"ワイド　 ", "ワイド", false, 5},
    };
    const std::string yen = Sjis("円");
    const std::string ban = Sjis("番 ");
    const std::string refund = Sjis("返還に関わる馬番 ");
    for (const std::string_view line : memo) {
        if (StartsWith(line, refund)) {
            std::string_view horses = std::string_view(line).substr(refund.size());
            for (std::size_t at; (at = horses.find(ban)) != std::string_view::npos;
                 horses = horses.substr(at + ban.size())) {
                s.rows.push_back({Sjis("返還"), ValueField(horses.substr(0, at)), {}});
            }
            continue;
        }
        for (const Label& label : labels) {
            const std::string shown = Sjis(label.shown);
            if (!StartsWith(line, shown)) {
                continue;
            }
            std::string_view body = std::string_view(line).substr(shown.size());
            if (EndsWith(body, yen)) {
                body.remove_suffix(yen.size());
            }
            std::string key;
            std::string_view payout;
            if (label.horse) {
                const std::size_t at = body.find(ban);
                key = ValueField(body.substr(0, at));
                payout = at == std::string_view::npos ? std::string_view()
                                                      : body.substr(at + ban.size());
            } else {
                key = std::string(Trimmed(body.substr(0, label.keyWidth)));
                payout = Part(body, label.keyWidth, std::string_view::npos);
            }
            s.rows.push_back({Sjis(label.bet), key, ValueField(payout)});
            break;
        }
    }
    return s;
}

// One field for the file: UTF-8, quoted when it holds a comma, a quote or a line end.
std::string CsvField(const std::string& sjis) {
    const std::string utf8 = SjisToUtf8(sjis);
    if (utf8.find_first_of(",\"\r\n") == std::string::npos) {
        return utf8;
    }
    std::string quoted = "\"";
    for (char c : utf8) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

void AppendRecord(std::string& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        out += CsvField(fields[i]);
        out += i + 1 < fields.size() ? "," : "\r\n";
    }
}

// What may stand in a file name on every system the viewer runs on.
std::string FileNamePart(std::string_view sjis) {
    std::string out;
    for (std::size_t i = 0; i < sjis.size();) {
        const std::size_t length = CharacterLength(sjis, i);
        const auto c = static_cast<unsigned char>(sjis[i]);
        if (length == 1 &&
            (c <= ' ' || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) !=
                             std::string_view::npos)) {
            out += '_';
        } else {
            out.append(sjis.substr(i, length));
        }
        i += length;
    }
    return out;
}

} // namespace

std::string_view Trimmed(std::string_view sjis) {
    std::size_t first = sjis.size();
    std::size_t end = 0;
    for (std::size_t i = 0; i < sjis.size();) {
        const std::size_t length = CharacterLength(sjis, i);
        if (!IsBlankAt(sjis, i, length)) {
            first = std::min(first, i);
            end = i + length;
        }
        i += length;
    }
    return first >= end ? std::string_view() : sjis.substr(first, end - first);
}

bool ShowsARunner(const std::array<std::string, GridColumns>& row) {
    return std::any_of(row.begin(), row.end(),
                       [](const std::string& cell) { return !Trimmed(cell).empty(); });
}

std::vector<CsvSection> RaceCsvSections(const MainWindowModel& w) {
    std::vector<CsvSection> sections;
    CsvSection header;
    for (const char* h :
         {"日付", "開催", "レース", "発走時刻", "レース名", "条件", "コース", "距離", "頭数"}) {
        header.header.push_back(Sjis(h));
    }
    header.rows.push_back(HeaderRow(w));
    sections.push_back(header);

    CsvSection card;
    for (const char* h : {"枠", "馬番", "馬名", "単勝", "人気", "複勝下限", "複勝上限", "馬体重",
                          "増減", "見習", "騎手", "斤量", "記事"}) {
        card.header.push_back(Sjis(h));
    }
    for (std::size_t row = 1; row < GridRows; ++row) {
        if (ShowsARunner(w.DEGrid[row])) {
            card.rows.push_back(RaceCardRow(w.DEGrid[row]));
        }
    }
    sections.push_back(card);

    sections.push_back(OddsSection(w.MemoOdds1, 3, false));
    sections.push_back(OddsSection(w.MemoOdds2, 5, false));
    sections.push_back(OddsSection(w.MemoOdds3, 5, true));
    sections.push_back(PayoutSection(w.MemoSeiseki));
    return sections;
}

std::string RaceCsv(const MainWindowModel& w) {
    std::string out = "\xEF\xBB\xBF";
    bool first = true;
    for (const CsvSection& s : RaceCsvSections(w)) {
        if (!first) {
            out += "\r\n";
        }
        first = false;
        AppendRecord(out, s.header);
        for (const auto& row : s.rows) {
            AppendRecord(out, row);
        }
    }
    return out;
}

std::optional<std::string> CsvFileName(const MainFormState& s) {
    const int race = s.selection.CurRace;
    if (race < 1 || race > 12) {
        return std::nullopt;
    }
    // The date line begins "YYYY年MM月DD日", the venue stands between "回 " and the next blank.
    const std::string& line = s.window.EditYMDR;
    const std::string date = HalfWidthDigits(Part(line, 0, 4)) + HalfWidthDigits(Part(line, 6, 2)) +
                             HalfWidthDigits(Part(line, 10, 2));
    std::string venue;
    const std::string meetingMark = Sjis("回 ");
    if (const std::size_t at = line.find(meetingMark); at != std::string::npos) {
        const std::string_view rest = std::string_view(line).substr(at + meetingMark.size());
        venue = std::string(rest.substr(0, rest.find(' ')));
    }
    const std::string number = (race < 10 ? "0" : "") + std::to_string(race);
    return FileNamePart(date) + "_" + FileNamePart(venue) + "_" + number + "R.csv";
}

void TMainForm::SaveCsv() {
    const auto name = CsvFileName(state_);
    if (!name) {
        return;
    }
    const auto chosen =
        ui_.AskSavePath({Sjis("CSVで保存"), DocumentsFolder() / ToOsPath(*name), "csv"});
    if (!chosen) {
        return;
    }
    // Written beside and renamed into place: a failure leaves no half file under the name.
    if (!ReplaceFileContent(*chosen, RaceCsv(state_.window))) {
        throw Failure::CannotCreate(ShownPath(*chosen));
    }
}

} // namespace mv
