#include "app/Copy.h"

#include "app/Csv.h"
#include "app/MainForm.h"
#include "app/MainFormBindings.h"

namespace mv {
namespace {

// Without the blanks and full-width spaces that pad it on the right.
std::string_view WithoutTrailingBlanks(std::string_view cell) {
    const std::string_view core = Trimmed(cell);
    return core.empty()
               ? core
               : cell.substr(0, static_cast<std::size_t>(core.data() - cell.data()) + core.size());
}

} // namespace

std::string RaceCardText(const MainWindowModel& w) {
    std::string text;
    for (std::size_t row = 0; row < w.DEGrid.size(); ++row) {
        const auto& cells = w.DEGrid[row];
        if (row != 0 && !ShowsARunner(cells)) {
            continue;
        }
        for (std::size_t c = 0; c < cells.size(); ++c) {
            text += WithoutTrailingBlanks(cells[c]);
            text += c + 1 < cells.size() ? "\t" : "\r\n";
        }
    }
    return text;
}

std::optional<std::string> CopiedText(const MainWindowModel& w, const FocusedControl& focused) {
    if (focused.name == "DEGrid") {
        return RaceCardText(w);
    }
    const auto lines = LinesOf(focused.name);
    if (!lines) {
        return std::nullopt;
    }
    if (focused.selection && !focused.selection->empty()) {
        return focused.selection;
    }
    std::string text;
    for (const std::string_view line : w.**lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void TMainForm::Copy(const FocusedControl& focused) {
    if (const auto text = CopiedText(state_.window, focused)) {
        ui_.SetClipboardText(*text);
    }
}

} // namespace mv
