#include "platform/IniFile.h"

#include "platform/Codec.h"
#include "platform/Failure.h"
#include "platform/FileQuery.h"
#include "support/ParamName.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace mv {
namespace {

using test::TempFolder;

struct ReadCase {
    const char* name;
    const char* file; // UTF-8, converted to code page 932
    const char* section;
    const char* key;
    const char* expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class ReadProfileStringTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadProfileStringTest, FindsTheValueAsTheProfileRulesSay) {
    const ReadCase& c = GetParam();
    TempFolder folder;
    folder.Write("a.ini", Sjis(c.file));
    EXPECT_EQ(ReadProfileString(folder.File("a.ini"), Sjis(c.section), Sjis(c.key), "DEFAULT"),
              Sjis(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    IniFile, ReadProfileStringTest,
    testing::Values(
        ReadCase{"plain", "[Dir]\r\nPatDir=/pat/\r\n", "Dir", "PatDir", "/pat/"},
        ReadCase{"blanks_around_value", "[Dir]\r\nPatDir=  \t/pat/ \t \r\n", "Dir", "PatDir",
                 "/pat/"},
        ReadCase{"double_quotes", "[Dir]\r\nPatDir= \"/pat/\" \r\n", "Dir", "PatDir", "/pat/"},
        ReadCase{"single_quotes", "[Dir]\r\nPatDir='/pat/'\r\n", "Dir", "PatDir", "/pat/"},
        ReadCase{"blanks_inside_quotes_kept", "[Dir]\r\nPatDir=\" /pat/ \"\r\n", "Dir", "PatDir",
                 " /pat/ "},
        ReadCase{"one_pair_of_quotes_only", "[A]\r\nK=\"\"x\"\"\r\n", "A", "K", "\"x\""},
        ReadCase{"mismatched_quotes_kept", "[A]\r\nK=\"x'\r\n", "A", "K", "\"x'"},
        ReadCase{"lone_quote_kept", "[A]\r\nK=\"\r\n", "A", "K", "\""},
        ReadCase{"empty_value_is_not_absent", "[A]\r\nK=\r\n", "A", "K", ""},
        ReadCase{"text_after_first_equals", "[A]\r\nK=a=b\r\n", "A", "K", "a=b"},
        ReadCase{"section_name_in_other_case", "[options]\r\nTsort=True\r\n", "Options", "Tsort",
                 "True"},
        ReadCase{"key_name_in_other_case", "[Dir]\r\npatdir=/p/\r\n", "Dir", "PatDir", "/p/"},
        ReadCase{"value_case_kept", "[Options]\r\nTsort=TRUE\r\n", "Options", "Tsort", "TRUE"},
        ReadCase{"blanks_around_names", "  [ Dir ]  \r\n  PatDir  = /p/\r\n", "Dir", "PatDir",
                 "/p/"},
        ReadCase{"lf_line_ends", "[A]\nX=1\nK=v\n", "A", "K", "v"},
        ReadCase{"cr_line_ends", "[A]\rX=1\rK=v\r", "A", "K", "v"},
        ReadCase{"no_final_line_break", "[A]\r\nK=v", "A", "K", "v"},
        ReadCase{"japanese_value", "[Options]\r\nPN=△\r\n", "Options", "PN", "△"},
        ReadCase{"japanese_section_with_bracket_second_byte", "[ゾ]\r\nK=v\r\n", "ゾ", "K", "v"},
        ReadCase{"second_byte_letters_not_folded", "[A]\r\nア=v\r\n", "A", "ヂ", "DEFAULT"},
        ReadCase{"section_line_without_closing_bracket", "[A\r\nK=v\r\n", "A", "K", "v"},
        ReadCase{"comment_line_is_no_key", "[A]\r\n;K=v\r\n", "A", "K", "DEFAULT"},
        ReadCase{"line_without_equals_is_no_key", "[A]\r\nK\r\n", "A", "K", "DEFAULT"},
        ReadCase{"key_before_any_section_ignored", "K=v\r\n[A]\r\n", "A", "K", "DEFAULT"},
        ReadCase{"key_of_another_section_ignored", "[B]\r\nK=v\r\n[A]\r\nJ=w\r\n", "A", "K",
                 "DEFAULT"},
        ReadCase{"missing_section", "[B]\r\nK=v\r\n", "A", "K", "DEFAULT"},
        ReadCase{"empty_file", "", "A", "K", "DEFAULT"},
        ReadCase{"first_of_duplicate_keys", "[A]\r\nK=1\r\nK=2\r\n", "A", "K", "1"},
        ReadCase{"first_of_duplicate_sections", "[A]\r\nK=1\r\n[A]\r\nK=2\r\n", "A", "K", "1"},
        ReadCase{"key_in_later_duplicate_section", "[A]\r\nJ=1\r\n[B]\r\n[a]\r\nK=2\r\n", "A", "K",
                 "2"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(IniFile, MissingFileGivesTheDefaultWithoutTrailingBlanks) {
    TempFolder folder;
    const auto path = folder.File("none.ini");
    EXPECT_EQ(ReadProfileString(path, "Dir", "PatDir", " "), "");
    EXPECT_EQ(ReadProfileString(path, "Options", "PN", Sjis("▲")), Sjis("▲"));
    EXPECT_EQ(ReadProfileString(path, "A", "K", "  x \t "), "  x");
}

TEST(IniFile, FolderInPlaceOfTheFileReadsAsAbsent) {
    TempFolder folder;
    std::filesystem::create_directory(folder.osPath() / "a.ini");
    EXPECT_EQ(ReadProfileString(folder.File("a.ini"), "A", "K", "d"), "d");
}

TEST(IniFile, ValuesAreCutTo2047BytesWithoutSplittingACharacter) {
    TempFolder folder;
    const std::string longValue(3000, 'x');
    const std::string exact(2047, 'y');
    const std::string splitKanji = std::string(2046, 'z') + Sjis("表");
    const auto path = folder.File("a.ini");
    folder.Write("a.ini", "[A]\r\nLong=" + longValue + "\r\nExact=\"" + exact +
                              "\"\r\nKanji=" + splitKanji + "\r\n");
    EXPECT_EQ(ReadProfileString(path, "A", "Long", ""), std::string(2047, 'x'));
    EXPECT_EQ(ReadProfileString(path, "A", "Exact", ""), exact);
    EXPECT_EQ(ReadProfileString(path, "A", "Kanji", ""), std::string(2046, 'z'));
    EXPECT_EQ(ReadProfileString(path, "A", "Missing", longValue), std::string(2047, 'x'));
}

struct WriteCase {
    const char* name;
    const char* before; // UTF-8; nullptr: no file
    const char* section;
    const char* key;
    const char* value;
    const char* after;
};

void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.name;
}

class WriteProfileStringTest : public testing::TestWithParam<WriteCase> {};

TEST_P(WriteProfileStringTest, ChangesOnlyWhatItMust) {
    const WriteCase& c = GetParam();
    TempFolder folder;
    if (c.before != nullptr) {
        folder.Write("a.ini", Sjis(c.before));
    }
    WriteProfileString(folder.File("a.ini"), Sjis(c.section), Sjis(c.key), Sjis(c.value));
    EXPECT_EQ(folder.Read("a.ini"), Sjis(c.after));
}

INSTANTIATE_TEST_SUITE_P(
    IniFile, WriteProfileStringTest,
    testing::Values(
        WriteCase{"creates_the_file", nullptr, "Dir", "PatDir", "/pat/",
                  "[Dir]\r\nPatDir=/pat/\r\n"},
        WriteCase{"fills_an_empty_file", "", "Dir", "PatDir", "/pat/", "[Dir]\r\nPatDir=/pat/\r\n"},
        WriteCase{"new_section_after_a_blank_line", "[Dir]\r\nPatDir=/p/\r\n", "Options", "PN", "△",
                  "[Dir]\r\nPatDir=/p/\r\n\r\n[Options]\r\nPN=△\r\n"},
        WriteCase{"no_second_blank_line_before_new_section", "[Dir]\r\nPatDir=/p/\r\n\r\n",
                  "Options", "PN", "△", "[Dir]\r\nPatDir=/p/\r\n\r\n[Options]\r\nPN=△\r\n"},
        WriteCase{"new_key_after_last_key_of_its_section",
                  "[Options]\r\nPN=▲\r\n; about Dir\r\n\r\n[Dir]\r\n", "Options", "US", "1",
                  "[Options]\r\nPN=▲\r\nUS=1\r\n; about Dir\r\n\r\n[Dir]\r\n"},
        WriteCase{"new_key_into_section_without_keys", "[Options]\r\n\r\n[Dir]\r\nPatDir=/p/\r\n",
                  "options", "US", "1", "[Options]\r\nUS=1\r\n\r\n[Dir]\r\nPatDir=/p/\r\n"},
        WriteCase{"new_key_into_first_of_duplicate_sections", "[A]\r\nJ=1\r\n[B]\r\n[A]\r\n", "A",
                  "K", "v", "[A]\r\nJ=1\r\nK=v\r\n[B]\r\n[A]\r\n"},
        WriteCase{"key_changed_in_place_keeping_its_spelling",
                  "[options]\r\n  tsort =  false\r\nUsort=false\r\n", "Options", "Tsort", "True",
                  "[options]\r\n  tsort =  True\r\nUsort=false\r\n"},
        WriteCase{"first_of_duplicate_keys_changed", "[A]\r\nK=1\r\nK=2\r\n", "A", "K", "3",
                  "[A]\r\nK=3\r\nK=2\r\n"},
        WriteCase{"key_in_later_duplicate_section_changed", "[A]\r\n[B]\r\n[A]\r\nK=1\r\n", "A",
                  "K", "2", "[A]\r\n[B]\r\n[A]\r\nK=2\r\n"},
        WriteCase{"comment_and_foreign_key_untouched", "[A]\r\n;K=old\r\nK=old\r\n", "A", "K",
                  "new", "[A]\r\n;K=old\r\nK=new\r\n"},
        WriteCase{"key_before_sections_untouched", "K=old\r\n[A]\r\n", "A", "K", "new",
                  "K=old\r\n[A]\r\nK=new\r\n"},
        WriteCase{"line_ends_become_cr_lf", "[A]\nK=1\rJ=2", "A", "K", "3",
                  "[A]\r\nK=3\r\nJ=2\r\n"},
        WriteCase{"blank_edged_value_stored_as_it_is", "[A]\r\nK=1\r\n", "A", "K", " x ",
                  "[A]\r\nK= x \r\n"},
        // Written again, a value with blanks of its own replaces those after "=".
        WriteCase{"blank_edged_value_written_again_unchanged", "[A]\r\nK = x \r\n", "A", "K", " x ",
                  "[A]\r\nK = x \r\n"},
        WriteCase{"quoted_value_stored_as_it_is", "", "A", "K", "\"x\"", "[A]\r\nK=\"x\"\r\n"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(IniFile, OtherLinesKeepEveryByteWhenAKeyChanges) {
    TempFolder folder;
    const std::string other = Sjis("; 設定 ソ表\r\nZ=\"q\"  \r\n  [ Dir ] ; x\r\nX=a") +
                              std::string("\0b\x81", 3) + "\r\n";
    folder.Write("a.ini", other + "PatDir=/old/\r\n\r\n\r\n");
    WriteProfileString(folder.File("a.ini"), "Dir", "PatDir", Sjis("/新/"));
    EXPECT_EQ(folder.Read("a.ini"), other + Sjis("PatDir=/新/") + "\r\n\r\n\r\n");
}

struct RoundTripCase {
    const char* name;
    const char* written;
    const char* read;
};

class ValueRoundTripTest : public testing::TestWithParam<RoundTripCase> {};

// What is written reads back as the system's profile functions read it: blanks at the ends and
// one pair of enclosing quotes are not part of the value.
TEST_P(ValueRoundTripTest, ReadGivesBackWhatTheProfileRulesLeave) {
    TempFolder folder;
    const auto path = folder.File("a.ini");
    WriteProfileString(path, "A", "K", Sjis(GetParam().written));
    EXPECT_EQ(ReadProfileString(path, "A", "K", "d"), Sjis(GetParam().read));
}

INSTANTIATE_TEST_SUITE_P(
    IniFile, ValueRoundTripTest,
    testing::Values(RoundTripCase{"plain", "/pat/", "/pat/"}, RoundTripCase{"empty", "", ""},
                    // A folder pasted with a blank before it is used without it.
                    RoundTripCase{"leading_blank", " /pat/", "/pat/"},
                    RoundTripCase{"trailing_tab", "/pat/\t", "/pat/"},
                    RoundTripCase{"enclosing_double_quotes", "\"/pat/\"", "/pat/"},
                    RoundTripCase{"enclosing_single_quotes", "'x'", "x"},
                    RoundTripCase{"lone_quote", "\"", "\""},
                    RoundTripCase{"equals_sign", "a=b", "a=b"},
                    RoundTripCase{"kanji_ending_in_5c", "/表ソ", "/表ソ"}),
    test::ByName());

Failure CatchFailure(const std::filesystem::path& path, const std::string& section,
                     const std::string& key, const std::string& value) {
    try {
        WriteProfileString(path, section, key, value);
    } catch (const Failure& f) {
        return f;
    }
    ADD_FAILURE() << "no failure";
    return Failure::Other("");
}

TEST(IniFile, WriteIntoMissingFolderFailsWithThePath) {
    TempFolder folder;
    const std::string missing = Sjis("無い") + PathSeparator + "Q-MvRV98.ini";
    const Failure f = CatchFailure(folder.File(missing), "Dir", "PatDir", "/p/");
    EXPECT_EQ(f.kind(), Failure::Kind::CannotWrite);
    EXPECT_EQ(f.message(), folder.path() + missing + Sjis(" に書き込めません"));
}

TEST(IniFile, WriteBelowARegularFileFails) {
    TempFolder folder;
    folder.Write("plain", "x");
    const auto path = folder.osPath() / "plain" / "a.ini";
    EXPECT_EQ(CatchFailure(path, "A", "K", "v").kind(), Failure::Kind::CannotWrite);
    EXPECT_EQ(folder.Read("plain"), "x");
}

TEST(IniFile, FailedWriteLeavesTheOldFileWhole) {
    TempFolder folder;
    // The file itself is fine, but no name is left for the temporary file written beside it.
    const std::string name = std::string(251, 'q') + ".ini";
    const std::string shown = folder.Write(name, "[A]\r\nK=old\r\n");
    const auto path = folder.File(name);
    ASSERT_EQ(ReadProfileString(path, "A", "K", ""), "old");
    EXPECT_EQ(CatchFailure(path, "A", "K", "new").message(), shown + Sjis(" に書き込めません"));
    EXPECT_EQ(folder.Read(name), "[A]\r\nK=old\r\n");
}

TEST(IniFile, FolderInPlaceOfTheFileIsNotReplaced) {
    TempFolder folder;
    std::filesystem::create_directory(folder.osPath() / "a.ini");
    EXPECT_EQ(CatchFailure(folder.File("a.ini"), "A", "K", "v").kind(), Failure::Kind::CannotWrite);
    EXPECT_TRUE(std::filesystem::is_directory(folder.osPath() / "a.ini"));
}

TEST(IniFile, AFileInUtf16IsNotWrittenOver) {
    TempFolder folder;
    // "[A]" CR LF "K=1" as a text editor saves it with its "Unicode" choice.
    using namespace std::string_literals;
    const std::string utf16 = "\xFF\xFE[\0A\0]\0\r\0\n\0K\0=\0"
                              "1\0"s;
    ASSERT_EQ(utf16.size(), 18u);
    folder.Write("a.ini", utf16);
    EXPECT_EQ(CatchFailure(folder.File("a.ini"), "A", "K", "2").message(),
              folder.path() + "a.ini" + Sjis(" に書き込めません"));
    EXPECT_EQ(folder.Read("a.ini"), utf16);
}

TEST(IniFile, AReadOnlyFileIsNotWrittenOver) {
    TempFolder folder;
    folder.Write("a.ini", "[A]\r\nK=1\r\n");
    std::filesystem::permissions(folder.File("a.ini"), std::filesystem::perms::owner_read);
    EXPECT_EQ(CatchFailure(folder.File("a.ini"), "A", "K", "2").kind(), Failure::Kind::CannotWrite);
    std::filesystem::permissions(folder.File("a.ini"), std::filesystem::perms::owner_all);
    EXPECT_EQ(folder.Read("a.ini"), "[A]\r\nK=1\r\n");
    EXPECT_EQ(test::EntryCount(folder.osPath()), 1);
}

#ifndef _WIN32
TEST(IniFile, ASymbolicLinkIsFollowedAndTheFileItNamesReplaced) {
    TempFolder folder;
    std::filesystem::create_directory(folder.osPath() / "real");
    folder.Write("real/a.ini", "[A]\r\nK=1\r\n");
    std::filesystem::create_symlink("real/a.ini", folder.File("a.ini"));
    // A link to a file not yet written: the file is made where the link points.
    std::filesystem::create_symlink("real/b.ini", folder.File("b.ini"));

    WriteProfileString(folder.File("a.ini"), "A", "K", "2");
    WriteProfileString(folder.File("b.ini"), "A", "K", "3");

    EXPECT_TRUE(std::filesystem::is_symlink(folder.File("a.ini")));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.File("b.ini")));
    EXPECT_EQ(folder.Read("real/a.ini"), "[A]\r\nK=2\r\n");
    EXPECT_EQ(folder.Read("real/b.ini"), "[A]\r\nK=3\r\n");
    EXPECT_EQ(test::EntryCount(folder.osPath() / "real"), 2);
}
#endif

TEST(IniFile, LineBreaksAndUnfindableNamesAreRefused) {
    TempFolder folder;
    folder.Write("a.ini", "[A]\r\nK=1\r\n");
    const auto path = folder.File("a.ini");
    EXPECT_EQ(CatchFailure(path, "A", "K", "1\r\n[B]").kind(), Failure::Kind::CannotWrite);
    EXPECT_EQ(CatchFailure(path, "A", "K", "1\n").kind(), Failure::Kind::CannotWrite);
    EXPECT_EQ(CatchFailure(path, "A", "K=1", "2").kind(), Failure::Kind::CannotWrite);
    EXPECT_EQ(CatchFailure(path, "A]", "K", "2").kind(), Failure::Kind::CannotWrite);
    EXPECT_EQ(CatchFailure(path, "A", ";K", "2").kind(), Failure::Kind::CannotWrite);
    EXPECT_EQ(CatchFailure(path, "A", " K", "2").kind(), Failure::Kind::CannotWrite);
    EXPECT_EQ(folder.Read("a.ini"), "[A]\r\nK=1\r\n");
}

} // namespace
} // namespace mv
