#include "odds/OddsPanels.h"

#include "odds/OddsFolder.h"
#include "platform/Failure.h"
#include "platform/TextFile.h"
#include "support/ParamName.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace mv {
namespace {

struct PanelCase {
    const char* name;
    int panel;
    const char* flag;
    const char* shown; // the cache the memo shows, or nullptr for none
};

void PrintTo(const PanelCase& c, std::ostream* os) {
    *os << c.name;
}

class OddsPanel : public testing::Test {
protected:
    OddsPanel() {
        // Each cache names itself, so the memo tells which one was read.
        for (const char* name :
             {"MvZOSo.dat", "MvZONo.dat", "MvUOSo.dat", "MvUONo.dat", "MvKOSo.dat", "MvKONo.dat"}) {
            WriteLines(folder.state.CachePath(name), {name, "-------------"});
        }
        w.MemoOdds1 = w.MemoOdds2 = w.MemoOdds3 = {"left over"};
    }

    test::OddsFolder folder;
    MainWindowModel& w = folder.state.window;
};

class OddsPanelFlag : public OddsPanel, public testing::WithParamInterface<PanelCase> {};

TEST_P(OddsPanelFlag, ShowsTheCacheItsFlagChooses) {
    const PanelCase& c = GetParam();
    std::string TSettings::*flags[] = {&TSettings::Wsort, &TSettings::Usort, &TSettings::Ksort};
    TextLines MainWindowModel::*memos[] = {&MainWindowModel::MemoOdds1, &MainWindowModel::MemoOdds2,
                                           &MainWindowModel::MemoOdds3};
    void (*shows[])(MainFormState&) = {ShowOdds1, ShowOdds2, ShowOdds3};
    const auto p = static_cast<std::size_t>(c.panel - 1);
    folder.state.settings.*flags[p] = c.flag;

    shows[p](folder.state);

    const Lines expected = c.shown ? Lines{c.shown, "-------------"} : Lines{};
    for (std::size_t other = 0; other < 3; ++other) {
        EXPECT_EQ(w.*memos[other], other == p ? expected : Lines{"left over"}) << other + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Flags, OddsPanelFlag,
                         testing::Values(PanelCase{"BracketSorted", 1, "True", "MvZOSo.dat"},
                                         PanelCase{"BracketNormal", 1, "false", "MvZONo.dat"},
                                         PanelCase{"QuinellaSorted", 2, "True", "MvUOSo.dat"},
                                         PanelCase{"QuinellaNormal", 2, "false", "MvUONo.dat"},
                                         PanelCase{"WideSorted", 3, "True", "MvKOSo.dat"},
                                         PanelCase{"WideNormal", 3, "false", "MvKONo.dat"},
                                         PanelCase{"CapitalFalseShowsNothing", 1, "False", nullptr},
                                         PanelCase{"EmptyFlagShowsNothing", 2, "", nullptr},
                                         PanelCase{"LowerCaseTrueShowsNothing", 3, "true",
                                                   nullptr}),
                         test::ByName());

TEST_F(OddsPanel, MissingCacheFailsWithTheMemoCleared) {
    std::filesystem::remove(folder.program.osPath() / "MvUONo.dat");
    folder.state.settings.Usort = "false";
    try {
        ShowOdds2(folder.state);
        FAIL() << "a missing cache was shown";
    } catch (const Failure& f) {
        EXPECT_EQ(f.message(), Failure::CannotOpen(folder.program.path() + "MvUONo.dat").message());
    }
    EXPECT_TRUE(w.MemoOdds2.empty());
}

} // namespace
} // namespace mv
