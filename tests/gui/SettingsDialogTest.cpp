// The settings dialog's window driven through its widgets on the offscreen platform.

#include "gui/SettingsDialog.h"

#include "gui/QtUiServices.h"
#include "platform/Codec.h"
#include "platform/IniFile.h"
#include "support/TempFolder.h"
#include "tools/SampleWriters.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

namespace mv {
namespace {

// "閉じる" clicked, or Escape, which presses it.
class SettingsDialogClose : public testing::TestWithParam<bool> {};

TEST_P(SettingsDialogClose, ClickedSignIsStoredWithoutMessageOrEnd) {
    const bool byEscape = GetParam();
    test::TempFolder temp;
    std::filesystem::create_directory(temp.osPath() / "PAT");
    const std::string pat = temp.path() + "PAT/";
    sample::WriteDataFile(pat, sample::MeetingIndexName(1),
                          sample::Line1(sample::MeetingIndexFile{"05", "2", "06", "01"}));
    const auto ini = temp.File("Q-MvRV98.ini");
    WriteProfileString(ini, "Dir", "PatDir", pat);
    WriteProfileString(ini, "Options", "US", "1");

    QWidget owner;
    owner.show();
    gui::QtUiServices ui(&owner);

    // Any message box that opens is recorded and dismissed, so a fault cannot hang the test.
    QStringList boxes;
    QTimer dismisser;
    QObject::connect(&dismisser, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxes << box->text();
            box->accept();
        }
    });
    dismisser.start(20);

    bool signSwitched = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->objectName(), QStringLiteral("SubForm"));
        EXPECT_EQ(dialog->parentWidget(), &owner);
        auto* minus = dialog->findChild<QRadioButton*>(QStringLiteral("RadioButton2"));
        auto* triangle = dialog->findChild<QRadioButton*>(QStringLiteral("RadioButton1"));
        auto* close = dialog->findChild<QPushButton*>(QStringLiteral("Button2"));
        if (minus == nullptr || triangle == nullptr || close == nullptr) {
            ADD_FAILURE() << "a widget is missing";
            dialog->done(QDialog::Rejected);
            return;
        }
        minus->click();
        signSwitched = minus->isChecked() && !triangle->isChecked();
        if (byEscape) {
            QTest::keyClick(minus, Qt::Key_Escape);
        } else {
            close->click();
        }
    });
    gui::RunSettingsDialog(&owner, ui, ini);

    EXPECT_TRUE(signSwitched);
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(QStringLiteral(" / ")).toStdString();
    EXPECT_FALSE(ui.endRequested());
    EXPECT_EQ(ReadProfileString(ini, "Options", "PN", ""), Sjis("－"));
    EXPECT_EQ(ReadProfileString(ini, "Dir", "PatDir", ""), pat);
}

INSTANTIATE_TEST_SUITE_P(SettingsDialog, SettingsDialogClose, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& param) {
                             return std::string(param.param ? "ByEscape" : "ByCloseButton");
                         });

} // namespace
} // namespace mv
