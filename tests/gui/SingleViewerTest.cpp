// One viewer per program folder: a later start from the same folder reaches the running viewer
// and ends once it has come to the front; a start that finds a viewer ending waits for it and
// then runs; one that finds a viewer neither answering nor ending says so.

#include "gui/SingleViewer.h"

#include "app/SecondStart.h"
#include "gui/QtText.h"
#include "gui/QtUiServices.h"
#include "platform/Codec.h"
#include "platform/InstanceLock.h"
#include "platform/posix/ForwardChannel.h"
#include "settings/SettingsFile.h"
#include "support/TempFolder.h"
#include "tools/SampleFolder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <future>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace mv {
namespace {

using namespace std::chrono_literals;

std::string NameOf(const test::TempFolder& folder) {
    return InstanceName(folder.osPath());
}

// Asks in the background while this thread's event loop lets the listener answer.
bool AskAndServe(const std::string& name) {
    auto asked = std::async(std::launch::async, [&] { return AskToComeForward(name); });
    while (asked.wait_for(0ms) != std::future_status::ready) {
        QTest::qWait(5);
    }
    return asked.get();
}

// Whether the viewer of a folder answers a request to come forward within the time given.
bool AnswersWithin(const std::string& name, int ms) {
    QElapsedTimer waited;
    waited.start();
    while (!AskToComeForward(name)) {
        if (waited.elapsed() > ms) {
            return false;
        }
        QTest::qWait(50);
    }
    return true;
}

TEST(SingleViewer, ARequestReachesTheViewerListeningUnderTheFoldersName) {
    const test::TempFolder program;
    int requests = 0;
    const gui::ForwardRequests listening(NameOf(program), [&] { ++requests; });

    EXPECT_TRUE(AskAndServe(NameOf(program)));
    EXPECT_EQ(requests, 1);
    EXPECT_TRUE(AskAndServe(NameOf(program)));
    EXPECT_EQ(requests, 2);
}

TEST(SingleViewer, NoRequestReachesAFolderWithoutAViewer) {
    const test::TempFolder program;
    const test::TempFolder other;
    int requests = 0;
    const gui::ForwardRequests listening(NameOf(other), [&] { ++requests; });
    EXPECT_FALSE(AskAndServe(NameOf(program)));
    QTest::qWait(100);
    EXPECT_EQ(requests, 0);
}

// A program folder with the real viewer and the sample folder.
class ViewerFolder : public testing::Test {
protected:
    test::TempFolder program;
    std::filesystem::path viewer = program.osPath() / "Q-MvRCV98";

    void SetUp() override {
        std::filesystem::copy_file(MV_VIEWER, viewer);
        std::filesystem::create_directory(program.osPath() / "PAT");
        sample::WriteSampleFolder(program.path() + "PAT/");
        SaveSettings(program.File("Q-MvRV98.ini"), program.path() + "PAT/", TSettings{});
    }
    void Start(QProcess& process) const {
        process.start(QString::fromStdString(viewer.string()), {});
        ASSERT_TRUE(process.waitForStarted());
    }
};

// A process holding the folder's lock and its socket name as a viewer that is ending does: its
// window gone, it takes requests no more, and nothing answers them.
class EndingViewer {
public:
    explicit EndingViewer(const std::filesystem::path& folder)
        : lock_(std::make_unique<InstanceLock>(folder)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string name = InstanceName(folder);
        std::memcpy(address.sun_path + 1, name.data(), name.size());
        const auto length =
            static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
        socket_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (lock_->heldElsewhere() ||
            ::bind(socket_, reinterpret_cast<const sockaddr*>(&address), length) != 0 ||
            ::listen(socket_, 8) != 0) {
            throw std::runtime_error("the stand-in cannot hold the folder");
        }
    }
    ~EndingViewer() { LetGo(); }
    EndingViewer(const EndingViewer&) = delete;
    EndingViewer& operator=(const EndingViewer&) = delete;

    void LetGo() {
        if (socket_ >= 0) {
            ::close(socket_);
            socket_ = -1;
        }
        lock_.reset();
    }

private:
    std::unique_ptr<InstanceLock> lock_;
    int socket_ = -1;
};

// The real viewer, started twice from one program folder: the second ends at once, the first
// runs on. The first has removed what a settings write cut short by a crash left behind.
TEST_F(ViewerFolder, ASecondStartFromTheSameFolderEndsAndLeavesTheFirstRunning) {
    program.Write("Q-MvRV98.ini.~x7Rq2a.tmp", "[Dir]\r\n");

    QProcess first;
    Start(first);
    // Once the first answers, it holds the folder's lock.
    ASSERT_TRUE(AnswersWithin(NameOf(program), 10000));
    EXPECT_FALSE(std::filesystem::exists(program.File("Q-MvRV98.ini.~x7Rq2a.tmp")));

    QProcess second;
    Start(second);
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    first.kill();
    first.waitForFinished();
}

// Started again at once after the first was closed, while it is still ending: the new start
// waits, and once the first has let go it runs as the folder's viewer.
TEST_F(ViewerFolder, AStartWhileTheFirstIsEndingRunsOnceTheFirstLetsGo) {
    EndingViewer ending(program.osPath());
    QProcess second;
    Start(second);
    QTest::qWait(1500);
    EXPECT_EQ(second.state(), QProcess::Running) << "the start ended while the first was ending";

    ending.LetGo();

    EXPECT_TRUE(AnswersWithin(NameOf(program), 10000));
    EXPECT_EQ(second.state(), QProcess::Running);
    second.kill();
    second.waitForFinished();
}

// A viewer that holds the lock and neither answers nor ends: the box says so, with the
// application title and the error icon, and the start ends.
TEST_F(ViewerFolder, AStartFindingAViewerThatNeitherAnswersNorEndsSaysSo) {
    const EndingViewer hung(program.osPath());
    gui::QtUiServices ui;
    InstanceLock lock(program.osPath());
    ASSERT_TRUE(lock.heldElsewhere());
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            watch.stop();
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            box->done(QMessageBox::Ok);
        }
    });
    watch.start(10);

    const SecondStart outcome = WaitForTheRunningViewer(
        ui, {[&] { return lock.Take(); }, [&] { return AskToComeForward(NameOf(program), 50ms); }},
        500ms);

    EXPECT_EQ(outcome, SecondStart::NoAnswer);
    EXPECT_EQ(title, QString::fromUtf8("single_viewer_tests"));
    EXPECT_EQ(text, gui::FromSjis(Sjis("既に起動しているビューアが応答しません。そのビューアを"
                                       "終了してから、もう一度起動してください.")));
    EXPECT_EQ(icon, QMessageBox::Critical);
}

} // namespace
} // namespace mv
