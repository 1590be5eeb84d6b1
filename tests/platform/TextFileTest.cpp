#include "platform/TextFile.h"

#include "platform/Codec.h"
#include "platform/Failure.h"
#include "platform/FileQuery.h"
#include "support/ParamName.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace mv {
namespace {

struct SplitCase {
    const char* name;
    std::string bytes;
    Lines lines;
};

class SplitLinesTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitLinesTest, BreaksAtCrLfOrCrLf) {
    EXPECT_EQ(SplitLines(GetParam().bytes), GetParam().lines);
}

// The same lines held as one text: line by line as the list, and the text with CR LF between
// them, whatever breaks the bytes had.
TEST_P(SplitLinesTest, HeldAsOneTextTheLinesAreTheSame) {
    const TextLines lines = SplitTextLines(GetParam().bytes);
    EXPECT_EQ(lines, GetParam().lines);
    ASSERT_EQ(lines.size(), GetParam().lines.size());
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i], GetParam().lines[i]) << i;
        joined += (i == 0 ? "" : "\r\n") + GetParam().lines[i];
    }
    EXPECT_EQ(lines.text(), joined);
    EXPECT_EQ(lines.ToLines(), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    TextFile, SplitLinesTest,
    testing::Values(SplitCase{"empty_file_has_no_line", "", {}},
                    SplitCase{"no_final_break", "a", {"a"}},
                    SplitCase{"final_break_adds_no_line", "a\r\n", {"a"}},
                    SplitCase{"crlf", "a\r\nb\r\n", {"a", "b"}},
                    SplitCase{"lf", "a\nb", {"a", "b"}}, SplitCase{"cr", "a\rb\r", {"a", "b"}},
                    SplitCase{"lf_cr_is_two_breaks", "a\n\rb", {"a", "", "b"}},
                    SplitCase{"empty_lines_kept", "\r\n\r\nx", {"", "", "x"}},
                    SplitCase{"lone_break", "\n", {""}},
                    SplitCase{"nul_ends_the_text", std::string("ab\0cd\r\nef", 9), {"ab"}},
                    SplitCase{"nul_first", std::string("\0abc", 4), {}},
                    SplitCase{"blanks_kept", "  a  \r\n", {"  a  "}}),
    test::ByName());

// Lines are told apart by where they break, not only by their bytes.
TEST(TextLines, EqualOnlyToTheSameLines) {
    const TextLines two{"a", "b"};
    EXPECT_EQ(two, (TextLines{"a", "b"}));
    EXPECT_NE(two, TextLines{"a\r\nb"});
    EXPECT_NE(two, (TextLines{"a", "b", ""}));
    EXPECT_NE(TextLines{}, TextLines{""});
    EXPECT_EQ(TextLines(Lines{"x", "", "y"}), (Lines{"x", "", "y"}));
    EXPECT_NE(two, (Lines{"a"}));
}

TEST(TextLines, GrowsAndEmptiesLikeAList) {
    TextLines lines;
    EXPECT_TRUE(lines.empty());
    lines.push_back("");
    lines.push_back("second");
    lines.push_back("");
    EXPECT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "second");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines.text(), "\r\nsecond\r\n");
    EXPECT_EQ(std::distance(lines.begin(), lines.end()), 3);
    lines.clear();
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(lines.text(), "");
}

class FirstLineOfTest : public testing::TestWithParam<SplitCase> {};

