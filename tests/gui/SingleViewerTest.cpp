// One viewer per program folder: a later start from the same folder reaches the running viewer
// and ends; the running one is asked to come to the front.

#include "gui/SingleViewer.h"

#include "platform/InstanceLock.h"
#include "settings/SettingsFile.h"
#include "support/TempFolder.h"
#include "tools/SampleFolder.h"

#include <QProcess>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace mv {
namespace {

QString NameOf(const test::TempFolder& folder) {
    return QString::fromStdString(InstanceName(folder.osPath()));
}

TEST(SingleViewer, ARequestReachesTheViewerListeningUnderTheFoldersName) {
    const test::TempFolder program;
    int requests = 0;
    const gui::ForwardRequests listening(NameOf(program), [&] { ++requests; });

    EXPECT_TRUE(gui::AskRunningViewerToComeForward(NameOf(program)));
    QTRY_COMPARE_WITH_TIMEOUT(requests, 1, 5000);
    EXPECT_TRUE(gui::AskRunningViewerToComeForward(NameOf(program)));
    QTRY_COMPARE_WITH_TIMEOUT(requests, 2, 5000);
}

TEST(SingleViewer, NoRequestReachesAFolderWithoutAViewer) {
    const test::TempFolder program;
    const test::TempFolder other;
    int requests = 0;
    const gui::ForwardRequests listening(NameOf(other), [&] { ++requests; });
    EXPECT_FALSE(gui::AskRunningViewerToComeForward(NameOf(program)));
    QTest::qWait(100);
    EXPECT_EQ(requests, 0);
}

// The real viewer, started twice from one program folder: the second ends at once, the first
// runs on. The first has removed what a settings write cut short by a crash left behind.
TEST(SingleViewer, ASecondStartFromTheSameFolderEndsAndLeavesTheFirstRunning) {
    const test::TempFolder program;
    const auto viewer = program.osPath() / "Q-MvRCV98";
    std::filesystem::copy_file(MV_VIEWER, viewer);
    std::filesystem::create_directory(program.osPath() / "PAT");
    sample::WriteSampleFolder(program.path() + "PAT/");
    SaveSettings(program.File("Q-MvRV98.ini"), program.path() + "PAT/", TSettings{});

    program.Write("Q-MvRV98.ini.~x7Rq2a.tmp", "[Dir]\r\n");

    QProcess first;
    first.start(QString::fromStdString(viewer.string()), {});
    ASSERT_TRUE(first.waitForStarted());
    // Once the first listens, it holds the folder's lock.
    ASSERT_TRUE(gui::AskRunningViewerToComeForward(NameOf(program)));
    EXPECT_FALSE(std::filesystem::exists(program.File("Q-MvRV98.ini.~x7Rq2a.tmp")));

    QProcess second;
    second.start(QString::fromStdString(viewer.string()), {});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    first.kill();
    first.waitForFinished();
}

} // namespace
} // namespace mv
