#include "app/ContextMenu.h"

#include "app/Csv.h"
#include "platform/Codec.h"

namespace mv {

std::vector<ContextMenuItem> ContextMenuOf(const TMainForm& form, const FocusedControl& focused) {
    return {
        {Sjis("自動更新"), true, form.follow().On(), true,
         [](TMainForm& f, const FocusedControl&) { f.AutoUpdateClick(); }},
        // What Ctrl+C copies; greyed where it would copy nothing.
        {Sjis("コピー"), false, false, CopiedText(form.window(), focused).has_value(),
         [](TMainForm& f, const FocusedControl& at) { f.Copy(at); }},
        // Greyed until a race is shown.
        {Sjis("CSVで保存..."), false, false, CsvFileName(form.state()).has_value(),
         [](TMainForm& f, const FocusedControl&) { f.SaveCsv(); }},
    };
}

// Red where more money came on the runner, blue where it went elsewhere, as the market's
// rises and falls are coloured here.
Colour MarkColour(OddsMove move) {
    return move == OddsMove::Fell ? 0xD00000u : move == OddsMove::Rose ? 0x0000D0u : 0u;
}

} // namespace mv
