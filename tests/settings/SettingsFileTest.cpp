#include "settings/SettingsFile.h"

#include "platform/Codec.h"
#include "platform/Failure.h"
#include "platform/IniFile.h"
#include "support/NativePath.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

namespace mv {
namespace {

using test::TempFolder;

// A settings file and a betting-software folder, both inside one temporary folder.
class SettingsFileTest : public testing::Test {
protected:
    SettingsFileTest() : ini_(temp_.File("Q-MvRV98.ini")) {}

    // A folder holding a meeting index file; returned with its final separator.
    std::string PatFolder(const std::string& name = "PAT") const {
        std::filesystem::create_directories(temp_.osPath() / name);
        temp_.Write(name + PathSeparator + "Uy-a.jra", "index");
        return temp_.path() + name + PathSeparator;
    }
    std::string EmptyFolder(const std::string& name) const {
        std::filesystem::create_directories(temp_.osPath() / name);
        return temp_.path() + name + PathSeparator;
    }
    static TSettings Choices() {
        return {"/ignored/", Sjis("－"), "True", "false", "True", "false", "1"};
    }
    std::string Stored(const char* section, const char* key) const {
        return ReadProfileString(ini_, section, key, "<absent>");
    }

    TempFolder temp_;
    const std::filesystem::path ini_;
};

TEST_F(SettingsFileTest, MissingFileGivesTheDefaults) {
    const TSettings s = LoadSettings(ini_);
    EXPECT_EQ(s.PatDir, "");
    EXPECT_EQ(s.PN, Sjis("▲"));
    EXPECT_EQ(s.Tsort, "false");
    EXPECT_EQ(s.Wsort, "false");
    EXPECT_EQ(s.Usort, "false");
    EXPECT_EQ(s.Ksort, "false");
    EXPECT_EQ(s.US, "0");
}

TEST_F(SettingsFileTest, StoredValuesLoadAsTheyAreWithoutNormalising) {
    temp_.Write("Q-MvRV98.ini", Sjis("[dir]\r\nPATDIR =  \"/pat/ソ\"  \r\n\r\n[OPTIONS]\r\n"
                                     "pn=？\r\ntsort=TRUE\r\nWsort=False\r\nUsort=true\r\n"
                                     "Ksort='True'\r\nUS=2\r\n"));
    const TSettings s = LoadSettings(ini_);
    EXPECT_EQ(s.PatDir, Sjis("/pat/ソ"));
    EXPECT_EQ(s.PN, Sjis("？"));
    EXPECT_EQ(s.Tsort, "TRUE");
    EXPECT_EQ(s.Wsort, "False");
    EXPECT_EQ(s.Usort, "true");
    EXPECT_EQ(s.Ksort, "True");
    EXPECT_EQ(s.US, "2");
}

TEST_F(SettingsFileTest, FirstSaveWithAValidFolderWritesEveryKeyInOrder) {
    const std::string pat = PatFolder();
    SaveSettings(ini_, pat, Choices());
    EXPECT_EQ(temp_.Read("Q-MvRV98.ini"),
              "[Dir]\r\nPatDir=" + pat + "\r\n\r\n[Options]\r\nPN=" + Sjis("－") +
                  "\r\nTsort=True\r\nWsort=false\r\nUsort=True\r\nKsort=false\r\nUS=1\r\n");
}

TEST_F(SettingsFileTest, SavedSettingsLoadBack) {
    const std::string pat = PatFolder();
    SaveSettings(ini_, pat, Choices());
    const TSettings s = LoadSettings(ini_);
    EXPECT_EQ(s.PatDir, pat);
    EXPECT_EQ(s.PN, Sjis("－"));
    EXPECT_EQ(s.Tsort, "True");
    EXPECT_EQ(s.Wsort, "false");
    EXPECT_EQ(s.Usort, "True");
    EXPECT_EQ(s.Ksort, "false");
    EXPECT_EQ(s.US, "1");
}

TEST_F(SettingsFileTest, FolderWithoutFinalSeparatorIsStoredWithItAndJudgedSo) {
    const std::string pat = PatFolder();
    SaveSettings(ini_, pat.substr(0, pat.size() - 1), Choices());
    EXPECT_EQ(Stored("Dir", "PatDir"), pat);
    EXPECT_EQ(Stored("Options", "US"), "1");
}

TEST_F(SettingsFileTest, InvalidFolderLeavesAnAbsentSetUpFlagAbsent) {
    const std::string empty = EmptyFolder("empty");
    SaveSettings(ini_, empty, Choices());
    EXPECT_EQ(Stored("Dir", "PatDir"), empty);
    EXPECT_EQ(Stored("Options", "Ksort"), "false");
    EXPECT_EQ(Stored("Options", "US"), "<absent>");
    EXPECT_EQ(LoadSettings(ini_).US, "0");
}

TEST_F(SettingsFileTest, StoredSetUpFlagStaysWhenTheFolderLosesItsFiles) {
    SaveSettings(ini_, PatFolder(), Choices());
    std::filesystem::remove(temp_.osPath() / "PAT" / "Uy-a.jra");
    SaveSettings(ini_, temp_.path() + "PAT" + PathSeparator, Choices());
    EXPECT_EQ(Stored("Options", "US"), "1");
}

// A folder pasted with a blank before it is stored as it was typed and used without the blank,
// as the system's profile functions store and read it.
TEST_F(SettingsFileTest, FolderPastedWithALeadingBlankReadsBackWithoutIt) {
    const std::string pat = PatFolder();
    SaveSettings(ini_, " " + pat, Choices());
    EXPECT_NE(temp_.Read("Q-MvRV98.ini").find("PatDir= " + pat + "\r\n"), std::string::npos);
    EXPECT_EQ(LoadSettings(ini_).PatDir, pat);
}

TEST_F(SettingsFileTest, FolderAndSetUpFlagOfTheSettingsAreNotUsed) {
    TSettings settings = Choices();
    settings.PatDir = PatFolder();
    settings.US = "1";
    SaveSettings(ini_, "", settings);
    EXPECT_EQ(Stored("Dir", "PatDir"), std::string(1, PathSeparator));
    EXPECT_EQ(Stored("Options", "US"), "<absent>");
}

TEST_F(SettingsFileTest, SavingAgainChangesKeysInPlaceAndKeepsForeignLines) {
    temp_.Write("Q-MvRV98.ini", "; mine\r\n[options]\r\npn=x\r\nOther=1\r\n");
    TSettings settings = Choices();
    SaveSettings(ini_, EmptyFolder("a"), settings);
    settings.Tsort = "false";
    SaveSettings(ini_, EmptyFolder("b"), settings);
    EXPECT_EQ(temp_.Read("Q-MvRV98.ini"),
              "; mine\r\n[options]\r\npn=" + Sjis("－") +
                  "\r\nOther=1\r\nTsort=false\r\nWsort=false\r\nUsort=True\r\nKsort=false\r\n"
                  "\r\n[Dir]\r\nPatDir=" +
                  temp_.path() + "b" + PathSeparator + "\r\n");
}

// Follow mode's key belongs to the main window: saving the dialog's settings keeps it.
TEST_F(SettingsFileTest, SavingTheSettingsKeepsTheFollowModeKey) {
    temp_.Write("Q-MvRV98.ini", "[Options]\r\nAutoUpdate=1\r\nPN=x\r\n");
    SaveSettings(ini_, PatFolder(), Choices());
    EXPECT_TRUE(LoadAutoUpdate(ini_));
    EXPECT_TRUE(temp_.Read("Q-MvRV98.ini")
                    .starts_with("[Options]\r\nAutoUpdate=1\r\nPN=" + Sjis("－") + "\r\n"));
}

TEST_F(SettingsFileTest, FollowModeIsOnOnlyForOne) {
    const std::pair<const char*, bool> cases[] = {{"", false},
                                                  {"AutoUpdate=1\r\n", true},
                                                  {"AutoUpdate=0\r\n", false},
                                                  {"AutoUpdate=True\r\n", false},
                                                  {"AutoUpdate= 1 \r\n", true},
                                                  {"autoupdate=1\r\n", true}};
    for (const auto& [line, on] : cases) {
        temp_.Write("Q-MvRV98.ini", std::string("[Options]\r\n") + line);
        EXPECT_EQ(LoadAutoUpdate(ini_), on) << line;
    }
    std::filesystem::remove(ini_);
    EXPECT_FALSE(LoadAutoUpdate(ini_)) << "no file";
    SaveAutoUpdate(ini_, true);
    EXPECT_EQ(temp_.Read("Q-MvRV98.ini"), "[Options]\r\nAutoUpdate=1\r\n");
}

TEST_F(SettingsFileTest, UnwritableFileFailsWithItsPath) {
    const std::string ini = test::NativePath("missing/Q-MvRV98.ini");
    try {
        SaveSettings(temp_.File(ini), PatFolder(), Choices());
        FAIL() << "no failure";
    } catch (const Failure& f) {
        EXPECT_EQ(f.kind(), Failure::Kind::CannotWrite);
        EXPECT_EQ(f.message(), temp_.path() + ini + Sjis(" に書き込めません"));
    }
}

TEST(SettingsFilePath, NamesTheFileBesideTheExecutable) {
#ifdef _WIN32
    wchar_t name[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameW(nullptr, name, MAX_PATH), 0u);
    const std::filesystem::path exe(name);
#else
    const auto exe = std::filesystem::read_symlink("/proc/self/exe");
#endif
    EXPECT_EQ(SettingsFilePath(), exe.parent_path() / "Q-MvRV98.ini");
}

struct SeparatorCase {
    const char* name;
    const char* text; // UTF-8
    const char* expected;
};

void PrintTo(const SeparatorCase& c, std::ostream* os) {
    *os << c.name;
}

class AddTrailingBackslashTest : public testing::TestWithParam<SeparatorCase> {};

TEST_P(AddTrailingBackslashTest, AppendsASeparatorUnlessTheLastCharacterIsOne) {
    EXPECT_EQ(AddTrailingBackslash(test::NativePath(Sjis(GetParam().text))),
              test::NativePath(Sjis(GetParam().expected)));
}

INSTANTIATE_TEST_SUITE_P(
    SettingsFile, AddTrailingBackslashTest,
    testing::Values(SeparatorCase{"empty", "", "/"}, SeparatorCase{"root", "/", "/"},
                    SeparatorCase{"folder", "/pat", "/pat/"},
                    SeparatorCase{"folder_with_separator", "/pat/", "/pat/"},
                    SeparatorCase{"double_separator_kept", "/pat//", "/pat//"},
                    SeparatorCase{"blank", " ", " /"}, SeparatorCase{"relative", "pat", "pat/"},
                    SeparatorCase{"ends_in_so", "/pat/ソ", "/pat/ソ/"},
                    SeparatorCase{"ends_in_hyo", "/表", "/表/"},
                    SeparatorCase{"kanji_folder_with_separator", "/表/", "/表/"},
                    SeparatorCase{"half_width_katakana", "/ｿ", "/ｿ/"}),
    [](const auto& row) { return std::string(row.param.name); });

#ifdef _WIN32
TEST(SettingsFile, SlashIsNoSeparatorHere) {
    EXPECT_EQ(AddTrailingBackslash("/pat/"), "/pat/\\");
}
#else
TEST(SettingsFile, BackslashIsNoSeparatorHere) {
    EXPECT_EQ(AddTrailingBackslash("C:\\PAT\\"), "C:\\PAT\\/");
}
#endif

TEST_F(SettingsFileTest, PatFolderNeedsAMeetingIndexFile) {
    EXPECT_TRUE(IsPatFolder(PatFolder()));
    EXPECT_FALSE(IsPatFolder(EmptyFolder("empty")));
    EXPECT_FALSE(IsPatFolder(temp_.path() + "missing" + PathSeparator));
}

TEST_F(SettingsFileTest, PatFolderMatchesNamesWithoutRegardToCase) {
    const std::string folder = EmptyFolder("upper");
    temp_.Write("upper/UY-A.JRA", "index");
    EXPECT_TRUE(IsPatFolder(folder));
}

TEST_F(SettingsFileTest, PatFolderWantsOneCharacterForTheWildcard) {
    const std::string folder = EmptyFolder("odd");
    temp_.Write("odd/Uy-ab.jra", "index");
    temp_.Write("odd/Uy-.jra", "index");
    temp_.Write("odd/Uy-a.jra.bak", "index");
    EXPECT_FALSE(IsPatFolder(folder));
}

TEST_F(SettingsFileTest, FolderNamedLikeAnIndexFileDoesNotCount) {
    const std::string folder = EmptyFolder("dirs");
    std::filesystem::create_directory(temp_.osPath() / "dirs" / "Uy-c.jra");
    EXPECT_FALSE(IsPatFolder(folder));
}

TEST_F(SettingsFileTest, OnlyTheFirstMatchIsJudged) {
    const std::string folder = EmptyFolder("both");
    std::filesystem::create_directory(temp_.osPath() / "both" / "Uy-a.jra");
    temp_.Write("both/Uy-b.jra", "index");
    EXPECT_FALSE(IsPatFolder(folder));
}

TEST_F(SettingsFileTest, PatternIsAppendedWithoutASeparator) {
    const std::string pat = PatFolder();
    EXPECT_FALSE(IsPatFolder(pat.substr(0, pat.size() - 1)));
    temp_.Write("PATUy-a.jra", "index");
    EXPECT_TRUE(IsPatFolder(temp_.path() + "PAT"));
}

} // namespace
} // namespace mv
