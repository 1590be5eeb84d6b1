// The main window on the sample folder, driven by clicks on its widgets: what it shows must
// be the form's model after every event, and its widgets sit where the window puts them.

#include "gui/MainWindow.h"

#include "app/Copy.h"
#include "app/Csv.h"
#include "app/FocusOrder.h"
#include "app/GridCursor.h"
#include "app/Keys.h"
#include "gui/QtText.h"
#include "platform/Codec.h"
#include "platform/FileQuery.h"
#include "settings/SettingsFile.h"
#include "support/ParamName.h"
#include "support/TempFolder.h"
#include "tools/SampleFolder.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTextCursor>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string_view>

namespace mv {
namespace {

QString Text(const char* utf8) {
    return gui::FromSjis(Sjis(utf8));
}

class MainWindowTest : public testing::Test {
protected:
    MainWindowTest() {
        std::filesystem::create_directory(temp_.osPath() / "PAT");
        std::filesystem::create_directory(temp_.osPath() / "cache");
        sample::WriteSampleFolder(temp_.path() + "PAT/");
        const auto ini = temp_.File("Q-MvRV98.ini");
        SaveSettings(ini, temp_.path() + "PAT/", LoadSettings(ini));
        form_ = std::make_unique<TMainForm>(ui_, ini, temp_.osPath() / "cache");
        window_ = std::make_unique<gui::MainWindow>(ui_, *form_);
        window_->show();
        QApplication::processEvents();
    }

    template <typename Widget>
    Widget& Find(const char* name) {
        auto* widget = window_->findChild<Widget*>(QLatin1String(name));
        if (widget == nullptr) {
            throw std::runtime_error(std::string("no widget ") + name);
        }
        return *widget;
    }

    void Click(const char* name) {
        QWidget& widget = Find<QWidget>(name);
        // On the radio indicator or the button face, away from any caption's end.
        QTest::mouseClick(&widget, Qt::LeftButton, {}, QPoint(6, widget.height() / 2));
    }

    // Every widget that shows a model field shows exactly that field.
    void ExpectShowsModel() {
        const MainWindowModel& m = form_->window();
        EXPECT_EQ(Find<QLineEdit>("EditYMDR").text(), gui::FromSjis(m.EditYMDR));
        EXPECT_EQ(Find<QLineEdit>("EditTokubetu").text(), gui::FromSjis(m.EditTokubetu));
        EXPECT_EQ(Find<QLineEdit>("EditTousuu").text(), gui::FromSjis(m.EditTousuu));
        auto& grid = Find<QTableWidget>("DEGrid");
        for (int c = 0; c < GridColumns; ++c) {
            const auto column = static_cast<std::size_t>(c);
            EXPECT_EQ(grid.horizontalHeaderItem(c)->text(), gui::FromSjis(m.DEGrid[0][column]));
            for (int row = 1; row < GridRows; ++row) {
                EXPECT_EQ(grid.item(row - 1, c)->text(),
                          gui::FromSjis(m.DEGrid[static_cast<std::size_t>(row)][column]))
                    << "row " << row << " column " << c;
            }
        }
        EXPECT_EQ(Find<QGroupBox>("GBOdds2").title(), gui::FromSjis(m.GBOdds2));
        const QStringList results = Find<QPlainTextEdit>("MemoSeiseki").toPlainText().split(u'\n');
        ASSERT_EQ(static_cast<std::size_t>(results.size()),
                  std::max<std::size_t>(m.MemoSeiseki.size(), 1));
        for (std::size_t i = 0; i < m.MemoSeiseki.size(); ++i) {
            EXPECT_EQ(results[static_cast<qsizetype>(i)], gui::FromSjis(m.MemoSeiseki[i]));
        }
        for (int i = 0; i < RadioCount; ++i) {
            const Radio r = static_cast<Radio>(i);
            const auto& button = Find<QRadioButton>(NameOf(r));
            EXPECT_EQ(button.isChecked(), m.radio(r).checked) << NameOf(r);
            EXPECT_EQ(button.isVisibleTo(button.parentWidget()), m.radio(r).visible) << NameOf(r);
        }
    }