TEST_P(FirstLineOfTest, EndsWhereTheFirstLineEnds) {
    EXPECT_EQ(FirstLineOf(GetParam().bytes), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(TextFile, FirstLineOfTest,
                         testing::Values(SplitCase{"empty_file_has_no_line", "", {}},
                                         SplitCase{"no_break", "a b", {"a b"}},
                                         SplitCase{"later_lines_left_out", "a\r\nb\r\nc", {"a"}},
                                         SplitCase{"cr_alone_ends_it", "a\rb", {"a"}},
                                         SplitCase{"break_first_gives_an_empty_line", "\nb", {""}},
                                         SplitCase{
                                             "nul_inside", std::string("ab\0cd\r\n", 7), {"ab"}},
                                         SplitCase{"nul_first", std::string("\0abc\r\n", 6), {}}),
                         test::ByName());

TEST(ReadFirstLine, ReadsALongFirstLineWholeAndNothingAfterIt) {
    test::TempFolder dir;
    // Longer than one read, so the line's end comes in a later one.
    const std::string line(200000, '7');
    const auto path = dir.Write("Zo-58b.jra", line + "\r\n" + std::string(300000, 'x'));
    EXPECT_EQ(ReadFirstLine(path), Lines{line});
    EXPECT_EQ(ReadFirstLine(dir.Write("Ks-5238b.jra", "")), Lines{});
}

TEST(ReadLines, ReadsTheWholeFileAsLines) {
    test::TempFolder dir;
    dir.Write("MvDENo.dat", Sjis("東京 1R\r\n２行目\r\n"));
    EXPECT_EQ(ReadLines(dir.File("MvDENo.dat")), (Lines{Sjis("東京 1R"), Sjis("２行目")}));
}

TEST(ReadFirstLine, FindsADataFileWrittenInAnotherLetterCase) {
    test::TempFolder dir;
    dir.Write("DE-58B.JRA", "x\r\n");
    EXPECT_EQ(ReadFirstLine(dir.path() + "De-58b.jra"), Lines{"x"});
}

TEST(ReadFirstLine, PrefersTheExactName) {
    test::TempFolder dir;
    dir.Write("uy-a.jra", "lower");
    dir.Write("Uy-a.jra", "exact");
    EXPECT_EQ(ReadFirstLine(dir.path() + "Uy-a.jra"), Lines{"exact"});
}

void ExpectCannotOpen(const std::string& path) {
    try {
        ReadFirstLine(path);
        FAIL() << "opened " << path;
    } catch (const Failure& f) {
        EXPECT_EQ(f.message(), Sjis("ファイル ") + path + Sjis(" は開けません"));
    }
}

TEST(ReadFirstLine, RefusesWhatIsNotAReadableFile) {
    test::TempFolder dir;
    ExpectCannotOpen(dir.path() + "missing.jra");
    std::filesystem::create_directory(dir.osPath() / "Uy-c.jra");
    ExpectCannotOpen(dir.path() + "Uy-c.jra");
#ifndef _WIN32
    // A FIFO must neither hang the viewer nor be read.
    const auto fifo = (dir.osPath() / "Zo-58b.jra").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ExpectCannotOpen(dir.path() + "Zo-58b.jra");
#endif
}

#ifndef _WIN32
TEST(ReadFirstLine, PassesOverWhatIsNotAFileUnderTheExactNameToOneInAnotherCase) {
    test::TempFolder dir;
    std::filesystem::create_directory(dir.osPath() / "Uy-c.jra");
    dir.Write("UY-C.JRA", "folder passed\r\n");
    EXPECT_EQ(ReadFirstLine(dir.path() + "Uy-c.jra"), Lines{"folder passed"});
    const auto fifo = (dir.osPath() / "Zo-58b.jra").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    dir.Write("ZO-58B.JRA", "fifo passed\r\n");
    EXPECT_EQ(ReadFirstLine(dir.path() + "Zo-58b.jra"), Lines{"fifo passed"});
}
#endif

#ifdef _WIN32
TEST(ReadFirstLine, RefusesAFileOpenForWritingThroughAnotherHandle) {
    test::TempFolder dir;
    const auto path = dir.Write("Uo-58b.jra", "half a rec");
    // The betting software, still writing, even when it lets others read and write.
    const HANDLE writer =
        ::CreateFileW(ToOsPath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    ExpectCannotOpen(path);
    ::CloseHandle(writer);
    // Once the writer has closed it, the file reads normally.
    EXPECT_EQ(ReadFirstLine(path), Lines{"half a rec"});
}
#else

TEST(ReadFirstLine, RefusesAFileAnotherProcessIsWriting) {
    test::TempFolder dir;
    const auto path = dir.Write("Uo-58b.jra", "half a rec");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        // The betting software, still writing.
        const int fd = ::open((dir.osPath() / "Uo-58b.jra").c_str(), O_WRONLY | O_APPEND);
        const char ok = fd >= 0 ? '1' : '0';
        (void)!::write(ready[1], &ok, 1);
        ::pause();
        ::_exit(0);
    }
    char ok = '0';
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, '1');
    ExpectCannotOpen(path);
    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    // Once the writer has closed it, the file reads normally.
    EXPECT_EQ(ReadFirstLine(path), Lines{"half a rec"});
}
#endif

TEST(WriteLines, EndsEveryLineWithCrLf) {
    test::TempFolder dir;
    WriteLines(dir.File("MvDENo.dat"), {Sjis("１行"), "", " b "});
    EXPECT_EQ(dir.Read("MvDENo.dat"), Sjis("１行") + "\r\n\r\n b \r\n");
    WriteLines(dir.File("MvDENo.dat"), {});
    EXPECT_EQ(dir.Read("MvDENo.dat"), "");
}

TEST(WriteLines, ViewsOfLinesWriteTheSameBytes) {
    test::TempFolder dir;
    const std::string held = Sjis("１行");
    // A view made empty has no bytes to point at.
    WriteLineViews(dir.File("MvUOSo.dat"), {held, std::string_view(), " b "});
    WriteLines(dir.File("MvUONo.dat"), {held, "", " b "});
    EXPECT_EQ(dir.Read("MvUOSo.dat"), dir.Read("MvUONo.dat"));
    WriteLineViews(dir.File("MvUOSo.dat"), {});
    EXPECT_EQ(dir.Read("MvUOSo.dat"), "");
}

TEST(WriteLines, ReplacesLongerOldContentInPlace) {
    test::TempFolder dir;
    dir.Write("MvZOSo.dat", "old old old old\r\n");
    WriteLines(dir.File("MvZOSo.dat"), {"new"});
    EXPECT_EQ(dir.Read("MvZOSo.dat"), "new\r\n");
    EXPECT_EQ(test::EntryCount(dir.osPath()), 1);
}

void ExpectCannotCreate(const std::filesystem::path& path, const std::string& shown) {
    try {
        WriteLines(path, {"x"});
        FAIL() << shown;
    } catch (const Failure& f) {
        EXPECT_EQ(f.message(), Sjis("ファイル ") + shown + Sjis(" を作成できません"));
    }
}

TEST(WriteLines, FailureNamesThePathAndLeavesWhatIsThere) {
    test::TempFolder dir;
    // A folder where the file should be.
    std::filesystem::create_directory(dir.osPath() / "MvDESo.dat");
    ExpectCannotCreate(dir.File("MvDESo.dat"), dir.path() + "MvDESo.dat");
    EXPECT_TRUE(std::filesystem::is_directory(dir.osPath() / "MvDESo.dat"));
    // A folder that does not exist.
    const std::string nowhere = std::string("no") + PathSeparator + "MvDENo.dat";
    ExpectCannotCreate(dir.File(nowhere), dir.path() + nowhere);
    // A cache the user made read-only stays as it is.
    dir.Write("MvKONo.dat", "kept\r\n");
    std::filesystem::permissions(dir.File("MvKONo.dat"), std::filesystem::perms::owner_read |
                                                             std::filesystem::perms::group_read |
                                                             std::filesystem::perms::others_read);
    ExpectCannotCreate(dir.File("MvKONo.dat"), dir.path() + "MvKONo.dat");
    EXPECT_EQ(dir.Read("MvKONo.dat"), "kept\r\n");
    EXPECT_EQ(test::EntryCount(dir.osPath()), 2);
}

#ifndef _WIN32
TEST(WriteLines, WritesTheFileASymbolicLinkNamesAndKeepsItsPermissions) {
    test::TempFolder dir;
    std::filesystem::create_directory(dir.osPath() / "elsewhere");
    dir.Write("elsewhere/MvKONo.dat", "x");
    std::filesystem::permissions(dir.File("elsewhere/MvKONo.dat"), std::filesystem::perms(0640));
    std::filesystem::create_symlink("elsewhere/MvKONo.dat", dir.File("MvKONo.dat"));
    WriteLines(dir.File("MvKONo.dat"), {"y"});
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("MvKONo.dat")));
    EXPECT_EQ(dir.Read("elsewhere/MvKONo.dat"), "y\r\n");
    EXPECT_EQ(std::filesystem::status(dir.File("elsewhere/MvKONo.dat")).permissions() &
                  std::filesystem::perms::all,
              std::filesystem::perms(0640));
}

