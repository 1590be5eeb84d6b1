// What the folder chooser does with a confirmed field, and folder texts from the interface.

#include "platform/FolderChoice.h"

#include "platform/Codec.h"
#include "platform/Failure.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace mv {
namespace {

using Shown = test::ScriptedUi::Shown;

const std::string Question = Sjis("指定されたディレクトリが存在しません。作成しますか？");

TEST(FolderChoice, ExistingFolderIsTheAnswerWithoutAQuestion) {
    test::TempFolder temp;
    test::ScriptedUi ui;
    const auto answer = ConfirmChosenFolder(ui, temp.osPath(), false);
    ASSERT_TRUE(answer);
    EXPECT_EQ(std::filesystem::path(SjisToUtf8(*answer)), temp.osPath());
    EXPECT_TRUE(ui.shown.empty());
}

TEST(FolderChoice, MissingFolderIsCreatedWithItsParentsOnYes) {
    test::TempFolder temp;
    test::ScriptedUi ui;
    ui.yesNoAnswers = {true};
    const std::filesystem::path folder = temp.osPath() / "new" / "deeper";
    const auto answer = ConfirmChosenFolder(ui, folder, false);
    EXPECT_TRUE(answer);
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(ui.shown, (std::vector<Shown>{{Shown::Kind::Question, Question}}));
}

TEST(FolderChoice, NoReturnsToTheChooserAndCreatesNothing) {
    test::TempFolder temp;
    test::ScriptedUi ui;
    ui.yesNoAnswers = {false};
    const std::filesystem::path folder = temp.osPath() / "new";
    EXPECT_FALSE(ConfirmChosenFolder(ui, folder, false));
    EXPECT_FALSE(std::filesystem::exists(folder));
}

TEST(FolderChoice, EmptyFieldFailsOnceTheUserSaysYes) {
    test::TempFolder temp;
    test::ScriptedUi ui;
    ui.yesNoAnswers = {false, true};
    EXPECT_FALSE(ConfirmChosenFolder(ui, temp.osPath(), true)) << "No: back to the chooser";
    try {
        ConfirmChosenFolder(ui, temp.osPath(), true);
        ADD_FAILURE() << "an empty field names no folder to create";
    } catch (const Failure& f) {
        EXPECT_EQ(f.message(), Sjis("ディレクトリを作成できません"));
    }
}

TEST(FolderChoice, NamesOutsideCodePage932FailInsteadOfBecomingAnotherName) {
    test::TempFolder temp;
    test::ScriptedUi ui;
    // U+2603, a snowman: no code page 932 form. U+301C, WAVE DASH: a code page 932 form that
    // reads back as U+FF5E, so the stored folder would be another one.
    for (const char16_t* name : {u"\u2603", u"wave\u301C"}) {
        std::filesystem::create_directory(temp.osPath() / name);
        EXPECT_THROW(ConfirmChosenFolder(ui, temp.osPath() / name, false), Failure);
    }
    EXPECT_TRUE(ui.shown.empty()) << "nothing is asked about a folder that cannot be stored";
    EXPECT_THROW(TypedFolderText(u"C:\\\u2603"), Failure);
    EXPECT_THROW(TypedFolderText(u"C:\\\u301C"), Failure);
    EXPECT_EQ(TypedFolderText(u"C:\\\u7AF6\u99AC"), Sjis("C:\\競馬"));
}

} // namespace
} // namespace mv