    test::TempFolder temp_;
    gui::QtUiServices ui_;
    std::unique_ptr<TMainForm> form_;
    std::unique_ptr<gui::MainWindow> window_;
};

TEST_F(MainWindowTest, StartsWithTheMeetingsCaptionedAndNoRaceGroup) {
    EXPECT_EQ(window_->windowTitle(), Text("Q-MvRCV98 Viewer    version 3.62"));
    EXPECT_EQ(Find<QRadioButton>("RBkaisai1").text(), Text("東京"));
    EXPECT_EQ(Find<QRadioButton>("RBkaisai2").text(), Text("京都"));
    EXPECT_EQ(Find<QRadioButton>("RBkaisai4").text(), Text("中山前日"));
    for (const char* empty : {"RBkaisai3", "RBkaisai5", "RBkaisai6"}) {
        EXPECT_FALSE(Find<QRadioButton>(empty).isVisible()) << empty;
    }
    EXPECT_FALSE(Find<QRadioButton>("RBkaisai1").isChecked());
    EXPECT_FALSE(Find<QGroupBox>("GBR").isVisible());
    EXPECT_EQ(Find<QLineEdit>("EditYMDR").text(), Text("Q-Mv series 「Q-MvＲＣＶ98 Viewer」"));
    const auto& grid = Find<QTableWidget>("DEGrid");
    EXPECT_EQ(grid.horizontalHeaderItem(0)->text(), Text("枠"));
    EXPECT_EQ(grid.horizontalHeaderItem(10)->text(), Text("記事"));
    ExpectShowsModel();
}

TEST_F(MainWindowTest, VenueClickShowsItsFirstRaceWithTheRaceGroup) {
    Click("RBkaisai1");
    EXPECT_TRUE(Find<QRadioButton>("RBkaisai1").isChecked());
    EXPECT_TRUE(Find<QGroupBox>("GBR").isVisible());
    EXPECT_TRUE(Find<QRadioButton>("RBR01").isChecked());
    EXPECT_TRUE(Find<QRadioButton>("RBR12").isVisible());
    EXPECT_TRUE(Find<QRadioButton>("RBSort1").isVisible());
    EXPECT_EQ(form_->state().selection.CurRace, 1);
    ExpectShowsModel();
}

TEST_F(MainWindowTest, RaceClickMovesTheCheckAndShowsThatRace) {
    Click("RBkaisai1");
    Click("RBR03");
    EXPECT_TRUE(Find<QRadioButton>("RBR03").isChecked());
    EXPECT_FALSE(Find<QRadioButton>("RBR01").isChecked());
    EXPECT_TRUE(Find<QRadioButton>("RBkaisai1").isChecked()) << "another group keeps its check";
    EXPECT_EQ(form_->state().selection.CurRace, 3);
    // The race was loaded, not just cleared: a header line and a race card are on show.
    EXPECT_NE(Find<QLineEdit>("EditYMDR").text(), Text("Q-Mv series 「Q-MvＲＣＶ98 Viewer」"));
    EXPECT_FALSE(Find<QTableWidget>("DEGrid").item(0, 4)->text().isEmpty());
    ExpectShowsModel();
}

// Qt would toggle a lone checkable button off; here only the model decides, and clicking a
// checked button changes nothing.
TEST_F(MainWindowTest, ClickOnACheckedButtonLeavesItChecked) {
    Click("RBkaisai1");
    Click("RBR02");
    Click("RBR02");
    Click("RBkaisai1");
    EXPECT_TRUE(Find<QRadioButton>("RBkaisai1").isChecked());
    EXPECT_TRUE(Find<QRadioButton>("RBR02").isChecked());
    EXPECT_EQ(form_->state().selection.CurRace, 2);
    ExpectShowsModel();
}

// Runs inspect on the next message box once it shows, then dismisses it.
void WhenABoxShows(std::function<void(QMessageBox&)> inspect) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, inspect] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            inspect(*box);
            box->done(QMessageBox::Ok);
        }
    });
    timer->start(10);
}

