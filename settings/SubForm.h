#pragma once

// The settings dialog's logic, TSubForm: the folder of the betting software, the sign of a
// body-weight decrease and the initial order of the four tables. It edits its own copy of the
// settings, loaded when it is created, and is the only writer of the settings file. It works on
// a plain model of its widgets; the view copies the model to the widgets and forwards events.
// Handlers may fail with mv::Failure, which the view's dispatcher shows.

#include "common/Settings.h"
#include "platform/UiServices.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace mv {

// The dialog's radio buttons, named as the widgets.
enum class SubRadio : int {
    RadioButton1,
    RadioButton2,
    RadioButton3,
    RadioButton4,
    RadioButton5,
    RadioButton6,
    RadioButton7,
    RadioButton8,
    RadioButton9,
    RadioButton10,
    RadioButton11,
};
inline constexpr int SubRadioCount = 11;

// Each group box is a radio group of its own: GroupBox2 the sign (1, 2, 3), GroupBox3 the race
// card (4, 5), GroupBox4 bracket quinella (6, 9), GroupBox5 quinella (7, 10), GroupBox6 wide
// (8, 11); the first button of a sort group sorts, the second keeps file order.
std::string_view GroupOf(SubRadio r);
const char* NameOf(SubRadio r); // "RadioButton1" …

struct SubRadioButton {
    std::string caption;
    bool checked = false;
};

// The widgets' state: the folder being edited and the radio buttons.
struct SubFormModel {
    SubFormModel(); // captions and selection as designed, before the creation handler

    std::string Edit1;
    std::array<SubRadioButton, SubRadioCount> radios;

    SubRadioButton& radio(SubRadio r) { return radios[static_cast<std::size_t>(r)]; }
    const SubRadioButton& radio(SubRadio r) const { return radios[static_cast<std::size_t>(r)]; }
};

class TSubForm {
public:
    // settingsPath: the settings file (the viewer passes the one next to its executable).
    TSubForm(UiServices& ui, std::filesystem::path settingsPath);

    // Creation: loads the settings and selects the buttons they name.
    void FormCreate();
    // First showing: asks for the folder unless a valid one is set up. Later calls (the dialog
    // getting the focus back) do nothing.
    void FormActivate();

    // "変更": the folder chooser, starting at the text of Edit1.
    void Button1Click();
    // "閉じる": writes the settings, then closes.
    void Button2Click();
    // A radio button selected by the user or the program: deselects its group's others and
    // runs its click handler, but only when it was not selected before.
    void Check(SubRadio r);

    // The click handlers of the radio buttons: each stores its value in the dialog's settings.
    void RadioButton1Click();  // PN "▲"
    void RadioButton2Click();  // PN "－"
    void RadioButton3Click();  // PN "△"
    void RadioButton4Click();  // Tsort "True"
    void RadioButton5Click();  // Tsort "false"
    void RadioButton6Click();  // Wsort "True"
    void RadioButton9Click();  // Wsort "false"
    void RadioButton7Click();  // Usort "True"
    void RadioButton10Click(); // Usort "false"
    void RadioButton8Click();  // Ksort "True"
    void RadioButton11Click(); // Ksort "false"
    // Any close (also the close box): runs FormClose. The dialog is closed only when FormClose
    // ran to its end; a failure leaves it open and propagates.
    void Close();

    // The text typed into Edit1.
    void SetEdit1(std::string text) { model_.Edit1 = std::move(text); }

    const SubFormModel& form() const { return model_; }
    const TSettings& settings() const { return settings_; }
    bool closed() const { return closed_; }

private:
    void FormClose();
    void Save() const;

    UiServices& ui_;
    std::filesystem::path settingsPath_;
    TSettings settings_; // PatDir stays as loaded: a close compares the edited folder with it
    SubFormModel model_;
    bool activated_ = false;
    bool closed_ = false;
};

} // namespace mv
