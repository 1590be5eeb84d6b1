#include "settings/SubForm.h"

#include "platform/Codec.h"
#include "platform/Failure.h"
#include "platform/IniFile.h"
#include "support/NativePath.h"
#include "support/ParamName.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "tools/SampleWriters.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace mv {
namespace {

using Shown = test::ScriptedUi::Shown;
using enum SubRadio;

const std::string Prompt = Sjis("PATがインストールしてあるフォルダを選択してください！");
const std::string NotSetUp = Sjis("PATのフォルダが正しく設定されていませんので、終了します。");
const std::string Restart = Sjis("PATのフォルダが変更されましたので、再起動してください。");

Shown Message(const std::string& text) {
    return {Shown::Kind::Message, text};
}
const Shown End{Shown::Kind::End, {}};

// A temporary folder holding the settings file and the folders the dialog is pointed at.
class SubFormTest : public testing::Test {
protected:
    SubFormTest() : ini_(temp_.File("Q-MvRV98.ini")) {}

    // A betting-software folder: it holds a meeting index file. Returned with its separator.
    std::string PatFolder(const std::string& name) const {
        std::filesystem::create_directories(temp_.osPath() / name);
        const std::string folder = temp_.path() + name + PathSeparator;
        sample::WriteDataFile(folder, sample::MeetingIndexName(1),
                              sample::Line1(sample::MeetingIndexFile{"05", "2", "06", "01"}));
        return folder;
    }
    std::string EmptyFolder(const std::string& name) const {
        std::filesystem::create_directories(temp_.osPath() / name);
        return temp_.path() + name + PathSeparator;
    }
    void Store(const char* section, const char* key, const std::string& value) const {
        WriteProfileString(ini_, section, key, value);
    }
    // The settings of a finished set-up with the given folder.
    void StoreSetUp(const std::string& folder) const {
        Store("Dir", "PatDir", folder);
        Store("Options", "US", "1");
    }
    std::string Stored(const char* section, const char* key) const {
        return ReadProfileString(ini_, section, key, "<absent>");
    }
    TSubForm Created() {
        TSubForm form(ui_, ini_);
        form.FormCreate();
        return form;
    }
    std::vector<SubRadio> Selected(const TSubForm& form) const {
        std::vector<SubRadio> selected;
        for (int i = 0; i < SubRadioCount; ++i) {
            if (form.form().radio(static_cast<SubRadio>(i)).checked) {
                selected.push_back(static_cast<SubRadio>(i));
            }
        }
        return selected;
    }

