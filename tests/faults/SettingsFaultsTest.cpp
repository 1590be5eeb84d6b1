// Faults around the settings file: a program folder it cannot be written to while the
// dialog closes, and a hand-edited file with overlong lines, NUL bytes, duplicate sections
// and keys and no final line break.

#include "app/MainForm.h"
#include "faults/FaultSupport.h"
#include "platform/Codec.h"
#include "platform/Dispatch.h"
#include "settings/SettingsFile.h"
#include "settings/SubForm.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "tools/SampleFolder.h"

#include <gtest/gtest.h>

namespace mv {
namespace {

using Shown = test::ScriptedUi::Shown;
namespace fs = std::filesystem;

class SettingsFaults : public testing::Test {
protected:
    test::TempFolder pat;
    test::TempFolder program;
    test::ScriptedUi ui;
    fs::path iniPath = program.File("Q-MvRV98.ini");

    void SetUp() override { sample::WriteSampleFolder(pat.path()); }
};

// A settings file the user made read-only is never replaced: the dialog stays open with the
// write failure and the file keeps every byte.
TEST_F(SettingsFaults, ReadOnlySettingsFileKeepsTheDialogOpenAndTheFileAsItWas) {
    const std::string before = "[Dir]\r\nPatDir=" + pat.path() +
                               "\r\n[Options]\r\nPN=" + Sjis("▲") + "\r\nTsort=false\r\nUS=1\r\n";
    program.Write("Q-MvRV98.ini", before);
    TSubForm dialog(ui, iniPath);
    dialog.FormCreate();
    dialog.Check(SubRadio::RadioButton2); // "－"
    dialog.Check(SubRadio::RadioButton4); // race card sorted
    fs::permissions(iniPath, fs::perms::owner_read | fs::perms::group_read);

    EXPECT_FALSE(Dispatch(ui, [&] { dialog.Button2Click(); }));

    EXPECT_EQ(ui.shown, (std::vector<Shown>{{Shown::Kind::Error, program.path() + "Q-MvRV98.ini" +
                                                                     Sjis(" に書き込めません.")}}));
    EXPECT_FALSE(dialog.closed());
    EXPECT_EQ(program.Read("Q-MvRV98.ini"), before);
    EXPECT_EQ(test::EntryNames(program.osPath()), std::set<std::string>{"Q-MvRV98.ini"});

    // Once the file may be written again, the same close stores what the dialog still holds.
    fs::permissions(iniPath, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(Dispatch(ui, [&] { dialog.Button2Click(); }));
    EXPECT_TRUE(dialog.closed());
    const TSettings stored = LoadSettings(iniPath);
    EXPECT_EQ(stored.PN, Sjis("－"));
    EXPECT_EQ(stored.Tsort, "True");
}

// Where no file can be made in the program folder, the settings file that is there and may be
// written is written in place; without one, nothing can be stored.
TEST_F(SettingsFaults, ReadOnlyProgramFolderHasItsSettingsFileWrittenInPlace) {
    program.Write("Q-MvRV98.ini", "[Dir]\r\nPatDir=" + pat.path() + "\r\n[Options]\r\nUS=1\r\n");
    TSubForm dialog(ui, iniPath);
    dialog.FormCreate();
    dialog.Check(SubRadio::RadioButton3); // "△"
    {
        const test::ReadOnlyFolder readOnly(program.osPath());
        ASSERT_TRUE(readOnly.Effective());

        EXPECT_TRUE(Dispatch(ui, [&] { dialog.Button2Click(); }));

        EXPECT_TRUE(ui.shown.empty());
        EXPECT_TRUE(dialog.closed());
        EXPECT_EQ(LoadSettings(iniPath).PN, Sjis("△"));
        EXPECT_EQ(test::EntryNames(program.osPath()), std::set<std::string>{"Q-MvRV98.ini"});
    }
    fs::remove(iniPath);
    TSubForm second(ui, iniPath);
    second.FormCreate();
    const test::ReadOnlyFolder readOnly(program.osPath());
    ASSERT_TRUE(readOnly.Effective());
    EXPECT_FALSE(Dispatch(ui, [&] { second.Button2Click(); }));
    EXPECT_FALSE(second.closed());
    EXPECT_TRUE(test::EntryNames(program.osPath()).empty());
}

// A settings file edited by hand, each line testing one oddity.
struct OddSettingsFile {
    std::string overlong = "Memo=" + std::string(3000, 'm');          // an unknown key
    std::string longPN = "PN=" + Sjis("－") + std::string(2100, 'x'); // read cut to 2047
    std::string nul = std::string("Note=a\0b", 8);
    std::string bytes;

    explicit OddSettingsFile(const std::string& patDir)
        : bytes("[Dir]\r\nPatDir=" + patDir + "\r\n[Options]\r\n" + overlong + "\r\n" + longPN +
                "\r\n" + nul +
                "\r\nTsort=True\r\nTsort=false\r\n[Dir]\r\nPatDir=elsewhere\r\n"
                "[options]\r\nWsort=True\r\nUS=1") {}
};

TEST_F(SettingsFaults, HandEditedFileIsReadAsItsFirstKeysSay) {
    const OddSettingsFile file(pat.path());
    program.Write("Q-MvRV98.ini", file.bytes);
    TMainForm form(ui, iniPath, program.osPath());
    form.FormCreate();

    const TSettings& s = form.state().settings;
    EXPECT_EQ(s.PatDir, pat.path());                                // the first [Dir]
    EXPECT_EQ(s.PN, Sjis("－") + std::string(2045, 'x'));           // cut at 2047 bytes
    EXPECT_EQ(s.Tsort, "True");                                     // first of two keys
    EXPECT_EQ(s.Wsort, "True");                                     // in the second [Options]
    EXPECT_EQ(s.US, "1");                                           // no final line break
    EXPECT_TRUE(Dispatch(ui, [&] { form.Check(VenueButton(1)); })); // the folder is used
    EXPECT_TRUE(form.window().radio(Radio::RBSortT).checked);
    EXPECT_TRUE(form.window().radio(Radio::RBSort1).checked);
}

TEST_F(SettingsFaults, SavingAHandEditedFileKeepsEveryOtherLineByteForByte) {
    const OddSettingsFile file(pat.path());
    program.Write("Q-MvRV98.ini", file.bytes);
    TSubForm dialog(ui, iniPath);
    dialog.FormCreate();
    dialog.Check(SubRadio::RadioButton3); // "△"

    EXPECT_TRUE(Dispatch(ui, [&] { dialog.Button2Click(); }));

    const std::string after = program.Read("Q-MvRV98.ini");
    for (const std::string& kept :
         {file.overlong, file.nul, std::string("Tsort=True\r\nTsort=false\r\n"),
          std::string("[Dir]\r\nPatDir=elsewhere\r\n[options]\r\nWsort=True\r\nUS=1\r\n")}) {
        EXPECT_NE(after.find(kept), std::string::npos) << kept.substr(0, 20);
    }
    EXPECT_NE(after.find("\r\nPN=" + Sjis("△") + "\r\n"), std::string::npos);
    EXPECT_EQ(after.find(file.longPN), std::string::npos);
    EXPECT_TRUE(dialog.closed());
}

} // namespace
} // namespace mv
