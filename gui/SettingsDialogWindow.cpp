#include "gui/SettingsDialogWindow.h"

#include "gui/DesignedWidgets.h"
#include "gui/ModelRadioButton.h"
#include "gui/QtText.h"
#include "gui/QtUiServices.h"
#include "platform/Dispatch.h"
#include "platform/FolderChoice.h"
#include "settings/SubFormBindings.h"
#include "settings/SubFormDesign.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <functional>

namespace mv::gui {

SettingsDialogWindow::SettingsDialogWindow(QWidget* owner, QtUiServices& ui, TSubForm& form)
    : QDialog(owner), ui_(ui), form_(form) {
    const WindowDesign& design = SubFormDesign();
    const std::vector<QWidget*> widgets = BuildWidgets(*this, design);
    setFixedSize(ToQSize(ClientSize(design)));
    setModal(true);
    Bind(widgets);
    Render();
    CentreOver(owner);
}

void SettingsDialogWindow::CentreOver(const QWidget* owner) {
    QRect area;
    if (owner != nullptr) {
        area = owner->frameGeometry();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    move(area.center() - rect().center());
}

// Each widget to the form through the core's bindings. A button first hands the typed folder
// to the form, since its handler reads Edit1.
void SettingsDialogWindow::Bind(const std::vector<QWidget*>& widgets) {
    const WindowDesign& design = SubFormDesign();
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        const std::string_view name = design.widgets[i].name;
        if (name == "Edit1") {
            edit1_ = qobject_cast<QLineEdit*>(widgets[i]);
        }
        if (const auto handler = SubFormClicks().HandlerOf(name)) {
            const SubFormHandler h = *handler;
            connect(qobject_cast<QPushButton*>(widgets[i]), &QPushButton::clicked, this,
                    [this, h] { Run(std::bind(&SettingsDialogWindow::RunTyped, this, h)); });
        }
        if (const auto radio = SubFormClicks().RadioNamed(name)) {
            auto* button = static_cast<ModelRadioButton*>(widgets[i]);
            radios_[static_cast<std::size_t>(*radio)] = button;
            const SubRadio r = *radio;
            connect(button, &QRadioButton::clicked, this,
                    [this, r] { Run(std::bind(&TSubForm::Check, &form_, r)); });
        }
    }
}

void SettingsDialogWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) {
        return;
    }
    shown_ = true;
    // Queued, so that the dialog is on the screen before a prompt or the chooser covers it.
    QMetaObject::invokeMethod(
        this, [this] { Run([this] { form_.FormActivate(); }); }, Qt::QueuedConnection);
}

void SettingsDialogWindow::closeEvent(QCloseEvent* event) {
    if (!form_.closed()) {
        Run([this] {
            TakeTypedFolder();
            form_.Close();
        });
    }
    if (form_.closed()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void SettingsDialogWindow::reject() {
    if (auto* button = findChild<QPushButton*>(
            QLatin1String(EscapeButton.data(), static_cast<qsizetype>(EscapeButton.size())))) {
        button->click();
    }
}

void SettingsDialogWindow::Run(const std::function<void()>& handler) {
    Dispatch(ui_, handler, [this] { Render(); });
    Render();
    if (form_.closed() && isVisible()) {
        done(QDialog::Accepted);
    }
}

void SettingsDialogWindow::Render() {
    const SubFormModel& model = form_.form();
    // Only a folder the form changed replaces the text: a typed text it could not take stays.
    if (model.Edit1 != shownFolder_) {
        edit1_->setText(FromSjis(model.Edit1));
        shownFolder_ = model.Edit1;
    }
    for (int i = 0; i < SubRadioCount; ++i) {
        radios_[static_cast<std::size_t>(i)]->setChecked(
            model.radio(static_cast<SubRadio>(i)).checked);
    }
}

void SettingsDialogWindow::RunTyped(SubFormHandler handler) {
    TakeTypedFolder();
    (form_.*handler)();
}

void SettingsDialogWindow::TakeTypedFolder() {
    // An untouched text keeps the form's bytes, even those that do not display.
    if (edit1_->text() == FromSjis(shownFolder_)) {
        return;
    }
    std::string folder = TypedFolderText(edit1_->text().toStdU16String());
    form_.SetEdit1(folder);
    shownFolder_ = std::move(folder);
}

} // namespace mv::gui
