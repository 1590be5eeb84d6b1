// A writer killed at random moments while it rewrites the settings file leaves it whole:
// exactly the old content or exactly the new one. A kill may leave the writer's temporary file
// behind; the next start removes it, and nothing else. (The caches are derived data, rewritten
// in place for every race, so a kill may leave one cut short until the next race.)

#include "platform/IniFile.h"
#include "platform/TextFile.h"
#include "support/TempFolder.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace mv {
namespace {

constexpr int Rounds = 200;

// Two complete contents, long enough that a kill often lands inside a write.
struct Contents {
    std::string folderA = "C:\\PAT\\" + std::string(300000, 'a') + "\\";
    std::string folderB = "D:\\PAT\\" + std::string(500000, 'b') + "\\";

    static std::string Settings(const std::string& folder) {
        return "[Dir]\r\nPatDir=" + folder + "\r\n";
    }
};

// Rewrites the file, alternating its contents, until killed.
[[noreturn]] void RewriteForever(const Contents& c, const std::filesystem::path& ini) {
    for (bool a = false;; a = !a) {
        WriteProfileString(ini, "Dir", "PatDir", a ? c.folderA : c.folderB);
    }
}

TEST(KillTest, KilledWriterLeavesTheSettingsFileCompleteOldOrNew) {
    const test::TempFolder folder;
    const Contents c;
    folder.Write("Q-MvRV98.ini", Contents::Settings(c.folderA));
    const auto ini = folder.File("Q-MvRV98.ini");
    std::mt19937 random(20240505u);
    std::uniform_int_distribution<int> microseconds(0, 20000);
    int leftovers = 0;

    for (int round = 1; round <= Rounds; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                RewriteForever(c, ini);
            } catch (...) {
                ::_exit(2); // a failed write: the parent sees no kill
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(microseconds(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer ended by itself in round " << round;

        const std::string settings = folder.Read("Q-MvRV98.ini");
        EXPECT_TRUE(settings == Contents::Settings(c.folderA) ||
                    settings == Contents::Settings(c.folderB))
            << "round " << round << ": settings file of " << settings.size() << " bytes";

        leftovers += test::EntryCount(folder.osPath()) - 1;
        RemoveLeftoverTemporaries(ini);
        ASSERT_EQ(test::EntryCount(folder.osPath()), 1) << "round " << round;
    }
    testing::Test::RecordProperty("rounds", Rounds);
    testing::Test::RecordProperty("leftover_temporary_files", leftovers);
}

} // namespace
} // namespace mv
