#pragma once

// The user-interface services in Qt: message boxes, the folder chooser, the yes/no question,
// and, through the shared part, the settings dialog and the end of the application.

#include "platform/ViewUiServices.h"

#include <QWidget>

namespace mv::gui {

class QtUiServices : public ViewUiServices {
public:
    // parent: the window that owns modal boxes (may change as dialogs open and close).
    explicit QtUiServices(QWidget* parent = nullptr) : parent_(parent) {}

    void setParent(QWidget* parent) { parent_ = parent; }

    void ShowMessage(const std::string& text) override;
    void SetClipboardText(const std::string& text) override;
    std::optional<std::filesystem::path> AskSavePath(const SaveRequest& request) override;
    void ShowError(const std::string& text) override;
    std::optional<std::string> SelectFolder(const std::string& initialFolder) override;
    bool AskYesNo(const std::string& question) override;

private:
    QWidget* parent_;
};

} // namespace mv::gui
