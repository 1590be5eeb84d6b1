#include "platform/IniFile.h"

#include "platform/Codec.h"
#include "platform/Failure.h"
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
    const std::string path = folder.Write("a.ini", Sjis(c.file));
    EXPECT_EQ(ReadProfileString(path, Sjis(c.section), Sjis(c.key), "DEFAULT"), Sjis(c.expected));
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
    const std::string path = folder.path() + "none.ini";
    EXPECT_EQ(ReadProfileString(path, "Dir", "PatDir", " "), "");
    EXPECT_EQ(ReadProfileString(path, "Options", "PN", Sjis("▲")), Sjis("▲"));
    EXPECT_EQ(ReadProfileString(path, "A", "K", "  x \t "), "  x");
}

TEST(IniFile, FolderInPlaceOfTheFileReadsAsAbsent) {
    TempFolder folder;
    std::filesystem::create_directory(folder.osPath() / "a.ini");
    EXPECT_EQ(ReadProfileString(folder.path() + "a.ini", "A", "K", "d"), "d");
}

TEST(IniFile, ValuesAreCutTo2047BytesWithoutSplittingACharacter) {
    TempFolder folder;
    const std::string longValue(3000, 'x');
    const std::string exact(2047, 'y');
    const std::string splitKanji = std::string(2046, 'z') + Sjis("表");
    const std::string path =
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
    WriteProfileString(folder.path() + "a.ini", Sjis(c.section), Sjis(c.key), Sjis(c.value));
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
        WriteCase{"blank_edged_value_stored_in_quotes", "[A]\r\nK=1\r\n", "A", "K", " x ",
                  "[A]\r\nK=\" x \"\r\n"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(IniFile, OtherLinesKeepEveryByteWhenAKeyChanges) {
    TempFolder folder;
    const std::string other = Sjis("; 設定 ソ表\r\nZ=\"q\"  \r\n  [ Dir ] ; x\r\nX=a") +
                              std::string("\0b\x81", 3) + "\r\n";
    const std::string path = folder.Write("a.ini", other + "PatDir=/old/\r\n\r\n\r\n");
    WriteProfileString(path, "Dir", "PatDir", Sjis("/新/"));
    EXPECT_EQ(folder.Read("a.ini"), other + Sjis("PatDir=/新/") + "\r\n\r\n\r\n");
}

class ValueRoundTripTest : public testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(ValueRoundTripTest, ReadGivesBackWhatWasWritten) {
    TempFolder folder;
    const std::string path = folder.path() + "a.ini";
    const std::string value = Sjis(GetParam().second);
    WriteProfileString(path, "A", "K", value);
    EXPECT_EQ(ReadProfileString(path, "A", "K", "d"), value);
}

INSTANTIATE_TEST_SUITE_P(
    IniFile, ValueRoundTripTest,
    testing::Values(std::pair{"plain", "/pat/"}, std::pair{"empty", ""},
                    std::pair{"leading_blank", " /pat/"}, std::pair{"trailing_tab", "/pat/\t"},
                    std::pair{"enclosing_double_quotes", "\"/pat/\""},
                    std::pair{"enclosing_single_quotes", "'x'"}, std::pair{"lone_quote", "\""},
                    std::pair{"equals_sign", "a=b"}, std::pair{"kanji_ending_in_5c", "/表ソ"}),
    [](const auto& row) { return std::string(row.param.first); });

Failure CatchFailure(const std::string& path, const std::string& section, const std::string& key,
                     const std::string& value) {
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
    const std::string path = folder.path() + Sjis("無い/Q-MvRV98.ini");
    const Failure f = CatchFailure(path, "Dir", "PatDir", "/p/");
    EXPECT_EQ(f.kind(), Failure::Kind::CannotWrite);
    EXPECT_EQ(f.message(), path + Sjis(" に書き込めません"));
}

TEST(IniFile, WriteBelowARegularFileFails) {
    TempFolder folder;
    folder.Write("plain", "x");
    const std::string path = folder.path() + "plain/a.ini";
    EXPECT_EQ(CatchFailure(path, "A", "K", "v").kind(), Failure::Kind::CannotWrite);
    EXPECT_EQ(folder.Read("plain"), "x");
}

TEST(IniFile, FailedWriteLeavesTheOldFileWhole) {
    TempFolder folder;
    // The file itself is fine, but no name is left for the temporary file written beside it.
    const std::string name = std::string(251, 'q') + ".ini";
    const std::string path = folder.Write(name, "[A]\r\nK=old\r\n");
    ASSERT_EQ(ReadProfileString(path, "A", "K", ""), "old");
    EXPECT_EQ(CatchFailure(path, "A", "K", "new").message(), path + Sjis(" に書き込めません"));
    EXPECT_EQ(folder.Read(name), "[A]\r\nK=old\r\n");
}

TEST(IniFile, FolderInPlaceOfTheFileIsNotReplaced) {
    TempFolder folder;
    std::filesystem::create_directory(folder.osPath() / "a.ini");
    EXPECT_EQ(CatchFailure(folder.path() + "a.ini", "A", "K", "v").kind(),
              Failure::Kind::CannotWrite);
    EXPECT_TRUE(std::filesystem::is_directory(folder.osPath() / "a.ini"));
}

TEST(IniFile, LineBreaksAndUnfindableNamesAreRefused) {
    TempFolder folder;
    const std::string path = folder.Write("a.ini", "[A]\r\nK=1\r\n");
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
