#include "settings/SubForm.h"

#include "platform/Codec.h"
#include "platform/RadioRule.h"
#include "settings/SettingsFile.h"
#include "settings/SubFormBindings.h"
#include "settings/SubFormDesign.h"

#include <utility>

namespace mv {
namespace {

// Indexed by SubRadio.
constexpr const char* RadioNames[SubRadioCount] = {
    "RadioButton1", "RadioButton2",  "RadioButton3",  "RadioButton4",
    "RadioButton5", "RadioButton6",  "RadioButton7",  "RadioButton8",
    "RadioButton9", "RadioButton10", "RadioButton11",
};

const WidgetDesign& Widget(SubRadio r) {
    const WindowDesign& design = SubFormDesign();
    return design.widgets[*FindWidget(design, NameOf(r))];
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

std::string_view GroupOf(SubRadio r) {
    return DesignedParent<SubRadio, SubRadioCount>(SubFormDesign, NameOf, r);
}

const char* NameOf(SubRadio r) {
    return RadioNames[static_cast<std::size_t>(r)];
}

SubFormModel::SubFormModel() {
    for (int i = 0; i < SubRadioCount; ++i) {
        const WidgetDesign& d = Widget(static_cast<SubRadio>(i));
        radios[static_cast<std::size_t>(i)] = {Sjis(d.caption), (d.flags & InitiallyChecked) != 0};
    }
}

TSubForm::TSubForm(UiServices& ui, std::filesystem::path settingsPath)
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
        (this->*SubFormClicks().RadioHandler(r))();
    }
}

void TSubForm::RadioButton1Click() {
    settings_.PN = Sjis("▲");
}
void TSubForm::RadioButton2Click() {
    settings_.PN = Sjis("－");
}
void TSubForm::RadioButton3Click() {
    settings_.PN = Sjis("△");
}
void TSubForm::RadioButton4Click() {
    settings_.Tsort = "True";
}
void TSubForm::RadioButton5Click() {
    settings_.Tsort = "false";
}
void TSubForm::RadioButton6Click() {
    settings_.Wsort = "True";
}
void TSubForm::RadioButton9Click() {
    settings_.Wsort = "false";
}
void TSubForm::RadioButton7Click() {
    settings_.Usort = "True";
}
void TSubForm::RadioButton10Click() {
    settings_.Usort = "false";
}
void TSubForm::RadioButton8Click() {
    settings_.Ksort = "True";
}
void TSubForm::RadioButton11Click() {
    settings_.Ksort = "false";
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
