#pragma once

// The settings dialog's window: shows a TSubForm's model and forwards the user's events to it.
// The form decides everything, closing included: the window closes only once the form has run
// its closing handler to the end, whether through "閉じる", the close box or the system close.

#include "settings/SubForm.h"
#include "settings/SubFormBindings.h"

#include <QDialog>
#include <array>
#include <functional>
#include <string>
#include <vector>

class QLineEdit;
class QRadioButton;

namespace mv::gui {

class QtUiServices;

class SettingsDialogWindow : public QDialog {
public:
    // The form has been created; the window shows its model at once.
    SettingsDialogWindow(QWidget* owner, QtUiServices& ui, TSubForm& form);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Escape presses "閉じる", as if clicked.
    void reject() override;

private:
    void Bind(const std::vector<QWidget*>& widgets);
    // Over the owner, or over the screen when there is none.
    void CentreOver(const QWidget* owner);
    // Runs a handler through the dispatcher, shows the model as it left it and closes the
    // window once the form is closed.
    void Run(const std::function<void()>& handler);
    void Render();
    // Hands the typed folder to the form; fails when code page 932 cannot hold it.
    void TakeTypedFolder();
    // A button's handler, which reads Edit1: the typed folder first.
    void RunTyped(SubFormHandler handler);

    QtUiServices& ui_;
    TSubForm& form_;
    QLineEdit* edit1_ = nullptr;
    std::array<QRadioButton*, SubRadioCount> radios_{};
    std::string shownFolder_; // the folder text last exchanged between Edit1 and the form
    bool shown_ = false;
};

} // namespace mv::gui
