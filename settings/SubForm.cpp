#include "settings/SubForm.h"

#include "platform/Codec.h"
#include "platform/RadioRule.h"
#include "settings/SettingsFile.h"
#include "settings/SubFormDesign.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace mv {
namespace {

// One radio button of the dialog, with what its click handler stores in the dialog's settings.
struct RadioDesign {
    const char* name;
    std::string TSettings::*field;
    const char* valueUtf8;
};

// Indexed by SubRadio.
constexpr RadioDesign Radios[SubRadioCount] = {
    {"RadioButton1", &TSettings::PN, "▲"},         {"RadioButton2", &TSettings::PN, "－"},
    {"RadioButton3", &TSettings::PN, "△"},         {"RadioButton4", &TSettings::Tsort, "True"},
    {"RadioButton5", &TSettings::Tsort, "false"},  {"RadioButton6", &TSettings::Wsort, "True"},
    {"RadioButton7", &TSettings::Usort, "True"},   {"RadioButton8", &TSettings::Ksort, "True"},
    {"RadioButton9", &TSettings::Wsort, "false"},  {"RadioButton10", &TSettings::Usort, "false"},
    {"RadioButton11", &TSettings::Ksort, "false"},
};

// The group boxes that hold the radio groups, indexed by SubGroup.
constexpr std::string_view GroupBoxes[] = {"GroupBox2", "GroupBox3", "GroupBox4", "GroupBox5",
                                           "GroupBox6"};

const RadioDesign& Design(SubRadio r) {
    return Radios[static_cast<std::size_t>(r)];
}

const WidgetDesign& Widget(SubRadio r) {
    const WindowDesign& design = SubFormDesign();
    return design.widgets[*FindWidget(design, Design(r).name)];
}

// A stored sort flag and the button that shows it as "True"; any other value leaves the
// group's normal button selected and the flag as stored.
struct SortFlag {
    std::string TSettings::*flag;
    SubRadio sortButton;
};
constexpr SortFlag SortFlags[] = {
    {&TSettings::Tsort, SubRadio::RadioButton4},
    {&TSettings::Wsort, SubRadio::RadioButton6},
    {&TSettings::Usort, SubRadio::RadioButton7},
    {&TSettings::Ksort, SubRadio::RadioButton8},
};

} // namespace

// Each group box is a radio group of its own.
SubGroup GroupOf(SubRadio r) {
    const std::string_view parent = Widget(r).parent;
    const auto it = std::find(std::begin(GroupBoxes), std::end(GroupBoxes), parent);
    return static_cast<SubGroup>(it - std::begin(GroupBoxes));
}

const char* NameOf(SubRadio r) {
    return Design(r).name;
}

SubFormModel::SubFormModel() {
    for (int i = 0; i < SubRadioCount; ++i) {
        const WidgetDesign& d = Widget(static_cast<SubRadio>(i));
        radios[static_cast<std::size_t>(i)] = {Sjis(d.caption), (d.flags & InitiallyChecked) != 0};
    }
}

TSubForm::TSubForm(UiServices& ui, std::string settingsPath)
    : ui_(ui), settingsPath_(std::move(settingsPath)) {}

void TSubForm::FormCreate() {
    settings_ = LoadSettings(settingsPath_);
    model_.Edit1 = settings_.PatDir;
    // Selecting runs the click handler, so a sign other than these two is stored as "△".
    if (settings_.PN == Sjis("▲")) {
        Check(SubRadio::RadioButton1);
    } else if (settings_.PN == Sjis("－")) {
        Check(SubRadio::RadioButton2);
    } else {
        Check(SubRadio::RadioButton3);
    }
    for (const SortFlag& s : SortFlags) {
        if (settings_.*s.flag == "True") {
            Check(s.sortButton);
        }
    }
}

void TSubForm::FormActivate() {
    if (activated_) {
        return;
    }
    activated_ = true;
    if (settings_.US != "0" && IsPatFolder(settings_.PatDir)) {
        return;
    }
    ui_.ShowMessage(Sjis("PATがインストールしてあるフォルダを選択してください！"));
    Button1Click();
}

void TSubForm::Button1Click() {
    const auto chosen = ui_.SelectFolder(model_.Edit1);
    if (chosen) {
        model_.Edit1 = AddTrailingBackslash(*chosen);
    }
}

void TSubForm::Button2Click() {
    Save();
    Close();
}

void TSubForm::Check(SubRadio r) {
    auto button = [&](SubRadio b) -> SubRadioButton& { return model_.radio(b); };
    if (CheckRadio(r, SubRadioCount, button, GroupOf)) {
        Click(r);
    }
}

void TSubForm::Click(SubRadio r) {
    const RadioDesign& d = Design(r);
    settings_.*d.field = Sjis(d.valueUtf8);
}

void TSubForm::Close() {
    FormClose();
    closed_ = true;
}

// The end of the application is only requested: the rest of the handler still runs, so a
// folder that is both unusable and changed gets both messages, and the settings are written
// each time with the same values.
void TSubForm::FormClose() {
    if (!IsPatFolder(model_.Edit1)) {
        ui_.ShowMessage(Sjis("PATのフォルダが正しく設定されていませんので、終了します。"));
        Save();
        ui_.RequestEnd();
    }
    // The main window only takes a new folder at its next start.
    if (AddTrailingBackslash(model_.Edit1) != settings_.PatDir) {
        ui_.ShowMessage(Sjis("PATのフォルダが変更されましたので、再起動してください。"));
        Save();
        ui_.RequestEnd();
    }
    Save();
}

void TSubForm::Save() const {
    SaveSettings(settingsPath_, model_.Edit1, settings_);
}

} // namespace mv