TEST(WriteLines, AFifoInPlaceOfTheCacheNeitherHangsNorIsWritten) {
    test::TempFolder dir;
    ASSERT_EQ(::mkfifo(dir.File("MvUOSo.dat").c_str(), 0600), 0);
    ExpectCannotCreate(dir.File("MvUOSo.dat"), dir.path() + "MvUOSo.dat");
}
#endif

TEST(WriteLines, WritesIntoAFolderWithAJapaneseName) {
    test::TempFolder dir;
    std::filesystem::create_directory(dir.File(Sjis("競馬データ")));
    const std::string name = Sjis("競馬データ") + PathSeparator + "MvUONo.dat";
    WriteLines(dir.File(name), {Sjis("DATAなし")});
    EXPECT_EQ(ReadLines(dir.File(name)), Lines{Sjis("DATAなし")});
}

// What a replacement cut short leaves beside the file it was replacing goes at the next start;
// files that only look alike stay.
TEST(RemoveLeftoverTemporaries, RemovesOnlyTheTemporariesOfThatFile) {
    test::TempFolder dir;
    dir.Write("Q-MvRV98.ini", "[Dir]\r\n");
    for (const char* name :
         {"Q-MvRV98.ini.~Ab3dE9.tmp", "Q-MvRV98.ini.~000000.tmp", "Q-MvRV98.ini.backup",
          "Q-MvRV98.ini.~short.tmp", "Q-MvRV98.ini.~Ab3dE9.tmp.old", "other.ini.~Ab3dE9.tmp"}) {
        dir.Write(name, "x");
    }
    std::filesystem::create_directory(dir.File("Q-MvRV98.ini.~folder.tmp"));

    RemoveLeftoverTemporaries(dir.File("Q-MvRV98.ini"));

    std::set<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir.osPath())) {
        left.insert(entry.path().filename().string());
    }
    EXPECT_EQ(left,
              (std::set<std::string>{"Q-MvRV98.ini", "Q-MvRV98.ini.backup",
                                     "Q-MvRV98.ini.~short.tmp", "Q-MvRV98.ini.~Ab3dE9.tmp.old",
                                     "other.ini.~Ab3dE9.tmp", "Q-MvRV98.ini.~folder.tmp"}));
}

