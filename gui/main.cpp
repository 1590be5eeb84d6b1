// Program entry: the main window on the form's logic, with the settings file and the caches
// next to the executable.

#include "app/MainForm.h"
#include "app/ProgramFiles.h"
#include "app/SecondStart.h"
#include "gui/MainWindow.h"
#include "gui/QtUiServices.h"
#include "gui/SettingsDialog.h"
#include "gui/SingleViewer.h"
#include "platform/Dispatch.h"
#include "platform/InstanceLock.h"
#include "platform/TextFile.h"
#include "platform/posix/ForwardChannel.h"

#include <QApplication>

namespace {

// The viewer as the folder's only one, until its window is closed.
int RunViewer(QApplication& app, mv::gui::QtUiServices& ui, const mv::ProgramFiles& files,
              const std::string& instance) {
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

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    mv::gui::QtUiServices ui;
    mv::ProgramFiles files;
    if (!mv::Dispatch(ui, [&] { files = mv::ProgramFilesNextToExecutable(); })) {
        return 1;
    }
    // One viewer per program folder: a second start brings the first to the front.
    mv::InstanceLock lock(files.cacheFolder);
    const std::string instance = mv::InstanceName(files.cacheFolder);
    if (lock.heldElsewhere()) {
        const mv::SecondStart outcome = mv::WaitForTheRunningViewer(
            ui, {[&] { return lock.Take(); }, [&] { return mv::AskToComeForward(instance); }});
        if (outcome != mv::SecondStart::Run) {
            return mv::ExitCodeOf(outcome);
        }
    }
    const int code = RunViewer(app, ui, files, instance);
    // Nothing is written once the window has gone, and its socket is closed: a start waiting
    // for its turn need not wait for this process to end.
    lock.Release();
    return code;
}
