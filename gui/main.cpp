// Program entry: the main window on the form's logic, with the settings file and the caches
// next to the executable.

#include "app/MainForm.h"
#include "gui/MainWindow.h"
#include "gui/QtUiServices.h"
#include "gui/SettingsDialog.h"
#include "platform/Dispatch.h"
#include "platform/FileQuery.h"
#include "settings/SettingsFile.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    mv::gui::QtUiServices ui;
    // The settings and caches live next to the executable; a folder whose name code page 932
    // cannot hold is reported instead of ending the program unexplained.
    std::string folder;
    std::string settingsPath;
    if (!mv::Dispatch(ui, [&] {
            folder = mv::ExecutableFolder();
            settingsPath = mv::SettingsFilePath();
        })) {
        return 1;
    }
    mv::TMainForm form(ui, settingsPath, folder);
    mv::gui::MainWindow window(ui, form);
    ui.setSettingsDialog([&] { mv::gui::RunSettingsDialog(&window, ui, settingsPath); });
    window.show();
    // The window is activated as the program starts, also where no window manager hands the
    // focus to a new window; the set-up check runs on that first activation.
    window.activateWindow();
    return app.exec();
}
