#pragma once

// The user-interface services in Qt: message boxes, the folder chooser, the yes/no question,
// the settings dialog and the end of the application.

#include "platform/UiServices.h"

#include <QWidget>
#include <functional>

namespace mv::gui {

class QtUiServices : public UiServices {
public:
    // parent: the window that owns modal boxes (may change as dialogs open and close).
    explicit QtUiServices(QWidget* parent = nullptr) : parent_(parent) {}

    void setParent(QWidget* parent) { parent_ = parent; }
    void setSettingsDialog(std::function<void()> open) { openSettings_ = std::move(open); }

    void ShowMessage(const std::string& text) override;
    void ShowError(const std::string& text) override;
    std::optional<std::string> SelectFolder(const std::string& initialFolder) override;
    bool AskYesNo(const std::string& question) override;
    void OpenSettingsDialog() override;
    void RequestEnd() override { endRequested_ = true; }

    // The end is carried out by the top-level event handler once the event is done, so that
    // no nested event loop (a dialog, a message box) is cut short.
    bool endRequested() const { return endRequested_; }

private:
    QWidget* parent_;
    std::function<void()> openSettings_;
    bool endRequested_ = false;
};

} // namespace mv::gui
