// The Qt view's folder chooser as a user meets it: where it starts, what it answers, and the
// question before a folder that does not exist is made.

#include "gui/QtText.h"
#include "gui/QtUiServices.h"
#include "platform/Codec.h"
#include "platform/Failure.h"
#include "support/TempFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace mv {
namespace {

// Answers the modal windows as they open, one step for each: the chooser, a question, the
// chooser again after No.
class ModalScript {
public:
    using Step = std::function<void(QWidget&)>;

    explicit ModalScript(std::deque<Step> steps) : steps_(std::move(steps)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start(10);
    }
    bool done() const { return steps_.empty(); }

private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == answered_ || steps_.empty()) {
            answered_ = modal == nullptr ? nullptr : answered_;
            return;
        }
        answered_ = modal;
        const Step step = steps_.front();
        steps_.pop_front();
        step(*modal);
    }

    std::deque<Step> steps_;
    QTimer timer_;
    QWidget* answered_ = nullptr;
};

QLineEdit& Field(QWidget& chooser) {
    return *chooser.findChild<QLineEdit*>();
}

ModalScript::Step Type(const QString& folder) {
    return [folder](QWidget& chooser) {
        Field(chooser).setText(folder);
        static_cast<QDialog&>(chooser).accept();
    };
}

ModalScript::Step Answer(QMessageBox::StandardButton button, QString* question) {
    return [button, question](QWidget& modal) {
        auto& box = static_cast<QMessageBox&>(modal);
        *question = box.text();
        box.button(button)->click();
    };
}

QString Native(const std::filesystem::path& path) {
    return QDir::toNativeSeparators(QString::fromStdString(path.string()));
}

class FolderChooser : public testing::Test {
protected:
    test::TempFolder temp;
    gui::QtUiServices ui;
    QString question;
    const QString expectedQuestion =
        gui::FromSjis(Sjis("指定されたディレクトリが存在しません。作成しますか？"));
};

// It opens at the folder given and answers the folder of its field, without a final separator.
TEST_F(FolderChooser, StartsAtTheFolderGivenAndAnswersItsField) {
    QString shown;
    ModalScript script({[&](QWidget& chooser) {
        shown = Field(chooser).text();
        static_cast<QDialog&>(chooser).accept();
    }});
    EXPECT_EQ(ui.SelectFolder(temp.path()), temp.path().substr(0, temp.path().size() - 1));
    EXPECT_EQ(shown, Native(temp.osPath()));
    EXPECT_TRUE(script.done());
}

TEST_F(FolderChooser, StartsAtTheCurrentFolderWithoutAFolderGiven) {
    for (const std::string& given : {std::string(), std::string(" "), temp.path() + "missing"}) {
        QString shown;
        ModalScript script({[&](QWidget& chooser) {
            shown = Field(chooser).text();
            static_cast<QDialog&>(chooser).reject();
        }});
        EXPECT_EQ(ui.SelectFolder(given), std::nullopt);
        EXPECT_EQ(shown, QDir::toNativeSeparators(QDir::currentPath())) << given;
    }
}

// A folder that does not exist is asked about: No goes back to the chooser and makes nothing,
// Yes makes it with the folders above it.
TEST_F(FolderChooser, AsksBeforeMakingAFolderThatDoesNotExist) {
    const std::filesystem::path wanted = temp.osPath() / "new" / "deeper";
    ModalScript script({Type(Native(wanted)), Answer(QMessageBox::No, &question),
                        [&](QWidget& chooser) {
                            EXPECT_FALSE(std::filesystem::exists(wanted)) << "made after No";
                            static_cast<QDialog&>(chooser).accept();
                        },
                        Answer(QMessageBox::Yes, &question)});
    EXPECT_EQ(ui.SelectFolder(temp.path()), temp.path() + "new" + '/' + "deeper");
    EXPECT_EQ(question, expectedQuestion);
    EXPECT_TRUE(std::filesystem::is_directory(wanted));
    EXPECT_TRUE(script.done());
}

TEST_F(FolderChooser, CancelAnswersNothing) {
    ModalScript script({Type(Native(temp.osPath() / "typed")), Answer(QMessageBox::No, &question),
                        [](QWidget& chooser) { static_cast<QDialog&>(chooser).reject(); }});
    EXPECT_EQ(ui.SelectFolder(temp.path()), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(temp.osPath() / "typed"));
}

// An empty field names no folder to make: after Yes the chooser fails with its message.
TEST_F(FolderChooser, EmptyFieldCannotBeMade) {
    ModalScript script({Type(QString()), Answer(QMessageBox::Yes, &question)});
    try {
        ui.SelectFolder(temp.path());
        FAIL() << "an empty field was answered";
    } catch (const Failure& f) {
        EXPECT_EQ(f.message(), Sjis("ディレクトリを作成できません"));
    }
    EXPECT_EQ(question, expectedQuestion);
}

} // namespace
} // namespace mv
