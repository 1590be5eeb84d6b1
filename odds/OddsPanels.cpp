#include "odds/OddsPanels.h"

#include "odds/OddsCaches.h"
#include "platform/TextFile.h"

namespace mv {
namespace {

// A panel: its memo, the settings flag choosing the view, and the caches of the two views.
struct OddsPanel {
    TextLines MainWindowModel::*memo;
    std::string TSettings::*sortFlag;
    OddsCacheNames caches;
};

constexpr OddsPanel Panel1{&MainWindowModel::MemoOdds1, &TSettings::Wsort, BracketQuinellaCaches};
constexpr OddsPanel Panel2{&MainWindowModel::MemoOdds2, &TSettings::Usort, QuinellaCaches};
constexpr OddsPanel Panel3{&MainWindowModel::MemoOdds3, &TSettings::Ksort, WideCaches};

// Only the exact flags "True" and "false" choose a view; any other value shows nothing.
void ShowOdds(MainFormState& state, const OddsPanel& panel) {
    TextLines& memo = state.window.*panel.memo;
    memo.clear();
    const std::string& flag = state.settings.*panel.sortFlag;
    if (flag == "True") {
        memo = ReadTextLines(state.CachePath(panel.caches.sorted));
    } else if (flag == "false") {
        memo = ReadTextLines(state.CachePath(panel.caches.normal));
    }
}

} // namespace

void ShowOdds1(MainFormState& state) {
    ShowOdds(state, Panel1);
}

void ShowOdds2(MainFormState& state) {
    ShowOdds(state, Panel2);
}

void ShowOdds3(MainFormState& state) {
    ShowOdds(state, Panel3);
}

} // namespace mv