TEST(ReadOnceScope, AStageReadsTheDataFileAsTheFirstStageOfTheLoadSawIt) {
    test::TempFolder dir;
    const std::string path = dir.Write("Uo-58b.jra", "first\r\n");
    {
        const ReadOnceScope load;
        EXPECT_EQ(ReadFirstLine(path), Lines{"first"});
        dir.Write("Uo-58b.jra", "second\r\n");
        EXPECT_EQ(ReadFirstLine(path), Lines{"first"});
        {
            // A nested scope is the same one, and its end forgets nothing.
            const ReadOnceScope inner;
        }
        EXPECT_EQ(ReadFirstLine(path), Lines{"first"});
    }
    EXPECT_EQ(ReadFirstLine(path), Lines{"second"});
    const ReadOnceScope next;
    EXPECT_EQ(ReadFirstLine(path), Lines{"second"});
}

TEST(ReadOnceScope, AFileMissingAtTheFirstReadIsLookedForAgain) {
    test::TempFolder dir;
    const ReadOnceScope load;
    ExpectCannotOpen(dir.path() + "Ks-5238b.jra");
    dir.Write("Ks-5238b.jra", "now\r\n");
    EXPECT_EQ(ReadFirstLine(dir.path() + "Ks-5238b.jra"), Lines{"now"});
}