// The failure box stands over the window as the failed handler left it: a race click clears
// the panels before it fails, and the box must not stand over the race shown before.
TEST_F(MainWindowTest, FailureBoxStandsOverTheWindowAsTheHandlerLeftIt) {
    // Activated first, so that no first activation redraws the window while the box shows.
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    QApplication::processEvents(); // the set-up check of the first activation
    Click("RBkaisai1");
    ASSERT_FALSE(Find<QLineEdit>("EditTokubetu").text().isEmpty());
    const auto keys = sample::SampleMeetings().front().keys;
    for (const sample::Kind kind : {sample::Kind::De, sample::Kind::Ut, sample::Kind::Zo,
                                    sample::Kind::Uo, sample::Kind::Ks}) {
        std::filesystem::remove(temp_.osPath() / "PAT" / sample::DataFileName(kind, keys, 2));
    }
    QString behindTheBox = Text("not seen");
    QString message;
    WhenABoxShows([&](QMessageBox& box) {
        behindTheBox = Find<QLineEdit>("EditTokubetu").text();
        message = box.text();
    });

    Click("RBR02");

    EXPECT_TRUE(message.endsWith(Text(" は開けません."))) << message.toStdString();
    EXPECT_EQ(behindTheBox, QString()) << behindTheBox.toStdString();
    ExpectShowsModel();
}

// A file or folder name may hold what looks like markup; a box shows it as it is.
TEST_F(MainWindowTest, BoxesShowTheirTextAsItIs) {
    const std::string text = "<b>/pat/</b> &lt; <i>";
    Qt::TextFormat format = Qt::RichText;
    QString shown;
    WhenABoxShows([&](QMessageBox& box) {
        format = box.textFormat();
        shown = box.text();
    });
    ui_.ShowError(text);
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(shown, QString::fromLatin1(text));
}

TEST_F(MainWindowTest, EndButtonClosesTheWindow) {
    Click("ButtonEND");
    EXPECT_TRUE(ui_.endRequested());
    EXPECT_FALSE(window_->isVisible());
}

TEST_F(MainWindowTest, DockedWidgetsFollowTheWindowSize) {
    window_->resize(900, 700);
    QApplication::processEvents();
    EXPECT_EQ(Find<QWidget>("PanelODDS").geometry(), QRect(0, 511, 900, 189));
    EXPECT_EQ(Find<QWidget>("PanelDE").geometry(), QRect(0, 0, 665, 511));
    EXPECT_EQ(Find<QWidget>("DEGrid").geometry(), QRect(1, 181, 663, 329));
    EXPECT_EQ(Find<QWidget>("MemoSeiseki").geometry(), QRect(708, 1, 191, 187));
    EXPECT_EQ(Find<QWidget>("PanelPAD").geometry(), QRect(665, 0, 127, 385)) << "not docked";
}

struct Designed {
    const char* name;
    QRect geometry;
    const char* family;
    int pixelSize;
};

// Names the row in test listings.
void PrintTo(const Designed& row, std::ostream* os) {
    *os << row.name;
}

class DesignedWidget : public MainWindowTest, public testing::WithParamInterface<Designed> {};

TEST_P(DesignedWidget, SitsAtItsPlaceInItsFont) {
    const QWidget& widget = Find<QWidget>(GetParam().name);
    EXPECT_EQ(widget.geometry(), GetParam().geometry);
    // The designed face where it is installed; here the installed Gothic of the same pitch.
    const QFontInfo font(widget.font());
    EXPECT_EQ(font.family(), QLatin1String(GetParam().family));
    // Fixed pitch means one column per byte: a narrow and a wide letter take the same width.
    const QFontMetrics metrics(widget.font());
    EXPECT_EQ(metrics.horizontalAdvance(u'i') == metrics.horizontalAdvance(u'W'),
              GetParam().family == std::string_view("IPAGothic"));
    EXPECT_EQ(font.pixelSize(), GetParam().pixelSize);
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, DesignedWidget,
    testing::Values(Designed{"PanelDE", {0, 0, 665, 384}, "IPAPGothic", 12},
                    Designed{"DEGrid", {1, 54, 663, 329}, "IPAGothic", 13},
                    Designed{"EditYMDR", {8, 8, 257, 20}, "IPAGothic", 12},
                    Designed{"EditTokubetu", {272, 8, 249, 24}, "IPAGothic", 16},
                    Designed{"EditCourse", {528, 32, 33, 20}, "IPAPGothic", 12},
                    Designed{"Label2", {608, 32, 26, 13}, "IPAPGothic", 13},
                    Designed{"RBkaisai6", {8, 96, 89, 17}, "IPAPGothic", 15},
                    Designed{"RBR12", {8, 216, 49, 17}, "IPAGothic", 19},
                    Designed{"UpDate", {80, 224, 41, 113}, "IPAPGothic", 12},
                    Designed{"GBOdds3", {352, 4, 241, 181}, "IPAPGothic", 13},
                    Designed{"RBNor3", {88, 16, 49, 17}, "IPAPGothic", 13},
                    Designed{"MemoOdds2", {9, 40, 168, 136}, "IPAGothic", 16},
                    Designed{"PanelODDS", {0, 384, 792, 189}, "IPAPGothic", 12},
                    Designed{"MemoSeiseki", {600, 1, 191, 187}, "IPAGothic", 12}),
    test::ByName());

