#include "app/MainForm.h"
#include "app/MainFormBindings.h"
#include "app/RaceLoad.h"
#include "common/Tables.h"
#include "platform/Failure.h"
#include "platform/FileQuery.h"
#include "platform/RadioRule.h"
#include "platform/TextFile.h"
#include "racecard/RaceHeader.h"
#include "settings/SettingsFile.h"

namespace mv {

void TMainForm::Check(Radio r) {
    MainWindowModel& w = state_.window;
    if (CheckRadio(
            r, RadioCount, [&](Radio b) -> RadioButton& { return w.radio(b); }, ParentOf)) {
        (this->*MainFormClicks().RadioHandler(r))();
    }
}

void TMainForm::RBkaisai1Click() {
    SelectVenue(1);
}
void TMainForm::RBkaisai2Click() {
    SelectVenue(2);
}
void TMainForm::RBkaisai3Click() {
    SelectVenue(3);
}
void TMainForm::RBkaisai4Click() {
    SelectVenue(4);
}
void TMainForm::RBkaisai5Click() {
    SelectVenue(5);
}
void TMainForm::RBkaisai6Click() {
    SelectVenue(6);
}

void TMainForm::RBR01Click() {
    SelectRace(1);
}
void TMainForm::RBR02Click() {
    SelectRace(2);
}
void TMainForm::RBR03Click() {
    SelectRace(3);
}
void TMainForm::RBR04Click() {
    SelectRace(4);
}
void TMainForm::RBR05Click() {
    SelectRace(5);
}
void TMainForm::RBR06Click() {
    SelectRace(6);
}
void TMainForm::RBR07Click() {
    SelectRace(7);
}
void TMainForm::RBR08Click() {
    SelectRace(8);
}
void TMainForm::RBR09Click() {
    SelectRace(9);
}
void TMainForm::RBR10Click() {
    SelectRace(10);
}
void TMainForm::RBR11Click() {
    SelectRace(11);
}
void TMainForm::RBR12Click() {
    SelectRace(12);
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
    // The race change that checking the race's button may run reads the same files.
    const ReadOnceScope race;
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
    // The header and every stage of the load read each data file once.
    const ReadOnceScope files;
    ShowRaceHeader(state_);
    LoadRaceData();
}

void TMainForm::LoadRaceData() {
    mv::LoadRaceData(state_);
    moves_.Shown(state_.selection.CurSlot, state_.selection.CurRace, state_.window.DEGrid,
                 timeOfDay_());
    moves_.Paint(state_.window);
}

TMainForm::QuietReload TMainForm::ReloadQuietly() {
    if (state_.selection.CurSlot == 0) {
        return QuietReload::Unchanged;
    }
    MainFormState saved = state_;
    OddsMoves savedMoves = moves_;
    try {
        // Every stage runs on the bytes read and written in memory; the caches reach the disk
        // only once all of them succeeded.
        const ReadOnceScope files;
        HeldWrites writes;
        ClearPanels();
        ShowVenue();
        writes.Commit();
        // A late notice of a write already shown (Windows tells of some writes at their close)
        // brings the same race again.
        return state_.window == saved.window ? QuietReload::Unchanged : QuietReload::Shown;
    } catch (const Failure& failure) {
        state_ = std::move(saved);
        moves_ = std::move(savedMoves);
        // A file still being written cannot be opened; its writer may bring no further notice.
        return failure.kind() == Failure::Kind::CannotOpen ? QuietReload::WriterAtWork
                                                           : QuietReload::Unchanged;
    } catch (const std::exception&) {
        state_ = std::move(saved);
        moves_ = std::move(savedMoves);
        return QuietReload::Unchanged;
    }
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
