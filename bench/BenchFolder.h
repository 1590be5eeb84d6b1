#pragma once

// The folders the benchmarks run on: the betting software's folder as the sample generator
// writes it, optionally padded with files of earlier meetings, stored in upper case, or left
// with a time stamp of just now; and a viewer state on it, as the main window holds it.

#include "app/MainForm.h"
#include "support/TempFolder.h"

#include <memory>
#include <string>

namespace mv::bench {

// How the betting software's folder looks.
struct FolderShape {
    bool onlyFirstMeeting = true; // the 60 files of one meeting, else the whole sample
    int unrelatedFiles = 0;       // files of earlier meetings added beside them
    bool upperCase = false;       // every name stored in upper case
};

// A user interface that is never asked anything in a benchmark: nothing is shown and the
// settings dialog is never opened, since the settings name a usable folder.
class SilentUi : public UiServices {
public:
    void ShowMessage(const std::string&) override {}
    void SetClipboardText(const std::string&) override {}
    std::optional<std::filesystem::path> AskSavePath(const SaveRequest&) override { return {}; }
    void ShowError(const std::string&) override {}
    std::optional<std::string> SelectFolder(const std::string&) override { return {}; }
    bool AskYesNo(const std::string&) override { return false; }
    void OpenSettingsDialog() override {}
    void RequestEnd() override {}
};

// A temporary install: "PAT/" (the betting software's folder), "cache/" (the viewer's folder)
// and the settings file pointing at PAT/.
class BenchInstall {
public:
    explicit BenchInstall(const FolderShape& shape);

    std::string PatFolder() const { return temp_.path() + "PAT/"; }
    std::string PatOsFolder() const { return (temp_.osPath() / "PAT").string(); }
    std::string CacheFolder() const { return temp_.path() + "cache/"; }
    std::filesystem::path SettingsPath() const { return temp_.File("Q-MvRV98.ini"); }
    // The install's own folder, where the settings file lies.
    const std::filesystem::path& OsFolder() const { return temp_.osPath(); }

    // Sets the folder's time stamp an hour back, as a folder last written by an earlier
    // meeting, or to now, as a folder the betting software has just written.
    void SetPatFolderAge(bool settled) const;
    // Writes a file into the folder, or removes the one written before, as the betting
    // software does when it publishes a file; the folder's time stamp moves to now.
    void ChangePatFolder() const;

    // A form created on this install (creation handler run), with venue slot 1 chosen but not
    // yet probed or shown.
    std::unique_ptr<TMainForm> MakeForm(UiServices& ui) const;

private:
    test::TempFolder temp_;
};

// The sixty existence tests of a race probe for the form's current venue, as the venue choice
// makes them; returns how many files exist so the work cannot be optimised away.
int ProbeRaceFiles(const TMainForm& form);

} // namespace mv::bench
