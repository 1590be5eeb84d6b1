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

class SettingsFaults : public testing::Test {
protected:
    test::TempFolder pat;
    test::TempFolder program;
    test::ScriptedUi ui;
    std::string iniPath = program.path() + "Q-MvRV98.ini";

    void SetUp() override { sample::WriteSampleFolder(pat.path()); }
};

TEST_F(SettingsFaults, UnwritableSettingsKeepTheDialogOpenAndTheFileAsItWas) {
    const std::string before = "[Dir]\r\nPatDir=" + pat.path() +
                               "\r\n[Options]\r\nPN=" + Sjis("▲") + "\r\nTsort=false\r\nUS=1\r\n";
    program.Write("Q-MvRV98.ini", before);
    TSubForm dialog(ui, iniPath);
    dialog.FormCreate();
    dialog.Check(SubRadio::RadioButton2); // "－"
    dialog.Check(SubRadio::RadioButton4); // race card sorted
    {
        const test::ReadOnlyFolder readOnly(program.osPath());
        ASSERT_TRUE(readOnly.Effective());

        EXPECT_FALSE(Dispatch(ui, [&] { dialog.Button2Click(); }));

        EXPECT_EQ(ui.shown,
                  (std::vector<Shown>{{Shown::Kind::Error, iniPath + Sjis(" に書き込めません.")}}));
        EXPECT_FALSE(dialog.closed());
        EXPECT_EQ(program.Read("Q-MvRV98.ini"), before);
        EXPECT_EQ(test::EntryNames(program.osPath()), std::set<std::string>{"Q-MvRV98.ini"});
    }
    // Once the folder can be written again, the same close stores what the dialog still holds.
    EXPECT_TRUE(Dispatch(ui, [&] { dialog.Button2Click(); }));
    EXPECT_TRUE(dialog.closed());
    const TSettings stored = LoadSettings(iniPath);
    EXPECT_EQ(stored.PN, Sjis("－"));
    EXPECT_EQ(stored.Tsort, "True");
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
    TMainForm form(ui, iniPath, program.path());
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
