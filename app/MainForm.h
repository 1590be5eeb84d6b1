#pragma once

// The main window's logic, TMainForm: start-up and meeting discovery (StartUp.cpp), venue and
// race navigation, refresh, settings and exit (Navigation.cpp), the order of each table
// (TableOrder.cpp) and the race load (RaceLoad.cpp). Handlers may fail with mv::Failure; the
// view's dispatcher shows the failure, and the model keeps what the handler had filled.

#include "app/Follow.h"
#include "app/OddsMoves.h"
#include "common/MainFormState.h"
#include "platform/UiServices.h"

#include <filesystem>
#include <functional>
#include <string>

namespace mv {

struct FocusedControl;

class TMainForm {
public:
    // settingsPath: the settings file; cacheFolder: where the caches go. The viewer passes the
    // files next to its executable.
    TMainForm(UiServices& ui, std::filesystem::path settingsPath,
              std::filesystem::path cacheFolder);

    // Start-up.
    void FormCreate(); // header row, settings, ClearPanels, meeting discovery
    void ClearPanels();

    // The window became active; the set-up check runs the first time only.
    void FormActivate();

    // A radio button checked by the user or the program: unchecks its siblings and runs its
    // click handler, but only when it was not checked before.
    void Check(Radio r);

    // The click handlers of the radio buttons.
    void RBkaisai1Click();
    void RBkaisai2Click();
    void RBkaisai3Click();
    void RBkaisai4Click();
    void RBkaisai5Click();
    void RBkaisai6Click();
    void RBR01Click();
    void RBR02Click();
    void RBR03Click();
    void RBR04Click();
    void RBR05Click();
    void RBR06Click();
    void RBR07Click();
    void RBR08Click();
    void RBR09Click();
    void RBR10Click();
    void RBR11Click();
    void RBR12Click();
    void RBSortTClick();
    void RBNorTClick();
    void RBSort1Click();
    void RBNor1Click();
    void RBSort2Click();
    void RBNor2Click();
    void RBSort3Click();
    void RBNor3Click();

    void UpDateClick();                       // Refresh
    void ButtonSettingClick();                // Settings
    void ButtonENDClick();                    // Exit
    void ShowKeys();                          // F1: the keys of the main window
    void Copy(const FocusedControl& focused); // Ctrl+C, "コピー"
    void SaveCsv();                           // Ctrl+S, "CSVで保存..."

    // The operations of navigation.
    void SelectVenue(int slot);
    void ShowVenue();
    void SelectRace(int race);
    void ApplyButtonStates();
    void LoadRaceData();

    // Follow mode's reload: what a click on the race on display would show now, with the
    // settings and the tables' orders as they are. It shows the whole new race or changes
    // nothing, neither the window nor a cache, and shows no failure. Unchanged also when the
    // files read gave the window it already shows.
    enum class QuietReload { Shown, Unchanged, WriterAtWork };
    QuietReload ReloadQuietly();

    // Follow mode, as the view binds it (see Follow).
    void AutoUpdateClick() { follow_.Toggle(*this); } // the context menu's item
    void FollowSync() { follow_.Sync(*this); }
    void FollowNoticed() { follow_.Noticed(*this); }
    void FollowTimerFired() { follow_.TimerFired(*this); }
    Follow& follow() { return follow_; }
    const Follow& follow() const { return follow_; }

    // When the odds shown were read, as the marks of movement tell it; tests set their own.
    void SetTimeOfDay(std::function<std::string()> timeOfDay) { timeOfDay_ = std::move(timeOfDay); }

    const MainWindowModel& window() const { return state_.window; }
    const MainFormState& state() const { return state_; }
    MainFormState& state() { return state_; }

private:
    void DiscoverMeetings();

    UiServices& ui_;
    MainFormState state_;
    bool activated_ = false;
    OddsMoves moves_;
    std::function<std::string()> timeOfDay_;
    Follow follow_;
};

} // namespace mv
