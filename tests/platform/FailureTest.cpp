#include "platform/Failure.h"

#include "platform/AppTitle.h"
#include "platform/Codec.h"
#include "support/NativePath.h"
#include "support/ParamName.h"

#include <gtest/gtest.h>

namespace mv {
namespace {

TEST(Failure, MessagesPutTheValueInPlace) {
    EXPECT_EQ(Failure::CannotOpen("/pat/De-58b.jra").message(),
              Sjis("ファイル /pat/De-58b.jra は開けません"));
    EXPECT_EQ(Failure::CannotCreate("/bin/MvDESo.dat").message(),
              Sjis("ファイル /bin/MvDESo.dat を作成できません"));
    EXPECT_EQ(Failure::IndexOutOfRange(0).message(),
              Sjis("リストのインデックスが範囲を超えています (0)"));
    EXPECT_EQ(Failure::NotInteger("5 ").message(), Sjis("'5 ' は整数ではありません"));
    EXPECT_EQ(Failure::NotInteger("").message(), Sjis("'' は整数ではありません"));
    EXPECT_EQ(Failure::NotFloat("  abc").message(), Sjis("'  abc' は浮動小数点数ではありません"));
    EXPECT_EQ(Failure::CannotWrite("/bin/Q-MvRV98.ini").message(),
              Sjis("/bin/Q-MvRV98.ini に書き込めません"));
}

TEST(Failure, ValueBytesAreKeptEvenWhenTheyLookLikeFormatting) {
    const std::string path = Sjis("/データ/%s/ソ表");
    EXPECT_EQ(Failure::CannotOpen(path).message(), Sjis("ファイル /データ/%s/ソ表 は開けません"));
}

TEST(Failure, WhatGivesTheMessageBytes) {
    const Failure f = Failure::CannotOpen("x");
    EXPECT_EQ(std::string(f.what()), f.message());
    EXPECT_EQ(f.kind(), Failure::Kind::CannotOpen);
}

struct BoxCase {
    const char* name;
    const char* message; // UTF-8
    const char* shown;   // UTF-8
};

class MessageBoxTextTest : public testing::TestWithParam<BoxCase> {};

TEST_P(MessageBoxTextTest, AppendsAFullStopAfterCharactersThatSortAfterIt) {
    EXPECT_EQ(MessageBoxText(Sjis(GetParam().message)), Sjis(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    Failure, MessageBoxTextTest,
    testing::Values(BoxCase{"japanese", "ファイル a は開けません", "ファイル a は開けません."},
                    BoxCase{"closing_parenthesis", "範囲を超えています (0)",
                            "範囲を超えています (0)"},
                    BoxCase{"full_stop", "done.", "done."}, BoxCase{"letter", "abc", "abc."},
                    BoxCase{"digit", "code 5", "code 5."}, BoxCase{"blank", "end ", "end "},
                    BoxCase{"empty", "", ""}, BoxCase{"half_width_katakana", "ﾄﾘｹｼ", "ﾄﾘｹｼ."}),
    test::ByName());

struct TitleCase {
    const char* name;
    const char* path; // UTF-8
    const char* title;
};

class ApplicationTitleTest : public testing::TestWithParam<TitleCase> {};

TEST_P(ApplicationTitleTest, IsTheNameUpToTheFirstDotInLowerCaseAfterItsFirstCharacter) {
    EXPECT_EQ(ApplicationTitle(test::NativePath(Sjis(GetParam().path))), Sjis(GetParam().title));
}

INSTANTIATE_TEST_SUITE_P(
    Failure, ApplicationTitleTest,
    testing::Values(TitleCase{"plain", "/opt/mv/Q-MvRCV98", "Q-mvrcv98"},
                    TitleCase{"cut_at_first_dot", "/opt/mv/Q-MvRCV98.Viewer.bin", "Q-mvrcv98"},
                    TitleCase{"dot_in_folder_ignored", "/opt/v3.62/VIEWER", "Viewer"},
                    TitleCase{"no_folder", "ABC.exe", "Abc"},
                    // The second byte of ソ is 0x5C and of ア 0x41; neither may be touched.
                    TitleCase{"double_byte_kept", "/x/ソアA", "ソアa"},
                    TitleCase{"first_double_byte", "/x/アBC", "アbc"}),
    test::ByName());

} // namespace
} // namespace mv
