#include "app/MainForm.h"
#include "common/MainFormDesign.h"
#include "common/Tables.h"
#include "platform/Clock.h"
#include "platform/Codec.h"
#include "platform/Fields.h"
#include "platform/FileQuery.h"
#include "platform/TextFile.h"
#include "settings/SettingsFile.h"

#include <utility>

namespace mv {
namespace {

// Meeting index file, line 1.
constexpr ByteSpan VenueCodeField{59, 2};
constexpr ByteSpan Key1Field{64, 1};
constexpr ByteSpan Key2Field{65, 2};
constexpr ByteSpan Key3Field{67, 2};

MainFormState StateFor(std::filesystem::path settingsPath, std::filesystem::path cacheFolder) {
    MainFormState state;
    state.settingsPath = std::move(settingsPath);
    state.cacheFolder = std::move(cacheFolder);
    return state;
}

} // namespace

TMainForm::TMainForm(UiServices& ui, std::filesystem::path settingsPath,
                     std::filesystem::path cacheFolder)
    : ui_(ui), state_(StateFor(std::move(settingsPath), std::move(cacheFolder))),
      timeOfDay_(TimeOfDayNow), follow_(state_.settingsPath) {}

void TMainForm::FormCreate() {
    const GridDesign& grid = DEGridDesign();
    for (std::size_t c = 0; c < GridColumns; ++c) {
        state_.window.DEGrid[0][c] = Sjis(grid.header[c]);
    }
    state_.settings = LoadSettings(state_.settingsPath);
    ClearPanels();
    DiscoverMeetings();
}

void TMainForm::DiscoverMeetings() {
    for (int n = 1; n <= VenueSlots; ++n) {
        RadioButton& button = state_.window.radio(VenueButton(n));
        const std::string path = state_.MeetingIndexPath(n);
        if (!FileExists(path)) {
            button.visible = false;
            continue;
        }
        const Lines lines = ReadFirstLine(path);
        const std::string& line = LineAt(lines, 0);
        MeetingEntry& m = state_.meetings[static_cast<std::size_t>(n)];
        m.VenueCode = StrToIntStrict(Take(line, VenueCodeField));
        // A venue the tables do not know names no data files: the slot counts as empty.
        if (!IsVenueCode(m.VenueCode)) {
            m = MeetingEntry{};
            button.visible = false;
            continue;
        }
        m.Caption = VenueName(m.VenueCode);
        m.Key1 = StrToIntStrict(Take(line, Key1Field));
        m.Key2 = StrToIntStrict(Take(line, Key2Field));
        m.Key3 = StrToIntStrict(Take(line, Key3Field));
        if (n >= 4) {
            m.Caption += Sjis("前日");
        }
        button.caption = m.Caption;
        button.visible = true;
    }
}

void TMainForm::ClearPanels() {
    MainWindowModel& w = state_.window;
    for (std::string* edit : {&w.EditYMDR, &w.EditTokubetu, &w.EditJikoku, &w.EditJyouken,
                              &w.EditCourse, &w.EditKyori, &w.EditTousuu}) {
        edit->clear();
    }
    for (TextLines* memo : {&w.MemoOdds1, &w.MemoOdds2, &w.MemoOdds3, &w.MemoSeiseki}) {
        memo->clear();
    }
    static const MainWindowModel designed;
    w.EditYMDR = designed.EditYMDR;
    w.GBOdds1 = designed.GBOdds1;
    w.GBOdds2 = designed.GBOdds2;
    w.GBOdds3 = designed.GBOdds3;
    for (std::size_t row = 1; row < GridRows; ++row) {
        w.DEGrid[row].fill(std::string());
        w.DEGridMarks[row].fill(CellMark{});
    }
}

} // namespace mv
