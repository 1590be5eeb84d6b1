// A writer killed at random moments while it rewrites the settings file and a cache leaves
// each file whole: exactly the old content or exactly the new one. A kill may leave the
// writer's temporary file ("<name>.XXXXXX") behind; the viewer only ever opens its files by
// their exact names, so such a file is never read and is left for the user to delete.

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

// Two complete contents of each file, large enough that a kill often lands inside a write.
struct Contents {
    std::string folderA = "C:\\PAT\\" + std::string(300, 'a') + "\\";
    std::string folderB = "D:\\PAT\\" + std::string(500, 'b') + "\\";
    Lines cacheA = Lines(3000, std::string(60, 'A'));
    Lines cacheB = Lines(2000, std::string(90, 'B'));

    static std::string Settings(const std::string& folder) {
        return "[Dir]\r\nPatDir=" + folder + "\r\n";
    }
    static std::string Cache(const Lines& lines) {
        std::string bytes;
        for (const std::string& line : lines) {
            bytes += line + "\r\n";
        }
        return bytes;
    }
};

// Rewrites both files, alternating their contents, until killed.
[[noreturn]] void RewriteForever(const Contents& c, const std::string& ini,
                                 const std::string& cache) {
    for (bool a = false;; a = !a) {
        WriteProfileString(ini, "Dir", "PatDir", a ? c.folderA : c.folderB);
        WriteLines(cache, a ? c.cacheA : c.cacheB);
    }
}

// A temporary file of a write to target: its name, "." and 6 characters.
bool IsTemporaryOf(const std::string& name, const std::string& target) {
    return name.size() == target.size() + 7 && name.starts_with(target + ".");
}

TEST(KillTest, KilledWriterLeavesEveryFileCompleteOldOrNew) {
    const test::TempFolder folder;
    const Contents c;
    const std::string ini = folder.Write("Q-MvRV98.ini", Contents::Settings(c.folderA));
    const std::string cache = folder.Write("MvDESo.dat", Contents::Cache(c.cacheA));
    std::mt19937 random(20240505u);
    std::uniform_int_distribution<int> microseconds(0, 20000);
    int leftovers = 0;

    for (int round = 1; round <= Rounds; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                RewriteForever(c, ini, cache);
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
        const std::string cacheBytes = folder.Read("MvDESo.dat");
        EXPECT_TRUE(cacheBytes == Contents::Cache(c.cacheA) ||
                    cacheBytes == Contents::Cache(c.cacheB))
            << "round " << round << ": cache of " << cacheBytes.size() << " bytes";

        for (const auto& entry : std::filesystem::directory_iterator(folder.osPath())) {
            const std::string name = entry.path().filename().string();
            if (name != "Q-MvRV98.ini" && name != "MvDESo.dat") {
                EXPECT_TRUE(IsTemporaryOf(name, "Q-MvRV98.ini") ||
                            IsTemporaryOf(name, "MvDESo.dat"))
                    << name;
                std::filesystem::remove(entry.path());
                ++leftovers;
            }
        }
    }
    testing::Test::RecordProperty("rounds", Rounds);
    testing::Test::RecordProperty("leftover_temporary_files", leftovers);
}

} // namespace
} // namespace mv
