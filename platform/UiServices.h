#pragma once

// What the core asks of the user interface. The Qt view implements it; tests use a scripted
// fake. Every text is code page 932.

#include <filesystem>
#include <optional>
#include <string>

namespace mv {

class UiServices {
public:
    virtual ~UiServices() = default;

    // A message of the viewer's own: application title, no icon, one OK button, centred on the
    // screen. Returns when it is dismissed.
    virtual void ShowMessage(const std::string& text) = 0;

    // A failure: application title, error icon, one OK button. The text is shown as given
    // (MessageBoxText has been applied).
    virtual void ShowError(const std::string& text) = 0;

    // The modal folder chooser, starting at initialFolder when it names an existing folder.
    // A folder that does not exist is offered for creation (with its parents) after a yes/no
    // question. Returns the chosen folder's full path, or nothing when cancelled. May fail.
    virtual std::optional<std::string> SelectFolder(const std::string& initialFolder) = 0;

    // Puts a text on the system's clipboard, as Unicode text that other programs paste.
    virtual void SetClipboardText(const std::string& text) = 0;

    // What a save dialog shows: its title (code page 932), the path it proposes (its folder and
    // its name), and the one kind of file it saves, by its extension ("csv"), which a name
    // typed without one gets.
    struct SaveRequest {
        std::string title;
        std::filesystem::path proposed;
        std::string extension;
    };
    // The system's save dialog; it asks before an existing file is replaced. Returns the path
    // chosen, or nothing when cancelled.
    virtual std::optional<std::filesystem::path> AskSavePath(const SaveRequest& request) = 0;

    // A question with the answers Yes (true) and No (false).
    virtual bool AskYesNo(const std::string& question) = 0;

    // Shows the settings dialog modally and returns when it has closed.
    virtual void OpenSettingsDialog() = 0;

    // Asks the application to end once control is back in the event loop; the current
    // handler and its callers run to their end.
    virtual void RequestEnd() = 0;
};

} // namespace mv
