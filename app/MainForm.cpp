#include "app/MainForm.h"

#include "app/RaceLoad.h"
#include "common/MainFormDesign.h"
#include "common/Tables.h"
#include "odds/OddsPanels.h"
#include "platform/Codec.h"
#include "platform/Fields.h"
#include "platform/FileQuery.h"
#include "platform/RadioRule.h"
#include "platform/TextFile.h"
#include "racecard/RaceCard.h"
#include "racecard/RaceHeader.h"
#include "settings/SettingsFile.h"

namespace mv {
namespace {

// Meeting index file, line 1.
constexpr std::size_t VenueCodePos = 59, VenueCodeLen = 2;
constexpr std::size_t Key1Pos = 64, Key1Len = 1;
constexpr std::size_t Key2Pos = 65, Key2Len = 2;
constexpr std::size_t Key3Pos = 67, Key3Len = 2;

bool IsVenueCode(int code) {
    return code >= 1 && code <= VenueCodes;
}

} // namespace

TMainForm::TMainForm(UiServices& ui, std::string settingsPath, std::string cacheFolder) : ui_(ui) {
    state_.settingsPath = std::move(settingsPath);
    state_.cacheFolder = std::move(cacheFolder);
}

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
        const Lines lines = ReadLines(path);
        const std::string& line = LineAt(lines, 0);
        MeetingEntry& m = state_.meetings[static_cast<std::size_t>(n)];
        m.VenueCode = StrToIntStrict(Field(line, VenueCodePos, VenueCodeLen));
        // A venue the tables do not know names no data files: the slot counts as empty.
        if (!IsVenueCode(m.VenueCode)) {
            m = MeetingEntry{};
            button.visible = false;
            continue;
        }
        m.Caption = VenueName(m.VenueCode);
        m.Key1 = StrToIntStrict(Field(line, Key1Pos, Key1Len));
        m.Key2 = StrToIntStrict(Field(line, Key2Pos, Key2Len));
        m.Key3 = StrToIntStrict(Field(line, Key3Pos, Key3Len));
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
    for (Lines* memo : {&w.MemoOdds1, &w.MemoOdds2, &w.MemoOdds3, &w.MemoSeiseki}) {
        memo->clear();
    }
    static const MainWindowModel designed;
    w.EditYMDR = designed.EditYMDR;
    w.GBOdds1 = designed.GBOdds1;
    w.GBOdds2 = designed.GBOdds2;
    w.GBOdds3 = designed.GBOdds3;
    for (std::size_t row = 1; row < GridRows; ++row) {
        w.DEGrid[row].fill(std::string());
    }
}

void TMainForm::Check(Radio r) {
    MainWindowModel& w = state_.window;
    if (CheckRadio(
            r, RadioCount, [&](Radio b) -> RadioButton& { return w.radio(b); }, ParentOf)) {
        Click(r);
    }
}

void TMainForm::Click(Radio r) {
    const int i = static_cast<int>(r);
    TSettings& s = state_.settings;
    if (ParentOf(r) == RadioParent::GBjyoumei) {
        SelectVenue(i - static_cast<int>(Radio::RBkaisai1) + 1);
        return;
    }
    if (ParentOf(r) == RadioParent::GBR) {
        SelectRace(i - static_cast<int>(Radio::RBR01) + 1);
        return;
    }
    switch (r) {
    case Radio::RBSortT:
    case Radio::RBNorT:
        s.Tsort = r == Radio::RBSortT ? "True" : "false";
        ShowRaceCard(state_);
        break;
    case Radio::RBSort1:
    case Radio::RBNor1:
        s.Wsort = r == Radio::RBSort1 ? "True" : "false";
        ShowOdds1(state_);
        break;
    case Radio::RBSort2:
    case Radio::RBNor2:
        s.Usort = r == Radio::RBSort2 ? "True" : "false";
        ShowOdds2(state_);
        break;
    default:
        s.Ksort = r == Radio::RBSort3 ? "True" : "false";
        ShowOdds3(state_);
        break;
    }
}

void TMainForm::SelectVenue(int slot) {
    ClearPanels();
    state_.selection.CurSlot = slot;
    state_.selection.CurVenue = state_.meetings[static_cast<std::size_t>(slot)].VenueCode;
    ShowVenue();
}

void TMainForm::ShowVenue() {
    Selection& sel = state_.selection;
    MainWindowModel& w = state_.window;
    for (int r = 1; r <= Races; ++r) {
        w.radio(RaceButton(r)).visible = true;
    }
    // No venue chosen yet, or a slot whose meeting index could not be read: no file names.
    if (sel.CurSlot == 0 || !IsVenueCode(sel.CurVenue)) {
        for (int r = 1; r <= Races; ++r) {
            for (int k = 1; k <= FileKinds; ++k) {
                sel.RaceFiles[r][k] = 0;
            }
            w.radio(RaceButton(r)).visible = false;
        }
        return;
    }
    bool chosen = false;
    int last = 0;
    const ListingBatch probe;
    for (int r = 1; r <= Races; ++r) {
        bool any = false;
        for (int k = 1; k <= FileKinds; ++k) {
            if (!FileExists(state_.DataFilePath(k, r))) {
                sel.RaceFiles[r][k] = 0;
                continue;
            }
            sel.RaceFiles[r][k] = 1;
            any = true;
            last = r;
            if (!chosen && sel.CurRace == r) {
                chosen = true;
            } else if (!chosen && sel.CurRace < r) {
                chosen = true;
                sel.CurRace = r;
            }
        }
        if (!any) {
            w.radio(RaceButton(r)).visible = false;
        }
    }
    if (last <= sel.CurRace) {
        sel.CurRace = last;
    }
    if (sel.CurRace == 0) {
        return;
    }
    ShowRaceHeader(state_);
    ApplyButtonStates();
    LoadRaceData();
    w.GBRVisible = true;
    for (Radio r : {Radio::RBSort1, Radio::RBSort2, Radio::RBSort3, Radio::RBSortT, Radio::RBNor1,
                    Radio::RBNor2, Radio::RBNor3, Radio::RBNorT}) {
        w.radio(r).visible = true;
    }
}

void TMainForm::ApplyButtonStates() {
    const TSettings& s = state_.settings;
    Check(RaceButton(state_.selection.CurRace));
    if (s.Tsort == "True") {
        Check(Radio::RBSortT);
    }
    if (s.Wsort == "True") {
        Check(Radio::RBSort1);
    }
    if (s.Usort == "True") {
        Check(Radio::RBSort2);
    }
    if (s.Ksort == "True") {
        Check(Radio::RBSort3);
    }
}

void TMainForm::SelectRace(int race) {
    ClearPanels();
    state_.selection.CurRace = race;
    ShowRaceHeader(state_);
    LoadRaceData();
}

void TMainForm::LoadRaceData() {
    mv::LoadRaceData(state_);
}

void TMainForm::UpDateClick() {
    state_.settings = LoadSettings(state_.settingsPath);
    ClearPanels();
    ShowVenue();
}

void TMainForm::ButtonSettingClick() {
    // A failure while showing the dialog ends the handler here; the view discards the dialog.
    ui_.OpenSettingsDialog();
    state_.settings = LoadSettings(state_.settingsPath);
    ClearPanels();
    ShowVenue();
}

void TMainForm::ButtonENDClick() {
    ui_.RequestEnd();
}

void TMainForm::FormActivate() {
    if (activated_) {
        return;
    }
    activated_ = true;
    if (state_.settings.US == "0" || !IsPatFolder(state_.settings.PatDir)) {
        ButtonSettingClick();
    }
}

} // namespace mv
