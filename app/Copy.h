#pragma once

// What "コピー" (Ctrl+C) puts on the clipboard: decided by the control that has the focus, on
// the window as it stands.

#include "common/MainWindowModel.h"

#include <optional>
#include <string>

namespace mv {

struct FocusedControl {
    std::string name; // the designed name of the focused widget; empty when none of the window's
    std::optional<std::string> selection; // a memo's selected text (code page 932), if any
};

// The race card as shown, tab-separated: the header row first, then one line per row that
// shows a runner, each cell without its trailing blanks; CR LF after each line.
std::string RaceCardText(const MainWindowModel& w);

// The grid focused: the race card. A memo focused: its selection, or all its lines when
// nothing is selected. Anything else: nothing to copy.
std::optional<std::string> CopiedText(const MainWindowModel& w, const FocusedControl& focused);

} // namespace mv
