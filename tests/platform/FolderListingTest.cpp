// A kept listing of the betting software's folder must answer as a fresh read of the folder
// would, whatever its time stamp says: files added, removed or renamed after it was read, the
// folder replaced by another of the same name, and more changes than the system can queue.

#include "platform/FileQuery.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

// Windows matches names itself and keeps no listing.
#ifndef _WIN32
namespace mv {
namespace {

namespace fs = std::filesystem;

// A folder settled an hour ago, with names stored in upper case, so that every lookup of a
// name spelled as the viewer spells it goes through the listing.
class FolderListingTest : public testing::Test {
protected:
    FolderListingTest() {
        dir_.Write("DE-58B.JRA", "x");
        stamp_ = fs::file_time_type::clock::now() - std::chrono::hours(1);
        fs::last_write_time(dir_.osPath(), stamp_);
    }

    // Changes the folder behind the time stamp's back, as a file system with coarse time
    // stamps shows a change made in the same tick.
    template <typename Change>
    void Unstamped(Change change) {
        change();
        fs::last_write_time(dir_.osPath(), stamp_);
    }

    bool Exists(const std::string& name) const { return FileExists(dir_.path() + name); }

    test::TempFolder dir_;
    fs::file_time_type stamp_;
};

TEST_F(FolderListingTest, ChangesAfterTheListingAreSeen) {
    ASSERT_TRUE(Exists("De-58b.jra"));
    ASSERT_FALSE(Exists("Zo-58b.jra"));

    Unstamped([&] { dir_.Write("ZO-58B.JRA", "x"); });
    EXPECT_TRUE(Exists("Zo-58b.jra"));

    Unstamped([&] { fs::rename(dir_.File("DE-58B.JRA"), dir_.File("UT-58B.JRA")); });
    EXPECT_FALSE(Exists("De-58b.jra"));
    EXPECT_TRUE(Exists("Ut-58b.jra"));

    Unstamped([&] { fs::remove(dir_.File("ZO-58B.JRA")); });
    EXPECT_FALSE(Exists("Zo-58b.jra"));
    EXPECT_TRUE(Exists("Ut-58b.jra"));
}

TEST_F(FolderListingTest, AFolderReplacedByAnotherOfTheSameNameIsReadAgain) {
    ASSERT_TRUE(Exists("De-58b.jra"));
    test::TempFolder elsewhere;
    elsewhere.Write("KE-58B.JRA", "x");
    fs::rename(dir_.osPath(), dir_.osPath().string() + ".old");
    fs::rename(elsewhere.osPath(), dir_.osPath());
    fs::last_write_time(dir_.osPath(), stamp_);

    EXPECT_FALSE(Exists("De-58b.jra"));
    EXPECT_TRUE(Exists("Ke-58b.jra"));
    // Each temporary folder removes what it holds now.
    fs::rename(dir_.osPath(), elsewhere.osPath());
    fs::rename(dir_.osPath().string() + ".old", dir_.osPath());
}

TEST_F(FolderListingTest, MoreChangesThanTheSystemQueuesAreStillSeen) {
    ASSERT_FALSE(Exists("Zo-58b.jra"));
    // Beyond the kernel's default queue of 16,384 changes.
    Unstamped([&] {
        for (int i = 0; i < 17000; ++i) {
            std::ofstream(dir_.File("N" + std::to_string(i) + ".DAT"));
        }
        dir_.Write("ZO-58B.JRA", "x");
    });
    EXPECT_TRUE(Exists("Zo-58b.jra"));
    EXPECT_TRUE(Exists("n16999.dat"));
}

} // namespace
} // namespace mv
#endif
