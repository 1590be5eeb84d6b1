// Follow mode in the Qt view, with its real event loop: the window follows the betting
// software's writes, keeps the user's scroll positions, paints the marks of what moved, and
// its context menu switches the mode.

#include "app/ContextMenu.h"
#include "common/MainFormDesign.h"
#include "gui/MainWindow.h"
#include "gui/QtText.h"
#include "platform/Codec.h"
#include "platform/IniFile.h"
#include "settings/SettingsFile.h"
#include "support/TempFolder.h"
#include "tools/SampleFetch.h"

#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace mv {
namespace {

using namespace std::chrono_literals;

class FollowWindow : public testing::Test {
protected:
    FollowWindow() {
        std::filesystem::create_directory(temp_.osPath() / "PAT");
        std::filesystem::create_directory(temp_.osPath() / "cache");
        sample::WriteSampleFolder(pat());
        SaveSettings(ini(), pat(), LoadSettings(ini()));
        SaveAutoUpdate(ini(), true);
        form_ = std::make_unique<TMainForm>(ui_, ini(), temp_.osPath() / "cache");
        form_->SetTimeOfDay([] { return std::string("15:40:05"); });
        window_ = std::make_unique<gui::MainWindow>(ui_, *form_);
        window_->show();
        QApplication::processEvents();
    }
    std::string pat() const { return temp_.path() + "PAT/"; }
    std::filesystem::path ini() const { return temp_.File("Q-MvRV98.ini"); }

    template <typename Widget>
    Widget& Find(const char* name) {
        return *window_->findChild<Widget*>(QLatin1String(name));
    }
    void Click(const char* name) {
        QWidget& widget = Find<QWidget>(name);
        QTest::mouseClick(&widget, Qt::LeftButton, {}, QPoint(6, widget.height() / 2));
    }

    const std::vector<sample::SampleMeeting> meetings_ = sample::SampleMeetings();
    test::TempFolder temp_;
    gui::QtUiServices ui_;
    std::unique_ptr<TMainForm> form_;
    std::unique_ptr<gui::MainWindow> window_;
};

TEST_F(FollowWindow, FollowsAWriteKeepingTheScrollAndPaintsWhatMoved) {
    const QString designed = gui::FromSjis(Sjis(MainFormDesign().caption));
    EXPECT_EQ(window_->windowTitle(), designed + gui::FromSjis(Sjis(" [自動更新]")));
    Click("RBkaisai1");
    Click("RBR03");
    auto& quinella = Find<QPlainTextEdit>("MemoOdds2");
    quinella.verticalScrollBar()->setValue(40);
    // The grid as the user left it: a column widened, scrolled to the right.
    auto& grid = Find<QTableWidget>("DEGrid");
    grid.horizontalHeader()->resizeSection(4, 300);
    grid.horizontalScrollBar()->setValue(grid.horizontalScrollBar()->maximum());
    const int gridScroll = grid.horizontalScrollBar()->value();
    ASSERT_GT(gridScroll, 0);
    const MainWindowModel before = form_->window();

    form_->SetTimeOfDay([] { return std::string("15:42:05"); });
    sample::WriteFetch(pat(), meetings_[0], 3, 1, sample::WriteWay::ThroughRename, 0ms);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form_->follow().shown() == 1; }, 5000));
    QTest::qWait(300);

    const MainWindowModel& after = form_->window();
    EXPECT_NE(after.MemoOdds2, before.MemoOdds2);
    EXPECT_EQ(quinella.toPlainText().split(u'\n').first(), gui::FromSjis(after.MemoOdds2[0]));
    EXPECT_EQ(quinella.verticalScrollBar()->value(), 40) << "the user's scroll position";
    EXPECT_EQ(grid.horizontalHeader()->sectionSize(4), 300) << "the user's column width";
    EXPECT_EQ(grid.horizontalScrollBar()->value(), gridScroll);
    EXPECT_EQ(form_->follow().shown(), 1) << "one reload for the burst";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "no box";

    int marked = 0;
    for (int row = 1; row < GridRows; ++row) {
        for (int column : {2, 3}) {
            const CellMark& mark =
                after.DEGridMarks[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
            const QTableWidgetItem* cell = grid.item(row - 1, column);
            EXPECT_EQ(cell->toolTip(), gui::FromSjis(mark.tip));
            if (mark.move != OddsMove::None) {
                ++marked;
                EXPECT_EQ(cell->foreground().color(),
                          QColor::fromRgb(static_cast<QRgb>(MarkColour(mark.move))));
            } else {
                EXPECT_FALSE(cell->data(Qt::ForegroundRole).isValid());
            }
        }
    }
    EXPECT_GT(marked, 0);
}

TEST_F(FollowWindow, TheContextMenuSwitchesFollowModeOff) {
    Click("RBkaisai1");
    QTimer::singleShot(200, [] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            ASSERT_EQ(menu->actions().size(), 3);
            EXPECT_TRUE(menu->actions()[0]->isChecked());
            EXPECT_EQ(menu->actions()[0]->text(), gui::FromSjis(Sjis("自動更新")));
            menu->actions()[0]->trigger();
            menu->close();
        }
    });
    window_->ShowContextMenu(window_->mapToGlobal(QPoint(400, 300)));

    EXPECT_FALSE(form_->follow().On());
    EXPECT_EQ(window_->windowTitle(), gui::FromSjis(Sjis(MainFormDesign().caption)));
    EXPECT_EQ(ReadProfileString(ini(), "Options", "AutoUpdate", ""), "0");

    // Off, a write changes nothing until the user asks.
    const MainWindowModel shown = form_->window();
    sample::WriteFetch(pat(), meetings_[0], 1, 1, sample::WriteWay::InPlace, 0ms);
    QTest::qWait(500);
    EXPECT_EQ(form_->window(), shown);
    EXPECT_EQ(form_->follow().reloads(), 0);
}

} // namespace
} // namespace mv
