#include "platform/FileQuery.h"

#include "platform/Codec.h"
#include "platform/TextFile.h"
#include "support/NativePath.h"
#include "support/ParamName.h"
#include "support/TempFolder.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#endif

namespace mv {
namespace {

TEST(FileExists, ExactNameOrAnotherLetterCaseButNeverAFolder) {
    test::TempFolder dir;
    dir.Write("Ks-5238b.jra", "x");
    dir.Write("ZO-58B.JRA", "x");
    std::filesystem::create_directory(dir.osPath() / "Uy-c.jra");
    EXPECT_TRUE(FileExists(dir.path() + "Ks-5238b.jra"));
    EXPECT_TRUE(FileExists(dir.path() + "Zo-58b.jra"));
    EXPECT_FALSE(FileExists(dir.path() + "Uo-58b.jra"));
    EXPECT_FALSE(FileExists(dir.path() + "Uy-c.jra"));
    EXPECT_FALSE(FileExists(dir.path() + "UY-C.JRA"));
    EXPECT_FALSE(FileExists(dir.path()));
    EXPECT_FALSE(FileExists(""));
}

TEST(FileExists, FolderPartIsTakenAsGiven) {
    test::TempFolder dir;
    std::filesystem::create_directory(dir.osPath() / "PAT");
    dir.Write(test::NativePath("PAT/Uy-a.jra"), "x");
    dir.Write("PATUy-b.jra", "x");
    // Without the separator the name lies beside the folder, not in it.
    EXPECT_FALSE(FileExists(dir.path() + "PATUy-a.jra"));
    EXPECT_TRUE(FileExists(dir.path() + "PATUy-b.jra"));
    EXPECT_TRUE(FileExists(dir.path() + test::NativePath("PAT/Uy-a.jra")));
}

TEST(FileExists, FolderWithAJapaneseName) {
    test::TempFolder dir;
    std::filesystem::create_directory(dir.osPath() / ToOsPath(Sjis("ＰＡＴソフト")));
    dir.Write(test::NativePath(Sjis("ＰＡＴソフト/Uy-a.jra")), "x");
    EXPECT_TRUE(FileExists(dir.path() + test::NativePath(Sjis("ＰＡＴソフト/Uy-a.jra"))));
    EXPECT_TRUE(FileExists(dir.path() + test::NativePath(Sjis("ＰＡＴソフト/uy-A.JRA"))));
}

struct PatternCase {
    const char* name;
    std::vector<std::string> files;   // regular files to create
    std::vector<std::string> folders; // folders to create
    bool found;
};

class PatternFileExistsTest : public testing::TestWithParam<PatternCase> {};

TEST_P(PatternFileExistsTest, JudgesTheFirstMatchOnly) {
    test::TempFolder dir;
    for (const auto& f : GetParam().files) {
        dir.Write(f, "x");
    }
    for (const auto& f : GetParam().folders) {
        std::filesystem::create_directory(dir.osPath() / f);
    }
    EXPECT_EQ(PatternFileExists(dir.path() + "Uy-?.jra"), GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(
    FileQuery, PatternFileExistsTest,
    testing::Values(PatternCase{"none", {"De-58b.jra"}, {}, false},
                    PatternCase{"one", {"Uy-d.jra"}, {}, true},
                    PatternCase{"other_case", {"UY-A.JRA"}, {}, true},
                    PatternCase{"two_characters_do_not_match", {"Uy-ab.jra"}, {}, false},
                    PatternCase{"no_character_does_not_match", {"Uy-.jra"}, {}, false},
                    PatternCase{"folder_only", {}, {"Uy-c.jra"}, false},
                    // Entries come by name: a folder sorting first hides a later file.
                    PatternCase{"folder_first_hides_file", {"Uy-b.jra"}, {"Uy-a.jra"}, false},
                    PatternCase{"file_first_wins", {"Uy-a.jra"}, {"Uy-b.jra"}, true}),
    test::ByName());

TEST(FileExists, WildcardsInAPlainNameMatchNothing) {
    test::TempFolder dir;
    dir.Write("Uy-a.jra", "x");
    EXPECT_FALSE(FileExists(dir.path() + "Uy-?.jra"));
    EXPECT_FALSE(FileExists(dir.path() + "*"));
    EXPECT_EQ(FileSizeByName(dir.path() + "Uy-*"), std::nullopt);
}

TEST(PatternFileExists, MissingFolderMatchesNothing) {
    test::TempFolder dir;
    EXPECT_FALSE(PatternFileExists(dir.path() + test::NativePath("nowhere/Uy-?.jra")));
}

TEST(PatternFileExists, QuestionMarkStandsForOneDoubleByteCharacter) {
    test::TempFolder dir;
    dir.Write(Sjis("Uy-東.jra"), "x");
    EXPECT_TRUE(PatternFileExists(dir.path() + "Uy-?.jra"));
}

TEST(FileSizeByName, GivesTheSizeOfTheEntryFound) {
    test::TempFolder dir;
    dir.Write("KS-5238B.JRA", std::string(801, 'x'));
    EXPECT_EQ(FileSizeByName(dir.path() + "Ks-5238b.jra"), 801u);
    EXPECT_EQ(FileSizeByName(dir.path() + "Ks-1.jra"), std::nullopt);
}

#ifndef _WIN32
// Names differing only in letter case lie side by side only where the file system tells them
// apart.
TEST(FileSizeByName, AFolderFoundUnderTheNameCountsAsEmpty) {
    test::TempFolder dir;
    // A folder under the exact name is found before a file in another letter case.
    std::filesystem::create_directory(dir.osPath() / "Ks-5238b.jra");
    dir.Write("KS-5238B.JRA", std::string(801, 'x'));
    EXPECT_EQ(FileSizeByName(dir.path() + "Ks-5238b.jra"), 0u);
    // Only in another letter case, the folder is found all the same.
    std::filesystem::create_directory(dir.osPath() / "KS-1.JRA");
    EXPECT_EQ(FileSizeByName(dir.path() + "Ks-1.jra"), 0u);
}
#endif

TEST(ExecutableOsPath, IsTheRunningBinary) {
    const std::filesystem::path exe = ExecutableOsPath();
    ASSERT_FALSE(exe.empty());
    EXPECT_TRUE(std::filesystem::is_regular_file(exe));
    EXPECT_TRUE(exe.is_absolute());
}

struct ShownCase {
    const char* name;
    std::u8string path;
    std::string shown; // UTF-8, as the code page 932 text reads
};

class ShownPathTest : public testing::TestWithParam<ShownCase> {};

// A path is shown in messages as it is, each character code page 932 cannot hold as "?";
// WAVE DASH has a code page 932 form, but that form reads back as another character.
TEST_P(ShownPathTest, ShowsWhatCodePage932Holds) {
    EXPECT_EQ(ShownPath(std::filesystem::path(GetParam().path)), Sjis(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(FileQuery, ShownPathTest,
                         testing::Values(ShownCase{"Ascii", u8"pat/Uy-a.jra", "pat/Uy-a.jra"},
                                         ShownCase{"Japanese", u8"競馬/ソフト", "競馬/ソフト"},
                                         ShownCase{"OutsideCodePage932", u8"caf\u00e9/x", "caf?/x"},
                                         ShownCase{"WaveDash", u8"a\u301cb", "a?b"},
                                         ShownCase{"YenSign", u8"\u00a5", "?"}),
                         test::ByName());

} // namespace
} // namespace mv

namespace mv {
namespace {

TEST(FileExists, SeesFilesAddedToAFolderItListedBefore) {
    test::TempFolder dir;
    dir.Write("DE-58B.JRA", "x");
#ifndef _WIN32
    // An old folder: its listing is kept while it stays unchanged. (Windows matches names
    // itself and keeps no listing.)
    const auto old = std::filesystem::last_write_time(dir.osPath()) - std::chrono::hours(1);
    std::filesystem::last_write_time(dir.osPath(), old);
#endif
    EXPECT_TRUE(FileExists(dir.path() + "De-58b.jra"));
    EXPECT_FALSE(FileExists(dir.path() + "Zo-58b.jra"));
    dir.Write("ZO-58B.JRA", "x");
    EXPECT_TRUE(FileExists(dir.path() + "Zo-58b.jra"));
    std::filesystem::remove(dir.osPath() / "DE-58B.JRA");
    EXPECT_FALSE(FileExists(dir.path() + "De-58b.jra"));
}

#ifdef _WIN32
// Past MAX_PATH a full path takes the form that has no length limit; names and short paths stay.
TEST(ToOsPath, LongFullPathsTakeTheFormWithoutALengthLimit) {
    const std::string deep = "C:\\" + std::string(300, 'a') + "\\Uy-a.jra";
    EXPECT_EQ(ToOsPath(deep).wstring(), L"\\\\?\\C:\\" + std::wstring(300, L'a') + L"\\Uy-a.jra");
    const std::string share = "\\\\pc\\pat\\" + std::string(300, 'b');
    EXPECT_EQ(ToOsPath(share).wstring(), L"\\\\?\\UNC\\pc\\pat\\" + std::wstring(300, L'b'));
    EXPECT_EQ(ToOsPath("C:\\PAT\\Uy-a.jra").wstring(), L"C:\\PAT\\Uy-a.jra");
    EXPECT_EQ(ToOsPath(std::string(300, 'c')).wstring(), std::wstring(300, L'c')) << "a name";
}

TEST(FileExists, FindsAFileBelowAFolderLongerThanMaxPath) {
    test::TempFolder dir;
    std::string folder = dir.path();
    while (folder.size() < 300) {
        folder += std::string(40, 'd') + "\\";
    }
    std::filesystem::create_directories(ToOsPath(folder));
    std::ofstream(ToOsPath(folder + "De-58b.jra"), std::ios::binary) << "x";
    EXPECT_TRUE(FileExists(folder + "De-58b.jra"));
    EXPECT_TRUE(PatternFileExists(folder + "De-58?.jra"));
    EXPECT_EQ(ReadLines(folder + "De-58b.jra"), Lines{"x"});
}

// A file its writer holds without sharing, and one being deleted while still open, are entries
// of the folder all the same.
TEST(FileExists, AFileHeldOrBeingDeletedIsThereUntilItsEntryGoes) {
    test::TempFolder dir;
    dir.Write("De-58b.jra", "x");
    dir.Write("Zo-58b.jra", "x");
    const std::wstring held = (dir.osPath() / "De-58b.jra").wstring();
    const HANDLE writer = ::CreateFileW(held.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(FileExists(dir.path() + "De-58b.jra"));
    ::CloseHandle(writer);

    const std::wstring going = (dir.osPath() / "Zo-58b.jra").wstring();
    const HANDLE open = ::CreateFileW(going.c_str(), GENERIC_READ | DELETE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(open, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(::DeleteFileW(going.c_str()));
    const bool pending = FileExists(dir.path() + "Zo-58b.jra");
    // The entry stays while a handle is open on systems that keep it until the last close.
    WIN32_FIND_DATAW entry{};
    const HANDLE search = ::FindFirstFileW(going.c_str(), &entry);
    const bool listed = search != INVALID_HANDLE_VALUE;
    if (listed) {
        ::FindClose(search);
    }
    EXPECT_EQ(pending, listed);
    ::CloseHandle(open);
    EXPECT_FALSE(FileExists(dir.path() + "Zo-58b.jra"));
}
#endif

#ifndef _WIN32
// The documents folder as the desktop's user folders name it, "$HOME/…" or absolute; where
// that folder or the file is missing, ~/Documents, and the home folder without that.
TEST(DocumentsFolder, TheUsersFoldersSettingThenDocumentsThenHome) {
    test::TempFolder home;
    const std::string oldHome = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string keptConfig = oldConfig != nullptr ? oldConfig : "";
    ::setenv("HOME", home.osPath().c_str(), 1);
    ::unsetenv("XDG_CONFIG_HOME");
    const auto settings = [&](const std::string& line) {
        std::filesystem::create_directories(home.osPath() / ".config");
        std::ofstream(home.osPath() / ".config" / "user-dirs.dirs")
            << "# written by the desktop\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
            << line << "\n";
    };
    EXPECT_EQ(DocumentsFolder(), home.osPath()) << "nothing named, nothing there";
    std::filesystem::create_directory(home.osPath() / "Documents");
    EXPECT_EQ(DocumentsFolder(), home.osPath() / "Documents");
    std::filesystem::create_directory(home.osPath() / "文書");
    settings("XDG_DOCUMENTS_DIR=\"$HOME/文書\"");
    EXPECT_EQ(DocumentsFolder(), home.osPath() / "文書");
    settings("XDG_DOCUMENTS_DIR=\"" + (home.osPath() / "Documents").string() + "\"");
    EXPECT_EQ(DocumentsFolder(), home.osPath() / "Documents");
    settings("XDG_DOCUMENTS_DIR=\"$HOME/gone\"");
    EXPECT_EQ(DocumentsFolder(), home.osPath() / "Documents") << "a folder that is not there";
    ::setenv("HOME", oldHome.c_str(), 1);
    if (oldConfig != nullptr) {
        ::setenv("XDG_CONFIG_HOME", keptConfig.c_str(), 1);
    }
}
#endif

} // namespace
} // namespace mv
