#pragma once

// The radio-button rule of every window: checking a button that is not checked unchecks the
// other buttons with the same parent, and its click handler then runs at once; checking a
// checked button does nothing; unchecking runs nothing.

namespace mv {

// Buttons are numbered 0..count-1 by the enum Id; `button(id)` gives the model's button (with
// a `checked` flag) and `parentOf(id)` its parent. True when the button became checked: the
// caller then runs its click handler.
template <typename Id, typename Button, typename ParentOf>
bool CheckRadio(Id id, int count, Button button, ParentOf parentOf) {
    if (button(id).checked) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        const Id other = static_cast<Id>(i);
        if (parentOf(other) == parentOf(id)) {
            button(other).checked = false;
        }
    }
    button(id).checked = true;
    return true;
}

} // namespace mv
