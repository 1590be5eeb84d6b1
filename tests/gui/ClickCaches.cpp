// qt-click-caches OUT
//
// The Qt view on a fresh sample folder (OUT/PAT) with its caches in OUT/program, clicked at the
// designed places of the click script in order, as a mouse would: after each click the eight
// caches are copied to OUT/step-NN. The Windows view's counterpart writes the same tree, and
// the two must match byte for byte.

#include "gui/MainWindow.h"
#include "gui/QtUiServices.h"
#include "platform/FileQuery.h"
#include "settings/SettingsFile.h"
#include "support/CacheFiles.h"
#include "support/ClickScript.h"
#include "tools/SampleFolder.h"

#include <QApplication>
#include <QTest>
#include <cstdio>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qt-click-caches OUT\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const std::filesystem::path out = std::filesystem::absolute(argv[1]);
    std::filesystem::create_directories(out / "PAT");
    std::filesystem::create_directories(out / "program");
    const auto root = mv::FromOsPath(out);
    if (!root) {
        std::fprintf(stderr, "qt-click-caches: cannot use the folder %s\n", argv[1]);
        return 1;
    }
    const std::string pat = *root + "/PAT/";
    const std::string program = *root + "/program/";
    mv::sample::WriteSampleFolder(pat);
    const std::string ini = program + "Q-MvRV98.ini";
    mv::SaveSettings(ini, pat, mv::LoadSettings(ini));

    mv::gui::QtUiServices ui;
    mv::TMainForm form(ui, ini, program);
    mv::gui::MainWindow window(ui, form);
    window.show();
    QApplication::processEvents();
    int step = 0;
    for (const char* name : mv::test::PositionClicks) {
        const mv::test::Point p = mv::test::ClickPoint(name);
        QWidget* target = window.childAt(p.x, p.y);
        if (target == nullptr) {
            std::fprintf(stderr, "qt-click-caches: nothing at the place of %s\n", name);
            return 1;
        }
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&window, QPoint(p.x, p.y)));
        QApplication::processEvents();
        mv::test::CopyCaches(out / "program", out / mv::test::StepFolder(++step));
    }
    return 0;
}