// The window's keys, pressed with the focus on a memo, the grid or a button: each one runs the
// click it stands for, and the memo, the grid and the button never take them.
TEST_F(MainWindowTest, KeysRunTheirClicksWhateverHasTheFocus) {
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    QApplication::processEvents();
    QTest::keyClick(&Find<QWidget>("UpDate"), Qt::Key_1, Qt::ControlModifier);
    EXPECT_TRUE(Find<QRadioButton>("RBkaisai1").isChecked());
    EXPECT_EQ(form_->state().selection.CurRace, 1);

    auto& memo = Find<QPlainTextEdit>("MemoOdds2");
    memo.setFocus();
    QTest::keyClick(&memo, Qt::Key_PageDown);
    EXPECT_EQ(form_->state().selection.CurRace, 2);
    auto& grid = Find<QTableWidget>("DEGrid");
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_PageDown);
    QTest::keyClick(&grid, Qt::Key_PageDown);
    QTest::keyClick(&grid, Qt::Key_PageUp);
    EXPECT_EQ(form_->state().selection.CurRace, 3);
    EXPECT_TRUE(Find<QRadioButton>("RBR03").isChecked());
    ExpectShowsModel();

    // Escape leaves the window as it is.
    QTest::keyClick(&grid, Qt::Key_Escape);
    EXPECT_TRUE(window_->isVisible());
    EXPECT_FALSE(ui_.endRequested());

    QString shown;
    WhenABoxShows([&](QMessageBox& box) { shown = box.text(); });
    QTest::keyClick(&grid, Qt::Key_F1);
    EXPECT_EQ(shown, gui::FromSjis(KeysHelpText()));
}

// F5 is "更新": the settings are read again.
TEST_F(MainWindowTest, F5RefreshesReadingTheSettingsAgain) {
    Click("RBkaisai1");
    ASSERT_TRUE(Find<QRadioButton>("RBNorT").isChecked());
    const auto ini = temp_.File("Q-MvRV98.ini");
    TSettings settings = LoadSettings(ini);
    settings.Tsort = "True";
    SaveSettings(ini, temp_.path() + "PAT/", settings);
    QTest::keyClick(&Find<QWidget>("DEGrid"), Qt::Key_F5);
    EXPECT_TRUE(Find<QRadioButton>("RBSortT").isChecked());
    ExpectShowsModel();
}

// Ctrl+C puts what the focused control shows on the clipboard as Unicode text: the race card
// from the grid, a memo's selection, or all its lines.
TEST_F(MainWindowTest, CtrlCCopiesTheFocusedControl) {
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    Click("RBkaisai1");
    Click("RBR03");
    const MainWindowModel& m = form_->window();
    QClipboard& clipboard = *QGuiApplication::clipboard();

    auto& grid = Find<QTableWidget>("DEGrid");
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard.text(), gui::FromSjis(RaceCardText(m)));

    auto& memo = Find<QPlainTextEdit>("MemoOdds2");
    memo.setFocus();
    QTest::keyClick(&memo, Qt::Key_C, Qt::ControlModifier);
    QString all;
    for (const std::string_view line : m.MemoOdds2) {
        all += gui::FromSjis(line) + QStringLiteral("\r\n");
    }
    EXPECT_EQ(clipboard.text(), all);

    // The first line and the start of the second, selected.
    QTextCursor cursor = memo.textCursor();
    cursor.movePosition(QTextCursor::Start);
    cursor.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor);
    cursor.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor, 2);
    memo.setTextCursor(cursor);
    QTest::keyClick(&memo, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard.text(), gui::FromSjis(m.MemoOdds2[0]) + QStringLiteral("\r\n") +
                                    gui::FromSjis(m.MemoOdds2[1].substr(0, 2)));
}

