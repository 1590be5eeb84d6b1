#include "odds/Results.h"

#include "common/Tables.h"
#include "odds/OddsFolder.h"
#include "platform/Codec.h"
#include "platform/Failure.h"
#include "support/ParamName.h"

#include <array>
#include <filesystem>
#include <gtest/gtest.h>

namespace mv {
namespace {

using sample::Kind;
using sample::Padded;

// The memo of a results file, from the payouts the writer received.
Lines ExpectedMemo(const sample::ResultsFile& f) {
    Lines memo{Sjis("【備考】※競走成績は必ず主催者発行のものと照合し確認してください。")};
    const auto add = [&memo](const auto& payouts, const char* label, const char* afterNumber,
                             std::size_t width) {
        for (const sample::Payout& p : payouts) {
            if (!p.number.empty()) {
                memo.push_back(Sjis(label) + Padded(p.number, width) + Sjis(afterNumber) +
                               Padded(p.amount, 8) + Sjis("円"));
            }
        }
    };
    add(f.win, "単勝　　 ", "番 ", 2);
    add(f.place, " 複勝　　", "番 ", 2);
    memo.push_back(" ");
    add(f.bracketQuinella, "枠番連勝  ", " ", 3);
    memo.push_back(" ");
    add(f.quinella, "馬番連勝 ", "", 5);
    memo.push_back(" ");
    add(f.wide, "ワイド　 ", "", 5);
    memo.push_back(" ");
    if (sample::ResultsOffset(f.length) == 0) {
        std::string refunds;
        for (const std::string& horse : f.refunds) {
            refunds += horse.empty() ? "" : horse + Sjis("番 ");
        }
        memo.push_back(Sjis("返還に関わる馬番 ") + (refunds.empty() ? Sjis("なし") : refunds));
    }
    return memo;
}

struct ResultsCase {
    const char* name;
    std::size_t fileSize; // line 1 and CR LF
    std::array<std::string, 2> winners;
    std::array<std::string, 5> refunds;
    const char* lastLine; // UTF-8
};

void PrintTo(const ResultsCase& c, std::ostream* os) {
    *os << c.name;
}

class ResultsPanel : public testing::TestWithParam<ResultsCase> {};

TEST_P(ResultsPanel, ShowsPayoutsAtTheOffsetOfTheFileSize) {
    const ResultsCase& c = GetParam();
    sample::ResultsFile file;
    file.length = c.fileSize - 2;
    file.win = {{{c.winners[0], "     340"}, {c.winners[1], "     290"}, {}}};
    file.place = {{{" 5", "     120"}, {" 9", "     150"}, {"12", "     210"}, {}, {}}};
    file.bracketQuinella[0] = {"3-5", "     980"};
    file.quinella[0] = {"05-09", "    1230"};
    file.wide = {{{"05-09", "     410"}, {"05-12", "     520"}, {"09-12", "     730"}}};
    file.refunds = c.refunds;
    test::OddsFolder folder;
    folder.Write(Kind::Ks, sample::Line1(file));
    ASSERT_EQ(std::filesystem::file_size(folder.pat.osPath() /
                                         sample::DataFileName(Kind::Ks, folder.keys, folder.race)),
              c.fileSize);

    ShowResults(folder.state);

    const Lines memo = folder.state.window.MemoSeiseki.ToLines();
    EXPECT_EQ(memo, ExpectedMemo(file));
    ASSERT_FALSE(memo.empty());
    EXPECT_EQ(memo.back(), Sjis(c.lastLine));
    EXPECT_EQ(memo[1], Sjis("単勝　　 ") + c.winners[0] + Sjis("番      340円"));
}

INSTANTIATE_TEST_SUITE_P(
    Files, ResultsPanel,
    testing::Values(
        ResultsCase{
            "Size800KeepsColumnsAndNoRefundSaysNone", 800, {" 5", ""}, {}, "返還に関わる馬番 なし"},
        ResultsCase{"Size801MovesColumnsAndDropsRefunds", 801, {" 5", ""}, {" 3"}, " "},
        ResultsCase{"TwoRefundsInSlotOrder",
                    800,
                    {" 5", ""},
                    {" 3", "", "12"},
                    "返還に関わる馬番  3番 12番 "},
        ResultsCase{"DeadHeatGivesTwoWinLines", 801, {" 5", " 9"}, {}, " "}),
    test::ByName());

TEST(Results, WithoutAResultsFileOnlyTheRemarkIsShown) {
    test::OddsFolder folder;
    folder.state.window.MemoSeiseki = {"left over"};
    ShowResults(folder.state);
    EXPECT_EQ(folder.state.window.MemoSeiseki, Lines{Sjis("備考：")});
}

TEST(Results, VanishedResultsFileFailsAndLeavesTheMemo) {
    test::OddsFolder folder;
    folder.state.selection.RaceFiles[folder.race][KindKs] = 1;
    folder.state.window.MemoSeiseki = {"left over"};
    try {
        ShowResults(folder.state);
        FAIL() << "a missing results file was shown";
    } catch (const Failure& f) {
        EXPECT_EQ(f.message(),
                  Failure::CannotOpen(folder.state.DataFilePath(KindKs, folder.race)).message());
    }
    EXPECT_EQ(folder.state.window.MemoSeiseki, Lines{"left over"});
}

} // namespace
} // namespace mv
