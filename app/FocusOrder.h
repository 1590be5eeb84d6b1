#pragma once

// Where the keyboard focus goes in the main window: Tab and Shift+Tab through its groups in
// reading order, the arrow keys within a radio group. The views move the focus where this
// says and check what it says, as a click would.

#include "common/MainWindowModel.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mv {

enum class FocusMove { Next, Previous, GroupNext, GroupPrevious };

struct FocusStep {
    std::string control;        // the designed name of the control to focus
    std::optional<Radio> check; // the radio button to check, as a click checks it
};

// The stops of Tab in order; a radio group (named by its parent) is one stop.
struct TabStop {
    const char* name;
    bool radioGroup = false;
};
const std::vector<TabStop>& TabOrder();

// From the focused control (its designed name; empty or unknown: before the first stop):
// Next and Previous go to the next shown stop, round the window, a radio group's checked button
// or else its first shown one; GroupNext and GroupPrevious go from a radio button to the next
// shown button of its group, round the group, and check it. Nothing where the move is not the
// window's (an arrow key outside a radio group).
std::optional<FocusStep> MoveFocus(const MainWindowModel& w, std::string_view focused,
                                   FocusMove move);

} // namespace mv