// The context menu's "コピー" copies what Ctrl+C copies: here the race card, the grid focused.
TEST_F(MainWindowTest, TheContextMenuCopiesTheFocusedGrid) {
    Click("RBkaisai1");
    auto& grid = Find<QTableWidget>("DEGrid");
    grid.setFocus();
    QGuiApplication::clipboard()->clear();
    bool enabled = false;
    QTimer::singleShot(200, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            if (menu->actions().size() == 3 && menu->actions()[1]->text() == Text("コピー")) {
                enabled = menu->actions()[1]->isEnabled();
                menu->actions()[1]->trigger();
            }
            menu->close();
        }
    });
    window_->ShowContextMenu(grid.mapToGlobal(grid.rect().center()));
    EXPECT_TRUE(enabled);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), gui::FromSjis(RaceCardText(form_->window())));
}

// What the design gives no font of its own (the context menu, tips, boxes) draws in the
// window's proportional Japanese face, not in the toolkit's default face with its Japanese
// taken from a stand-in.
TEST_F(MainWindowTest, TheContextMenuDrawsInTheWindowsFace) {
    QString family;
    QTimer::singleShot(200, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            family = QFontInfo(menu->font()).family();
            menu->close();
        }
    });
    window_->ShowContextMenu(window_->mapToGlobal(window_->rect().center()));
    EXPECT_EQ(family.toStdString(), "IPAPGothic");
}

