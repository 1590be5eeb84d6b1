// Program entry: the main window on the form's logic, with the settings file and the caches
// next to the executable.

#include "app/MainForm.h"
#include "app/ProgramFiles.h"
#include "gui/MainWindow.h"
#include "gui/QtUiServices.h"
#include "gui/SettingsDialog.h"
#include "platform/Dispatch.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    mv::gui::QtUiServices ui;
    // The settings and caches live next to the executable; a folder whose name code page 932
    // cannot hold is reported instead of ending the program unexplained.
    mv::ProgramFiles files;
    if (!mv::Dispatch(ui, [&] { files = mv::ProgramFilesNextToExecutable(); })) {
        return 1;
    }
    mv::TMainForm form(ui, files.settingsPath, files.cacheFolder);
    mv::gui::MainWindow window(ui, form);
    ui.setSettingsDialog([&] { mv::gui::RunSettingsDialog(&window, ui, files.settingsPath); });
    window.show();
    // The window is activated as the program starts, also where no window manager hands the
    // focus to a new window; the set-up check runs on that first activation.
    window.activateWindow();
    return app.exec();
}
