// A listing batch lets the sixty lookups of a race probe share one listing of a folder that
// has just changed; outside the batch that listing must not hide a later change.

#include "platform/FileQuery.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

// Windows matches names itself and keeps no listing.
#ifndef _WIN32
namespace mv {
namespace {

namespace fs = std::filesystem;

// A folder the betting software has just written, with names stored in upper case.
class ListingBatchTest : public testing::Test {
protected:
    ListingBatchTest() { dir_.Write("DE-58B.JRA", "x"); }

    // Adds a file within the same tick of the folder's time stamp, as a file system with
    // coarse time stamps shows it: the folder's time stamp does not move.
    void AddFileUnseenByTimeStamp(const std::string& name) {
        const auto stamp = fs::last_write_time(dir_.osPath());
        dir_.Write(name, "x");
        fs::last_write_time(dir_.osPath(), stamp);
    }

    test::TempFolder dir_;
};

TEST_F(ListingBatchTest, AnswersInsideABatchAreThoseOfTheFolder) {
    test::TempFolder other;
    fs::create_directory(dir_.osPath() / "UT-58B.JRA");
    const ListingBatch batch;
    EXPECT_TRUE(FileExists(dir_.path() + "De-58b.jra"));
    EXPECT_FALSE(FileExists(dir_.path() + "Zo-58b.jra"));
    EXPECT_FALSE(FileExists(dir_.path() + "Ut-58b.jra"));
    // Another folder asked in the same batch gets its own listing.
    EXPECT_FALSE(FileExists(other.path() + "De-58b.jra"));
    EXPECT_TRUE(FileExists(dir_.path() + "De-58b.jra"));
}

TEST_F(ListingBatchTest, FreshListingDoesNotOutliveItsBatch) {
    {
        const ListingBatch batch;
        EXPECT_FALSE(FileExists(dir_.path() + "Zo-58b.jra"));
    }
    AddFileUnseenByTimeStamp("ZO-58B.JRA");
    EXPECT_TRUE(FileExists(dir_.path() + "Zo-58b.jra"));
}

TEST_F(ListingBatchTest, FreshListingDoesNotCarryIntoTheNextBatch) {
    {
        const ListingBatch batch;
        EXPECT_FALSE(FileExists(dir_.path() + "Zo-58b.jra"));
    }
    AddFileUnseenByTimeStamp("ZO-58B.JRA");
    const ListingBatch next;
    EXPECT_TRUE(FileExists(dir_.path() + "Zo-58b.jra"));
}

} // namespace
} // namespace mv
#endif