    test::TempFolder temp_;
    test::ScriptedUi ui_;
    const std::filesystem::path ini_;
};

TEST_F(SubFormTest, FirstStartPromptsForTheFolderStoresItAndAsksForARestart) {
    const std::string pat = PatFolder("PAT");
    TSubForm form = Created();
    EXPECT_EQ(form.form().Edit1, "");
    EXPECT_EQ(Selected(form), (std::vector{RadioButton1, RadioButton5, RadioButton9, RadioButton10,
                                           RadioButton11}));

    ui_.folderAnswers.push_back(pat.substr(0, pat.size() - 1)); // as the chooser gives it
    form.FormActivate();
    EXPECT_EQ(form.form().Edit1, pat);
    form.Button2Click();

    EXPECT_EQ(ui_.shown,
              (std::vector<Shown>{
                  Message(Prompt), {Shown::Kind::FolderChooser, ""}, Message(Restart), End}));
    EXPECT_TRUE(form.closed());
    EXPECT_EQ(Stored("Dir", "PatDir"), pat);
    EXPECT_EQ(Stored("Options", "PN"), Sjis("▲"));
    EXPECT_EQ(Stored("Options", "Ksort"), "false");
    EXPECT_EQ(Stored("Options", "US"), "1");
}

TEST_F(SubFormTest, ValidFolderWithoutSetUpFlagStillPromptsAndIsSetUpOnClosing) {
    const std::string pat = PatFolder("PAT");
    Store("Dir", "PatDir", pat);
    TSubForm form = Created();
    form.FormActivate(); // the chooser is cancelled
    form.FormActivate(); // the dialog gets the focus back
    EXPECT_EQ(form.form().Edit1, pat);
    form.Button2Click();

    EXPECT_EQ(ui_.shown, (std::vector<Shown>{Message(Prompt), {Shown::Kind::FolderChooser, pat}}));
    EXPECT_EQ(Stored("Options", "US"), "1");
}

TEST_F(SubFormTest, StoredValuesSelectTheirButtonsAndOnlyAnUnknownSignIsRewritten) {
    StoreSetUp(PatFolder("PAT"));
    Store("Options", "PN", Sjis("？"));
    Store("Options", "Tsort", "TRUE");
    Store("Options", "Wsort", "True");
    Store("Options", "Usort", "False");
    TSubForm form = Created();
    EXPECT_EQ(Selected(form), (std::vector{RadioButton3, RadioButton5, RadioButton6, RadioButton10,
                                           RadioButton11}));
    form.Check(RadioButton5); // already selected: its handler does not run
    form.Button2Click();

    EXPECT_TRUE(ui_.shown.empty());
    EXPECT_EQ(Stored("Options", "PN"), Sjis("△"));
    EXPECT_EQ(Stored("Options", "Tsort"), "TRUE");
    EXPECT_EQ(Stored("Options", "Wsort"), "True");
    EXPECT_EQ(Stored("Options", "Usort"), "False");
}

TEST_F(SubFormTest, ChangingSignAndOrderIsStoredWithoutPromptMessageOrEnd) {
    StoreSetUp(PatFolder("PAT"));
    Store("Options", "PN", Sjis("－"));
    TSubForm form = Created();
    form.FormActivate(); // a set-up folder: no prompt
    form.Check(RadioButton1);
    form.Check(RadioButton7);
    form.Check(RadioButton4);
    form.Check(RadioButton5);
    EXPECT_EQ(Selected(form),
              (std::vector{RadioButton1, RadioButton5, RadioButton7, RadioButton9, RadioButton11}));
    form.Button2Click();

    EXPECT_TRUE(ui_.shown.empty());
    EXPECT_TRUE(form.closed());
    EXPECT_EQ(Stored("Options", "PN"), Sjis("▲"));
    EXPECT_EQ(Stored("Options", "Tsort"), "false");
    EXPECT_EQ(Stored("Options", "Usort"), "True");
    EXPECT_EQ(Stored("Options", "Wsort"), "false");
}

// Each radio button stores the value of its own name, and only in its own key.
TEST_F(SubFormTest, EveryRadioButtonStoresTheValueOfItsName) {
    struct Stores {
        SubRadio button;
        const char* key;
        std::string value;
    };
    const Stores cases[] = {
        {RadioButton2, "PN", Sjis("－")},  {RadioButton3, "PN", Sjis("△")},
        {RadioButton1, "PN", Sjis("▲")},   {RadioButton4, "Tsort", "True"},
        {RadioButton5, "Tsort", "false"},  {RadioButton6, "Wsort", "True"},
        {RadioButton9, "Wsort", "false"},  {RadioButton7, "Usort", "True"},
        {RadioButton10, "Usort", "false"}, {RadioButton8, "Ksort", "True"},
        {RadioButton11, "Ksort", "false"},
    };
    StoreSetUp(PatFolder("PAT"));
    Created().Button2Click(); // every key written once
    const char* const keys[] = {"PN", "Tsort", "Wsort", "Usort", "Ksort"};
    for (const Stores& c : cases) {
        std::map<std::string, std::string> expected;
        for (const char* key : keys) {
            expected[key] = Stored("Options", key);
        }
        expected[c.key] = c.value;
        TSubForm form = Created();
        form.Check(c.button);
        form.Button2Click();
        for (const char* key : keys) {
            EXPECT_EQ(Stored("Options", key), expected[key]) << NameOf(c.button) << " " << key;
        }
    }
}

// The folder loaded and the one in Edit1 at closing, as names inside the temporary folder:
// "PAT" and "OTHER" hold a meeting index file, "pat" is a link to "PAT", "EMPTY" holds none.
struct CloseCase {
    const char* name;
    const char* loaded;
    const char* edit1;
    std::vector<std::string> messages;
    const char* storedFolder;
};

void PrintTo(const CloseCase& c, std::ostream* os) {
    *os << c.name;
}

class SubFormCloseTest : public SubFormTest, public testing::WithParamInterface<CloseCase> {};

TEST_P(SubFormCloseTest, ClosingChecksTheFolderWritesItAndEndsWhenUnusableOrChanged) {
    PatFolder("PAT");
    PatFolder("OTHER");
    EmptyFolder("EMPTY");
#ifndef _WIN32
    // Names differing in letter case are one folder on Windows already.
    std::filesystem::create_directory_symlink(temp_.osPath() / "PAT", temp_.osPath() / "pat");
#endif
    StoreSetUp(temp_.path() + test::NativePath(GetParam().loaded));
    TSubForm form = Created();
    form.SetEdit1(temp_.path() + test::NativePath(GetParam().edit1));
    form.Button2Click();

    std::vector<Shown> expected;
    for (const std::string& m : GetParam().messages) {
        expected.push_back(Message(m));
        expected.push_back(End);
    }
    EXPECT_EQ(ui_.shown, expected);
    EXPECT_TRUE(form.closed());
    EXPECT_EQ(Stored("Dir", "PatDir"), temp_.path() + test::NativePath(GetParam().storedFolder));
}

INSTANTIATE_TEST_SUITE_P(
    SubForm, SubFormCloseTest,
    testing::Values(CloseCase{"unchanged", "PAT/", "PAT/", {}, "PAT/"},
                    CloseCase{"changed", "PAT/", "OTHER/", {Restart}, "OTHER/"},
                    CloseCase{"same_folder_other_case", "PAT/", "pat/", {Restart}, "pat/"},
                    CloseCase{"typed_without_separator", "PAT/", "PAT", {NotSetUp}, "PAT/"},
                    CloseCase{"unusable_unchanged", "EMPTY/", "EMPTY/", {NotSetUp}, "EMPTY/"},
                    CloseCase{"unusable_changed", "PAT/", "EMPTY/", {NotSetUp, Restart}, "EMPTY/"}),
    test::ByName());

TEST_F(SubFormTest, CloseBoxWritesWhatCloseButtonWrites) {
    StoreSetUp(PatFolder("PAT"));
    Store("Options", "Tsort", "TRUE");
    const std::string before = temp_.Read("Q-MvRV98.ini");
    const std::string empty = EmptyFolder("EMPTY");
    const auto closeWith = [&](void (TSubForm::*close)()) {
        temp_.Write("Q-MvRV98.ini", before);
        TSubForm form = Created();
        form.SetEdit1(empty);
        form.Check(RadioButton2);
        form.Check(RadioButton8);
        (form.*close)();
        EXPECT_TRUE(form.closed());
        return temp_.Read("Q-MvRV98.ini");
    };
    const std::string viaButton = closeWith(&TSubForm::Button2Click);
    const std::string viaCloseBox = closeWith(&TSubForm::Close);

    EXPECT_NE(viaButton, before);
    EXPECT_EQ(viaCloseBox, viaButton);
    const std::vector<Shown> once{Message(NotSetUp), End, Message(Restart), End};
    std::vector<Shown> twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(ui_.shown, twice);
}

TEST_F(SubFormTest, UnwritableSettingsFileKeepsTheDialogOpen) {
    const std::string pat = PatFolder("PAT");
    TSubForm form(ui_, temp_.path() + "missing/Q-MvRV98.ini");
    form.FormCreate();
    form.SetEdit1(pat);
    EXPECT_THROW(form.Button2Click(), Failure);
    EXPECT_FALSE(form.closed());
    EXPECT_TRUE(ui_.shown.empty());

    // Through the close box the failure comes at the first write: no later message, no end.
    form.SetEdit1(EmptyFolder("EMPTY"));
    try {
        form.Close();
        FAIL() << "the close did not fail";
    } catch (const Failure& f) {
        EXPECT_EQ(f.kind(), Failure::Kind::CannotWrite);
    }
    EXPECT_FALSE(form.closed());
    EXPECT_EQ(ui_.shown, (std::vector<Shown>{Message(NotSetUp)}));
}

} // namespace
} // namespace mv
