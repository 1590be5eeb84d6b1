// Program entry: the main window on the form's logic, with the settings file and the caches
// next to the executable.

#include "app/MainForm.h"
#include "app/ProgramFiles.h"
#include "gui/MainWindow.h"
#include "gui/QtUiServices.h"
#include "gui/SettingsDialog.h"
#include "gui/SingleViewer.h"
#include "platform/Dispatch.h"
#include "platform/InstanceLock.h"
#include "platform/TextFile.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    mv::gui::QtUiServices ui;
    mv::ProgramFiles files;
    if (!mv::Dispatch(ui, [&] { files = mv::ProgramFilesNextToExecutable(); })) {
        return 1;
    }
    // One viewer per program folder: a second start brings the first to the front.
    const mv::InstanceLock lock(files.cacheFolder);
    const QString instance = QString::fromStdString(mv::InstanceName(files.cacheFolder));
    if (lock.heldElsewhere()) {
        mv::gui::AskRunningViewerToComeForward(instance);
        return 0;
    }
    mv::RemoveLeftoverTemporaries(files.settingsPath);

    mv::TMainForm form(ui, files.settingsPath, files.cacheFolder);
    mv::gui::MainWindow window(ui, form);
    ui.setSettingsDialog([&] { mv::gui::RunSettingsDialog(&window, ui, files.settingsPath); });
    const mv::gui::ForwardRequests forward(instance, [&] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    });
    window.show();
    // The window is activated as the program starts, also where no window manager hands the
    // focus to a new window; the set-up check runs on that first activation.
    window.activateWindow();
    return app.exec();
}