TEST(ReadOnceScope, ACacheReadsBackAsTheDiskWouldGiveIt) {
    test::TempFolder dir;
    // Lines holding the bytes that end or cut a line on reading: the read back splits as the
    // file does.
    const Lines written{"a\rb", "c\nd", std::string("e\0f", 3), "", "g"};
    WriteLines(dir.File("MvUONo.dat"), written);
    const Lines fromDisk = ReadLines(dir.File("MvUONo.dat"));
    ASSERT_EQ(fromDisk, (Lines{"a", "b", "c", "d", "e"}));
    const ReadOnceScope load;
    WriteLines(dir.File("MvUONo.dat"), written);
    // A change behind the viewer's back is not seen: the caches are the viewer's own.
    dir.Write("MvUONo.dat", "other\r\n");
    EXPECT_EQ(ReadLines(dir.File("MvUONo.dat")), fromDisk);
}

TEST(ReadOnceScope, AFailedWriteIsNotReadBack) {
    test::TempFolder dir;
    const ReadOnceScope load;
    WriteLines(dir.File("MvKONo.dat"), {"kept"});
    std::filesystem::permissions(dir.File("MvKONo.dat"), std::filesystem::perms::owner_read |
                                                             std::filesystem::perms::group_read |
                                                             std::filesystem::perms::others_read);
    ExpectCannotCreate(dir.File("MvKONo.dat"), dir.path() + "MvKONo.dat");
    EXPECT_EQ(ReadLines(dir.File("MvKONo.dat")), Lines{"kept"});
    std::filesystem::permissions(dir.File("MvKONo.dat"), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    dir.Write("MvKONo.dat", "changed\r\n");
    EXPECT_EQ(ReadLines(dir.File("MvKONo.dat")), Lines{"changed"});
}

// Held writes are read back from memory and reach the disk all at once, or never.
TEST(HeldWrites, TheDiskGetsEveryHeldFileOnCommitAndNoneWithout) {
    test::TempFolder dir;
    dir.Write("MvDESo.dat", "old\r\n");
    {
        const ReadOnceScope load;
        HeldWrites writes;
        WriteLines(dir.File("MvDESo.dat"), {"new"});
        WriteLines(dir.File("MvDENo.dat"), {"first"});
        WriteLines(dir.File("MvDENo.dat"), {"second"});
        EXPECT_EQ(ReadLines(dir.File("MvDENo.dat")), Lines{"second"});
        EXPECT_EQ(dir.Read("MvDESo.dat"), "old\r\n");
        EXPECT_FALSE(std::filesystem::exists(dir.File("MvDENo.dat")));
    }
    EXPECT_EQ(dir.Read("MvDESo.dat"), "old\r\n");
    {
        const ReadOnceScope load;
        {
            HeldWrites dropped;
            WriteLines(dir.File("MvDESo.dat"), {"dropped"});
        }
        EXPECT_EQ(ReadLines(dir.File("MvDESo.dat")), Lines{"old"}) << "what never reached the disk";
        HeldWrites writes;
        WriteLines(dir.File("MvDESo.dat"), {"new"});
        WriteLines(dir.File("MvDENo.dat"), {"second"});
        writes.Commit();
    }
    EXPECT_EQ(dir.Read("MvDESo.dat"), "new\r\n");
    EXPECT_EQ(dir.Read("MvDENo.dat"), "second\r\n");
}

TEST(LineAt, MissingLineFailsWithItsIndex) {
    const Lines lines{"a", "b"};
    EXPECT_EQ(LineAt(lines, 1), "b");
    try {
        LineAt(lines, 2);
        FAIL();
    } catch (const Failure& f) {
        EXPECT_EQ(f.message(), Sjis("リストのインデックスが範囲を超えています (2)"));
    }
    EXPECT_THROW(LineAt(Lines{}, 0), Failure);
}

} // namespace
} // namespace mv
