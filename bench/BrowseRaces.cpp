// browse-races INSTALL
//
// The viewer as the user drives it through a whole meeting day: the main window on the
// settings file INSTALL/Q-MvRV98.ini with its caches in INSTALL/cache/, every venue chosen and
// every race of it clicked, each followed by its repaint. The memory benchmark reads its peak.

#include "common/Tables.h"
#include "gui/MainWindow.h"
#include "gui/QtUiServices.h"
#include "gui/SettingsDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <cstdio>
#include <string>

namespace {

QAbstractButton* Button(QWidget& window, mv::Radio radio) {
    return window.findChild<QAbstractButton*>(QLatin1String(mv::NameOf(radio)));
}

// The same path as a mouse click on the button, then its repaint.
void Click(QAbstractButton& button) {
    button.click();
    QApplication::processEvents();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: browse-races INSTALL\n");
        return 2;
    }
    QApplication app(argc, argv);
    const std::string install = std::string(argv[1]) + "/";
    const std::string settingsPath = install + "Q-MvRV98.ini";
    mv::gui::QtUiServices ui;
    mv::TMainForm form(ui, settingsPath, install + "cache/");
    mv::gui::MainWindow window(ui, form);
    ui.setSettingsDialog([&] { mv::gui::RunSettingsDialog(&window, ui, settingsPath); });
    window.show();
    QApplication::processEvents();
    int shown = 0;
    for (int slot = 1; slot <= mv::VenueSlots; ++slot) {
        if (!form.window().radio(mv::VenueButton(slot)).visible) {
            continue;
        }
        Click(*Button(window, mv::VenueButton(slot)));
        for (int race = 1; race <= mv::Races; ++race) {
            if (form.window().radio(mv::RaceButton(race)).visible) {
                Click(*Button(window, mv::RaceButton(race)));
                shown += form.state().selection.CurRace == race ? 1 : 0;
            }
        }
    }
    std::printf("%d races shown\n", shown);
    return shown > 0 ? 0 : 1;
}
