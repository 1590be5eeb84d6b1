// "CSVで保存...": every field of the file against the grid cell or panel line it comes from,
// over every race of the sample folder and the odd cases, and the save itself.

#include "app/Csv.h"

#include "app/ContextMenu.h"
#include "app/Keys.h"
#include "platform/Codec.h"
#include "platform/Dispatch.h"
#include "platform/FileQuery.h"
#include "platform/TextFile.h"
#include "support/ParamName.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "tools/SampleFolder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>

namespace mv {
namespace {

using Record = std::vector<std::string>;

// RFC 4180 records of the file's UTF-8 text, each field back in code page 932; an empty line
// ends a section.
std::vector<std::vector<Record>> ParseCsv(const std::string& file) {
    EXPECT_EQ(file.substr(0, 3), "\xEF\xBB\xBF") << "a byte order mark first";
    std::vector<std::vector<Record>> sections(1);
    Record record;
    std::string field;
    bool quoted = false;
    bool emptyLine = true;
    for (std::size_t i = 3; i < file.size(); ++i) {
        const char c = file[i];
        if (quoted) {
            if (c == '"' && i + 1 < file.size() && file[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
            emptyLine = false;
        } else if (c == ',') {
            record.push_back(*TryUtf8ToSjis(field));
            field.clear();
            emptyLine = false;
        } else if (c == '\r') {
            EXPECT_EQ(file.substr(i, 2), "\r\n") << "CR LF line ends";
            ++i;
            if (emptyLine) {
                sections.emplace_back();
            } else {
                record.push_back(*TryUtf8ToSjis(field));
                sections.back().push_back(record);
            }
            record.clear();
            field.clear();
            emptyLine = true;
        } else {
            EXPECT_NE(c, '\n') << "no bare LF";
            field += c;
            emptyLine = false;
        }
    }
    EXPECT_TRUE(emptyLine && field.empty()) << "the last line ends with CR LF";
    return sections;
}

bool IsBlankChar(std::string_view s, std::size_t i) {
    return s[i] == ' ' || (s.substr(i, 2) == "\x81\x40");
}

// The text without blanks and full-width spaces at either end.
std::string Strip(std::string_view s) {
    std::size_t from = 0;
    while (from < s.size() && IsBlankChar(s, from)) {
        from += s[from] == ' ' ? 1u : 2u;
    }
    std::string out(s.substr(from));
    for (;;) {
        if (!out.empty() && out.back() == ' ') {
            out.pop_back();
        } else if (out.size() >= 2 && out.substr(out.size() - 2) == "\x81\x40") {
            out.resize(out.size() - 2);
        } else {
            return out;
        }
    }
}

// The digits and points a text shows, full-width ones as ASCII, leading zeros of the whole
// part dropped: "０５" and "5" both give "5", "  0.5" gives "0.5".
std::string Digits(std::string_view s) {
    std::string d;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto b = static_cast<unsigned char>(s[i]);
        if ((b >= '0' && b <= '9') || b == '.') {
            d += s[i];
        } else if (b == 0x82 && i + 1 < s.size() && static_cast<unsigned char>(s[i + 1]) >= 0x4F &&
                   static_cast<unsigned char>(s[i + 1]) <= 0x58) {
            d += static_cast<char>('0' + (static_cast<unsigned char>(s[i + 1]) - 0x4F));
            ++i;
        } else if (b >= 0x81) {
            ++i; // the second byte of a double-byte character is never a digit of its own
        }
    }
    while (d.size() > 1 && d[0] == '0' && d[1] != '.') {
        d.erase(0, 1);
    }
    return d;
}

// A field that holds a number is exactly the number its source shows; an empty field stands
// where the source shows none.
void ExpectNumberFrom(const std::string& field, std::string_view source, const std::string& what) {
    SCOPED_TRACE(what + " from \"" + SjisToUtf8(source) + "\"");
    if (field.empty()) {
        EXPECT_EQ(Digits(source), "");
        return;
    }
    EXPECT_EQ(field.find_first_not_of("-0123456789."), std::string::npos) << "a plain number";
    EXPECT_EQ(Digits(field), Digits(source));
}

std::string_view Before(std::string_view s, char c) {
    return s.substr(0, s.find(c));
}
std::string_view After(std::string_view s, char c) {
    const std::size_t at = s.find(c);
    return at == std::string_view::npos ? std::string_view() : s.substr(at + 1);
}

bool ShowsRunner(const std::array<std::string, GridColumns>& row) {
    for (const std::string& cell : row) {
        if (!Strip(cell).empty()) {
            return true;
        }
    }
    return false;
}

void ExpectHeader(const std::vector<Record>& section, const MainWindowModel& w) {
    ASSERT_EQ(section.size(), 2u);
    const Record& h = section[0];
    EXPECT_EQ(h,
              (Record{Sjis("日付"), Sjis("開催"), Sjis("レース"), Sjis("発走時刻"),
                      Sjis("レース名"), Sjis("条件"), Sjis("コース"), Sjis("距離"), Sjis("頭数")}));
    const Record& r = section[1];
    ASSERT_EQ(r.size(), h.size());
    // The date line put together again from its three fields.
    EXPECT_EQ(r[0] + " " + r[1] + Sjis(" 第") + r[2] + Sjis("Ｒ"), w.EditYMDR);
    EXPECT_EQ(r[3], Strip(After(w.EditJikoku, ' ')));
    EXPECT_EQ(r[4], Strip(w.EditTokubetu));
    EXPECT_EQ(r[5], Strip(w.EditJyouken));
    EXPECT_EQ(r[6], Strip(w.EditCourse));
    ExpectNumberFrom(r[7], w.EditKyori, "distance");
    ExpectNumberFrom(r[8], w.EditTousuu, "runners");
}

void ExpectRaceCard(const std::vector<Record>& section, const MainWindowModel& w) {
    ASSERT_FALSE(section.empty());
    EXPECT_EQ(section[0],
              (Record{Sjis("枠"), Sjis("馬番"), Sjis("馬名"), Sjis("単勝"), Sjis("人気"),
                      Sjis("複勝下限"), Sjis("複勝上限"), Sjis("馬体重"), Sjis("増減"),
                      Sjis("見習"), Sjis("騎手"), Sjis("斤量"), Sjis("記事")}));
    std::size_t next = 1;
    for (std::size_t row = 1; row < GridRows; ++row) {
        const auto& cells = w.DEGrid[row];
        if (!ShowsRunner(cells)) {
            continue;
        }
        SCOPED_TRACE("grid row " + std::to_string(row));
        ASSERT_LT(next, section.size()) << "a record for every row shown";
        const Record& r = section[next++];
        ASSERT_EQ(r.size(), 13u);
        ExpectNumberFrom(r[0], cells[0], "bracket");
        ExpectNumberFrom(r[1], cells[1], "horse number");
        EXPECT_EQ(r[2], Strip(cells[4]));
        ExpectNumberFrom(r[3], Before(cells[2], '['), "win odds");
        ExpectNumberFrom(r[4], After(cells[2], '['), "popularity");
        ExpectNumberFrom(r[5], Before(cells[3], '-'), "place low");
        ExpectNumberFrom(r[6], After(cells[3], '-'), "place high");
        ExpectNumberFrom(r[7], cells[5], "body weight");
        const std::string change = Strip(cells[6]);
        if (Digits(change).empty()) {
            EXPECT_EQ(r[8], change);
        } else {
            ExpectNumberFrom(r[8], change, "weight change");
            const bool loss = change.rfind(Sjis("▲"), 0) == 0 || change.rfind(Sjis("－"), 0) == 0 ||
                              change.rfind(Sjis("△"), 0) == 0;
            EXPECT_EQ(r[8][0] == '-', loss && Digits(change) != "0") << SjisToUtf8(change);
        }
        EXPECT_EQ(r[9], Strip(cells[7]));
        EXPECT_EQ(r[10], Strip(cells[8]));
        ExpectNumberFrom(r[11], cells[9], "weight carried");
        EXPECT_EQ(r[12], Strip(cells[10]));
    }
    EXPECT_EQ(next, section.size()) << "no record without its row";
}

// keyWidth: the combination's bytes at the start of a panel line.
void ExpectOdds(const std::vector<Record>& section, const Lines& memo, std::size_t keyWidth,
                bool range) {
    ASSERT_FALSE(section.empty());
    EXPECT_EQ(section[0].size(), range ? 4u : 3u);
    std::size_t next = 1;
    for (const std::string& line : memo) {
        if (line.find_first_not_of('-') == std::string::npos || line == Sjis("DATAなし")) {
            continue; // separators and the no-data line hold no combination
        }
        SCOPED_TRACE("panel line \"" + SjisToUtf8(line) + "\"");
        ASSERT_LT(next, section.size()) << "a record for every line shown";
        const Record& r = section[next++];
        ASSERT_EQ(r.size(), section[0].size());
        EXPECT_EQ(r[0], line.substr(0, keyWidth));
        const std::string_view rest = std::string_view(line).substr(keyWidth);
        const std::string_view value = Before(rest, '[');
        if (range) {
            ExpectNumberFrom(r[1], value.substr(0, 7), "lower");
            ExpectNumberFrom(r[2], value.substr(std::min<std::size_t>(8, value.size())), "upper");
        } else {
            ExpectNumberFrom(r[1], value, "odds");
        }
        ExpectNumberFrom(r.back(), After(rest, '['), "popularity");
    }
    EXPECT_EQ(next, section.size()) << "no record without its line";
}

void ExpectPayouts(const std::vector<Record>& section, const Lines& memo) {
    ASSERT_FALSE(section.empty());
    EXPECT_EQ(section[0], (Record{Sjis("券種"), Sjis("組番"), Sjis("払戻金")}));
    std::size_t next = 1;
    const std::string refund = Sjis("返還に関わる馬番 ");
    for (const std::string& line : memo) {
        SCOPED_TRACE("results line \"" + SjisToUtf8(line) + "\"");
        if (line.rfind(refund, 0) == 0) {
            std::string_view horses = std::string_view(line).substr(refund.size());
            const std::string ban = Sjis("番 ");
            for (std::size_t at; (at = horses.find(ban)) != std::string_view::npos;
                 horses = horses.substr(at + ban.size())) {
                ASSERT_LT(next, section.size());
                const Record& r = section[next++];
                EXPECT_EQ(r[0], Sjis("返還"));
                ExpectNumberFrom(r[1], horses.substr(0, at), "refunded horse");
                EXPECT_EQ(r[2], "");
            }
            continue;
        }
        if (line.size() < 24 || line.substr(line.size() - 2) != Sjis("円")) {
            continue; // the reminder, the blank lines
        }
        ASSERT_LT(next, section.size()) << "a record for every payout";
        const Record& r = section[next++];
        ASSERT_EQ(r.size(), 3u);
        // The bet's name is the label without its blanks; the payout stands at bytes 15-22.
        EXPECT_EQ(r[0], Strip(line.substr(0, line.rfind(Sjis("枠番連勝"), 0) == 0 ? 10 : 9)));
        EXPECT_EQ(Digits(r[1]), Digits(line.substr(9, 5)));
        ExpectNumberFrom(r[2], line.substr(14, 8), "payout");
    }
    EXPECT_EQ(next, section.size()) << "no record without its line";
}

void ExpectCsvOfWindow(const MainWindowModel& w) {
    const auto sections = ParseCsv(RaceCsv(w));
    ASSERT_EQ(sections.size(), 6u);
    ExpectHeader(sections[0], w);
    ExpectRaceCard(sections[1], w);
    ExpectOdds(sections[2], w.MemoOdds1.ToLines(), 3, false);
    ExpectOdds(sections[3], w.MemoOdds2.ToLines(), 5, false);
    ExpectOdds(sections[4], w.MemoOdds3.ToLines(), 5, true);
    ExpectPayouts(sections[5], w.MemoSeiseki.ToLines());
}

// The odd cases the sample lacks, put into race 3 of the first meeting (already with a
// scratched and refunded runner): cancelled and below-one combinations of every bet type, and
// a results file with lines after line 1.
std::vector<sample::SampleMeeting> OddMeetings() {
    auto meetings = sample::SampleMeetings();
    auto& race = meetings[0].races[2];
    race.winPlace->brackets[0].odds = Sjis(" ﾄﾘｹｼ");
    race.winPlace->brackets[1].odds = "  0.0";
    race.quinellaWide->combinations[0].quinella = Sjis("  ﾄﾘｹｼ");
    race.quinellaWide->combinations[0].wideLow = Sjis("  ﾄﾘｹｼ");
    race.quinellaWide->combinations[0].wideHigh = Sjis("  ﾄﾘｹｼ");
    race.quinellaWide->combinations[1].quinella = "   0.0";
    race.quinellaWide->combinations[1].wideLow = "   0.0";
    return meetings;
}

struct CsvCase {
    const char* name;
    bool odd;           // the odd cases written over the sample
    const char* sorted; // every table's order
};

class CsvOfEveryRace : public testing::TestWithParam<CsvCase> {};

TEST_P(CsvOfEveryRace, EveryFieldIsTheValueItsCellOrLineShows) {
    const CsvCase& c = GetParam();
    test::TempFolder pat;
    test::TempFolder program;
    test::ScriptedUi ui;
    const auto meetings = c.odd ? OddMeetings() : sample::SampleMeetings();
    for (const auto& meeting : meetings) {
        sample::WriteSampleMeeting(pat.path(), meeting);
    }
    const std::string order = c.sorted;
    program.Write("Q-MvRV98.ini", "[Dir]\r\nPatDir=" + pat.path() +
                                      "\r\n[Options]\r\nTsort=" + order + "\r\nWsort=" + order +
                                      "\r\nUsort=" + order + "\r\nKsort=" + order + "\r\n");
    TMainForm form(ui, program.File("Q-MvRV98.ini"), program.osPath());
    form.FormCreate();
    if (c.odd) {
        form.Check(VenueButton(1));
        std::ofstream(ToOsPath(form.state().DataFilePath(5, 3)), std::ios::binary | std::ios::app)
            << Sjis("単勝　　 99番   999999円\r\n返還に関わる馬番 01番 \r\n");
    }
    int races = 0;
    for (int slot = 1; slot <= 6; ++slot) {
        if (!form.window().radio(VenueButton(slot)).visible) {
            continue;
        }
        form.Check(VenueButton(slot));
        for (int race = 1; race <= 12; ++race) {
            if (!form.window().radio(RaceButton(race)).visible) {
                continue;
            }
            SCOPED_TRACE("slot " + std::to_string(slot) + " race " + std::to_string(race));
            form.Check(RaceButton(race));
            ASSERT_TRUE(ui.Errors().empty());
            ExpectCsvOfWindow(form.window());
            ++races;
        }
    }
    EXPECT_EQ(races, 36);
}

INSTANTIATE_TEST_SUITE_P(Csv, CsvOfEveryRace,
                         testing::Values(CsvCase{"SampleInFileOrder", false, "false"},
                                         CsvCase{"SampleByOdds", false, "True"},
                                         CsvCase{"OddCasesInFileOrder", true, "false"},
                                         CsvCase{"OddCasesByOdds", true, "True"}),
                         test::ByName());

// The file byte for byte for a window built by hand: each form a value takes, quoting, the
// order of the sections and the empty line between them.
TEST(RaceCsv, EachFormOfAValueBecomesItsField) {
    MainWindowModel w;
    w.EditYMDR = Sjis("2024年05月05日 第2回 東京 6日目 第11Ｒ");
    w.EditTokubetu = Sjis("天皇賞\"春\",ＧⅠ             ");
    w.EditJyouken = Sjis("４歳以上オープン            ");
    w.EditJikoku = Sjis("発走時刻  15:40");
    w.EditCourse = Sjis("芝左");
    w.EditKyori = "3200";
    w.EditTousuu = " 9";
    const std::array<std::string, GridColumns> ranked = {Sjis("１"),
                                                         Sjis("　５"),
                                                         " 12.3[ 4]",
                                                         "  1.2- 1.9",
                                                         Sjis("ホシノフラッシュ　"),
                                                         Sjis("４５６"),
                                                         Sjis("▲ 2"),
                                                         Sjis(" ☆"),
                                                         Sjis("佐藤"),
                                                         "57.0",
                                                         Sjis("●騎手／負担重量変更")};
    const std::array<std::string, GridColumns> scratched = {Sjis("２"),
                                                            Sjis("１０"),
                                                            Sjis("  ﾄﾘｹｼ    "),
                                                            Sjis("  ﾄﾘｹｼ- ﾄﾘｹｼ"),
                                                            Sjis("ミドリ"),
                                                            Sjis("　　　"),
                                                            "    ",
                                                            Sjis(" 　"),
                                                            "A,B",
                                                            "55  ",
                                                            Sjis("●出走取消          ")};
    const std::array<std::string, GridColumns> gain = {Sjis("３"),
                                                       Sjis("１１"),
                                                       "  0.5    ",
                                                       "            ",
                                                       Sjis("アオ"),
                                                       Sjis("４８０"),
                                                       Sjis("＋16"),
                                                       Sjis(" 　"),
                                                       Sjis("田中"),
                                                       "54.0",
                                                       ""};
    const std::array<std::string, GridColumns> same = {
        Sjis("３"),  Sjis("１２"), "  3.0[ 1]", "  1.0- 1.1", Sjis("キ"), Sjis("５００"),
        Sjis("± 0"), "",           "",          "",           ""};
    const std::array<std::string, GridColumns> first = {
        Sjis("４"), Sjis("１３"), "", "", Sjis("シロ"), Sjis("４４０"), Sjis(" 初 "),
        "",         "",           "", ""};
    w.DEGrid[1] = ranked;
    w.DEGrid[2] = scratched;
    w.DEGrid[3] = gain;
    w.DEGrid[4] = same;
    w.DEGrid[5] = first;
    w.DEGrid[6].fill(Sjis("　"));
    w.MemoOdds1 = {"1-2  46.6[24]", Sjis("1-3  ﾄﾘｹｼ    "), "1-4   0.5    ", "-------------"};
    w.MemoOdds2 = {Sjis("DATAなし")};
    w.MemoOdds3 = {"01-03  15.6-  32.6 [ 17]", Sjis("01-04   ﾄﾘｹｼ-  ﾄﾘｹｼ     ")};
    w.MemoSeiseki = {Sjis("【備考】※競走成績は必ず主催者発行のものと照合し確認してください。"),
                     Sjis("単勝　　  5番      900円"),
                     Sjis(" 複勝　　 5番    1,200円"),
                     " ",
                     Sjis("枠番連勝  1-2      450円"),
                     " ",
                     Sjis("馬番連勝 01-05    2450円"),
                     " ",
                     Sjis("ワイド　 01-05     640円"),
                     " ",
                     Sjis("返還に関わる馬番  3番 10番 ")};
    const std::string expected =
        "\xEF\xBB\xBF"
        "日付,開催,レース,発走時刻,レース名,条件,コース,距離,頭数\r\n"
        "2024年05月05日,第2回 東京 6日目,11,15:40,\"天皇賞\"\"春\"\",ＧⅠ\",４歳以上オープン,芝左,"
        "3200,9\r\n"
        "\r\n"
        "枠,馬番,馬名,単勝,人気,複勝下限,複勝上限,馬体重,増減,見習,騎手,斤量,記事\r\n"
        "1,5,ホシノフラッシュ,12.3,4,1.2,1.9,456,-2,☆,佐藤,57.0,●騎手／負担重量変更\r\n"
        "2,10,ミドリ,,,,,,,,\"A,B\",55,●出走取消\r\n"
        "3,11,アオ,0.5,,,,480,16,,田中,54.0,\r\n"
        "3,12,キ,3.0,1,1.0,1.1,500,0,,,,\r\n"
        "4,13,シロ,,,,,440,初,,,,\r\n"
        "\r\n"
        "組番,オッズ,人気\r\n"
        "1-2,46.6,24\r\n"
        "1-3,,\r\n"
        "1-4,0.5,\r\n"
        "\r\n"
        "組番,オッズ,人気\r\n"
        "\r\n"
        "組番,下限,上限,人気\r\n"
        "01-03,15.6,32.6,17\r\n"
        "01-04,,,\r\n"
        "\r\n"
        "券種,組番,払戻金\r\n"
        "単勝,5,900\r\n"
        "複勝,5,1200\r\n"
        "枠番連勝,1-2,450\r\n"
        "馬番連勝,01-05,2450\r\n"
        "ワイド,01-05,640\r\n"
        "返還,3,\r\n"
        "返還,10,\r\n";
    EXPECT_EQ(RaceCsv(w), expected);
}

// Saving: the name proposed, what is written, cancelling, and a file that cannot be written.
class SaveCsv : public testing::Test {
protected:
    test::TempFolder pat;
    test::TempFolder program;
    test::TempFolder chosenFolder; // where the dialog is answered to save
    test::ScriptedUi ui;
    std::unique_ptr<TMainForm> form;

    void SetUp() override {
        sample::WriteSampleFolder(pat.path());
        program.Write("Q-MvRV98.ini", "[Dir]\r\nPatDir=" + pat.path() + "\r\n");
        form = std::make_unique<TMainForm>(ui, program.File("Q-MvRV98.ini"), program.osPath());
        form->FormCreate();
    }
    void Save() {
        const auto action = KeyAction(*form, {Key::S, true});
        ASSERT_TRUE(action.has_value());
        if (*action) {
            Dispatch(ui, [&] { (*action)(*form, {}); });
        }
    }
    static std::string Read(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

TEST_F(SaveCsv, NothingIsSavedBeforeARaceIsShown) {
    Save();
    form->Check(VenueButton(1));
    if (form->state().selection.CurRace == 0) {
        Save();
    }
    EXPECT_TRUE(ui.saveRequests.empty());
    const auto items = ContextMenuOf(*form, {});
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[2].caption, Sjis("CSVで保存..."));
    EXPECT_EQ(items[2].enabled, form->state().selection.CurRace != 0);
}

TEST_F(SaveCsv, TheRaceShownGoesUnderTheChosenNameStartingInTheDocumentsFolder) {
    form->Check(VenueButton(1));
    form->Check(RaceButton(3));
    const std::filesystem::path chosen = chosenFolder.osPath() / "race.csv";
    ui.saveAnswers.push_back(chosen);
    Save();
    ASSERT_EQ(ui.saveRequests.size(), 1u);
    EXPECT_EQ(ui.saveRequests[0].title, Sjis("CSVで保存"));
    EXPECT_EQ(ui.saveRequests[0].extension, "csv");
    const auto meetings = sample::SampleMeetings();
    const auto& header = meetings[0].races[2].raceCard->header;
    EXPECT_EQ(ui.saveRequests[0].proposed,
              DocumentsFolder() / ToOsPath(header.year + header.month + header.day + "_" +
                                           header.venueName + "_03R.csv"));
    EXPECT_TRUE(ui.Errors().empty());
    EXPECT_EQ(Read(chosen), RaceCsv(form->window()));

    // The context menu's item saves as the key does; a cancelled dialog writes nothing.
    ui.saveAnswers.push_back(std::nullopt);
    form->Check(RaceButton(10));
    ContextMenuOf(*form, {})[2].run(*form, {});
    ASSERT_EQ(ui.saveRequests.size(), 2u);
    EXPECT_EQ(ui.saveRequests[1].proposed.filename().string().substr(8),
              "_" + SjisToUtf8(header.venueName) + "_10R.csv");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(chosenFolder.osPath()),
                            std::filesystem::directory_iterator()),
              1)
        << "race.csv only";
}

TEST_F(SaveCsv, AFileThatCannotBeWrittenIsAFailureAndLeavesNoHalfFile) {
    form->Check(VenueButton(1));
    form->Check(RaceButton(2));
    const std::filesystem::path missing = chosenFolder.osPath() / "no such folder" / "race.csv";
    const std::filesystem::path kept = chosenFolder.osPath() / "kept.csv";
    { std::ofstream(kept, std::ios::binary) << "old"; }
    std::filesystem::permissions(kept, std::filesystem::perms::owner_read);
    for (const auto& target : {missing, kept}) {
        ui.saveAnswers.push_back(target);
        Save();
    }
    const auto errors = ui.Errors();
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].text, Sjis("ファイル ") + ShownPath(missing) + Sjis(" を作成できません."));
    EXPECT_EQ(errors[1].text, Sjis("ファイル ") + ShownPath(kept) + Sjis(" を作成できません."));
    EXPECT_FALSE(std::filesystem::exists(missing.parent_path()));
    EXPECT_EQ(Read(kept), "old");
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(chosenFolder.osPath())) {
        left.push_back(entry.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, std::vector<std::string>{"kept.csv"}) << "no temporary file left";
}

} // namespace
} // namespace mv