// Ctrl+S opens Qt's save dialog in the documents folder, proposing the race's name; the file
// chosen holds the race shown as CSV.
TEST_F(MainWindowTest, CtrlSSavesTheRaceShownWhereTheSaveDialogSays) {
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    Click("RBkaisai1");
    Click("RBR03");
    const auto target = temp_.osPath() / "saved.csv";
    QString folder;
    QString title;
    QString proposed;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QFileDialog*>(top);
            if (dialog != nullptr && dialog->isVisible()) {
                poll.stop();
                folder = dialog->directory().absolutePath();
                title = dialog->windowTitle();
                proposed = QFileInfo(dialog->selectedFiles().value(0)).fileName();
                // Typed as a user types it: the full path into the name field.
                if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
                    name->setText(QString::fromStdString(target.string()));
                }
                static_cast<QDialog*>(dialog)->accept();
            }
        }
    });
    poll.start(50);
    QTest::keyClick(&Find<QTableWidget>("DEGrid"), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(folder, QDir(QString::fromStdString(DocumentsFolder().string())).absolutePath());
    EXPECT_EQ(proposed, gui::FromSjis(*CsvFileName(form_->state())));
    EXPECT_EQ(title, Text("CSVで保存"));
    std::ifstream in(target, std::ios::binary);
    const std::string written(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(written, RaceCsv(form_->window()));
}

// A click gives the grid the focus and its current cell; the arrow keys move that cell as the
// core decides, without changing a colour; Qt's accessibility interface names every cell as
// the core does and follows the current cell.
TEST_F(MainWindowTest, TheGridsCurrentCellFollowsTheArrowKeysAndIsReadByItsColumn) {
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    Click("RBkaisai1");
    auto& grid = Find<QTableWidget>("DEGrid");
    const QImage before = grid.grab().toImage();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                      grid.visualRect(grid.model()->index(2, 4)).center());
    EXPECT_TRUE(grid.hasFocus());
    GridCell at{3, 4};
    EXPECT_EQ(GridCell({grid.currentRow() + 1, grid.currentColumn()}), at);
    const std::pair<Qt::Key, GridKey> keys[] = {
        {Qt::Key_Right, GridKey::Right}, {Qt::Key_Down, GridKey::Down},
        {Qt::Key_Up, GridKey::Up},       {Qt::Key_End, GridKey::End},
        {Qt::Key_Right, GridKey::Right}, {Qt::Key_Home, GridKey::Home},
        {Qt::Key_Left, GridKey::Left},   {Qt::Key_Up, GridKey::Up},
        {Qt::Key_Up, GridKey::Up},       {Qt::Key_Up, GridKey::Up}};
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&grid);
    ASSERT_NE(table, nullptr);
    ASSERT_NE(table->tableInterface(), nullptr);
    for (const auto& [qtKey, key] : keys) {
        QTest::keyClick(&grid, qtKey);
        at = MovedCell(at, key);
        EXPECT_EQ(GridCell({grid.currentRow() + 1, grid.currentColumn()}), at);
        QAccessibleInterface* focused = table->focusChild();
        ASSERT_NE(focused, nullptr);
        EXPECT_EQ(focused->text(QAccessible::Name),
                  gui::FromSjis(CellName(form_->window().DEGrid, at)));
    }
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(GridCell({grid.currentRow() + 1, grid.currentColumn()}),
              MovedCell(at, GridKey::CtrlEnd));
    for (int row = 1; row < GridRows; ++row) {
        for (int c = 0; c < GridColumns; ++c) {
            QAccessibleInterface* cell = table->tableInterface()->cellAt(row - 1, c);
            ASSERT_NE(cell, nullptr);
            EXPECT_EQ(cell->text(QAccessible::Name),
                      gui::FromSjis(CellName(form_->window().DEGrid, {row, c})));
        }
    }
    // Without the focus no frame is drawn: scrolled back, the grid looks as it did.
    Find<QWidget>("UpDate").setFocus();
    grid.horizontalScrollBar()->setValue(0);
    grid.verticalScrollBar()->setValue(0);
    QApplication::processEvents();
    EXPECT_EQ(grid.grab().toImage(), before);
}

// Tab and Shift+Tab go round the window's stops in the core's order, whatever has the focus;
// the arrow keys on a race button check the next shown race; Space presses the focused push
// button.
TEST_F(MainWindowTest, TabArrowsAndSpaceWorkTheWindowFromTheKeyboard) {
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    Click("RBkaisai1");
    Click("RBR03");
    const auto focusName = [] {
        return QApplication::focusWidget() != nullptr
                   ? QApplication::focusWidget()->objectName().toStdString()
                   : std::string();
    };
    Find<QWidget>("RBkaisai1").setFocus();
    std::string at = "RBkaisai1";
    for (int i = 0; i < 18; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        at = MoveFocus(form_->window(), at, FocusMove::Next)->control;
        EXPECT_EQ(focusName(), at) << "Tab " << i;
    }
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        at = MoveFocus(form_->window(), at, FocusMove::Previous)->control;
        EXPECT_EQ(focusName(), at) << "Shift+Tab " << i;
    }

    Find<QWidget>("RBR03").setFocus();
    QTest::keyClick(&Find<QWidget>("RBR03"), Qt::Key_Right);
    EXPECT_EQ(focusName(), "RBR04");
    EXPECT_TRUE(Find<QRadioButton>("RBR04").isChecked());
    EXPECT_EQ(form_->state().selection.CurRace, 4);
    QTest::keyClick(&Find<QWidget>("RBR04"), Qt::Key_Up);
    EXPECT_EQ(form_->state().selection.CurRace, 3);
    ExpectShowsModel();

    const auto ini = temp_.File("Q-MvRV98.ini");
    TSettings settings = LoadSettings(ini);
    settings.Tsort = "True";
    SaveSettings(ini, temp_.path() + "PAT/", settings);
    Find<QWidget>("UpDate").setFocus();
    QTest::keyClick(&Find<QWidget>("UpDate"), Qt::Key_Space);
    EXPECT_TRUE(Find<QRadioButton>("RBSortT").isChecked()) << "Space pressed 更新";
}

} // namespace
} // namespace mv
