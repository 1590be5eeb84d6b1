#pragma once

// The main window's logic, TMainForm: start-up, meeting discovery, venue and race navigation,
// refresh, settings and exit. Handlers may fail with mv::Failure; the view's dispatcher shows
// the failure, and the model keeps what the handler had filled.

#include "common/MainFormState.h"
#include "platform/UiServices.h"

#include <string>

namespace mv {

class TMainForm {
public:
    // settingsPath: the settings file; cacheFolder: where the caches go (ending with the
    // separator). The viewer passes the files next to its executable.
    TMainForm(UiServices& ui, std::string settingsPath, std::string cacheFolder);

    // Creation handler: header row, settings, ClearPanels, meeting discovery.
    void FormCreate();
    // The window became active; the set-up check runs the first time only.
    void FormActivate();

    // A radio button checked by the user or the program: unchecks its siblings and runs its
    // click handler, but only when it was not checked before.
    void Check(Radio r);

    void UpDateClick();        // Refresh
    void ButtonSettingClick(); // Settings
    void ButtonENDClick();     // Exit

    // The operations of navigation.
    void ClearPanels();
    void SelectVenue(int slot);
    void ShowVenue();
    void SelectRace(int race);
    void ApplyButtonStates();
    void LoadRaceData();

    const MainWindowModel& window() const { return state_.window; }
    const MainFormState& state() const { return state_; }
    MainFormState& state() { return state_; }

private:
    void Click(Radio r);
    void DiscoverMeetings();

    UiServices& ui_;
    MainFormState state_;
    bool activated_ = false;
};

} // namespace mv
