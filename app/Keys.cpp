#include "app/Keys.h"

#include "app/Csv.h"
#include "common/Tables.h"
#include "platform/Codec.h"

namespace mv {
namespace {

// The shown race button next to the checked one, in the given direction.
std::optional<Radio> NextRace(const MainWindowModel& w, int step) {
    int current = 0;
    for (int r = 1; r <= Races; ++r) {
        if (w.radio(RaceButton(r)).checked) {
            current = r;
        }
    }
    if (current == 0) {
        return std::nullopt;
    }
    for (int r = current + step; r >= 1 && r <= Races; r += step) {
        if (w.radio(RaceButton(r)).visible) {
            return RaceButton(r);
        }
    }
    return std::nullopt;
}

KeyHandler Click(std::optional<Radio> radio) {
    if (!radio) {
        return {};
    }
    return [r = *radio](TMainForm& form, const FocusedControl&) { form.Check(r); };
}

} // namespace

const std::vector<KeyStroke>& MainWindowKeys() {
    static const std::vector<KeyStroke> keys = {
        {Key::F1},           {Key::F5},           {Key::PageUp},       {Key::PageDown},
        {Key::Escape},       {Key::Digit1, true}, {Key::Digit2, true}, {Key::Digit3, true},
        {Key::Digit4, true}, {Key::Digit5, true}, {Key::Digit6, true}, {Key::C, true},
        {Key::S, true},
    };
    return keys;
}

std::optional<KeyHandler> KeyAction(const TMainForm& form, KeyStroke stroke) {
    const MainWindowModel& w = form.window();
    if (stroke.ctrl && stroke.key == Key::C) {
        return KeyHandler([](TMainForm& f, const FocusedControl& focused) { f.Copy(focused); });
    }
    if (stroke.ctrl && stroke.key == Key::S) {
        // Nothing to save before a race is shown.
        if (!CsvFileName(form.state())) {
            return KeyHandler{};
        }
        return KeyHandler([](TMainForm& f, const FocusedControl&) { f.SaveCsv(); });
    }
    if (stroke.ctrl) {
        if (stroke.key < Key::Digit1 || stroke.key > Key::Digit6) {
            return std::nullopt;
        }
        const int slot = static_cast<int>(stroke.key) - static_cast<int>(Key::Digit1) + 1;
        const Radio venue = VenueButton(slot);
        return Click(w.radio(venue).visible ? std::optional(venue) : std::nullopt);
    }
    switch (stroke.key) {
    case Key::F1:
        return KeyHandler([](TMainForm& f, const FocusedControl&) { f.ShowKeys(); });
    case Key::F5:
        return KeyHandler([](TMainForm& f, const FocusedControl&) { f.UpDateClick(); });
    case Key::PageUp:
        return Click(NextRace(w, -1));
    case Key::PageDown:
        return Click(NextRace(w, +1));
    case Key::Escape:
        // Never an accidental end of the program.
        return KeyHandler{};
    default:
        return std::nullopt;
    }
}

std::string KeysHelpText() {
    return Sjis("キー操作\n"
                "\n"
                "F5：更新\n"
                "PageDown：次のレース\n"
                "PageUp：前のレース\n"
                "Ctrl+1 … Ctrl+6：上から1番目 … 6番目の場名\n"
                "Ctrl+C：コピー（出馬表、またはオッズ・成績の選択部分）\n"
                "Ctrl+S：CSVで保存（表示中のレース）\n"
                "Tab / Shift+Tab：次の項目 / 前の項目\n"
                "矢印キー：場名・レース・並び順の切り替え、出馬表のセルの移動\n"
                "Space：ボタンを押す\n"
                "Shift+F10、アプリケーションキー：メニュー（自動更新、コピー、CSVで保存）\n"
                "F1：この一覧");
}

void TMainForm::ShowKeys() {
    ui_.ShowMessage(KeysHelpText());
}

} // namespace mv
