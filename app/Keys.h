#pragma once

// The main window's keys, whatever has the focus inside it: which strokes the views take for
// the window, and what each one does on the window as it stands. An action runs as the click
// it stands for runs (a failure shows its box).

#include "app/Copy.h"
#include "app/MainForm.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mv {

enum class Key {
    F1,
    F5,
    PageUp,
    PageDown,
    Escape,
    Digit1,
    Digit2,
    Digit3,
    Digit4,
    Digit5,
    Digit6,
    C,
    S
};

struct KeyStroke {
    Key key;
    bool ctrl = false;
    bool operator==(const KeyStroke&) const = default;
};

// Every stroke the main window takes from its controls.
const std::vector<KeyStroke>& MainWindowKeys();

// What a stroke does now, given the control that has the focus. No value: the stroke is not the
// window's, the focused control keeps it. An empty handler: the window takes the stroke and
// nothing happens (Escape, PageDown at the last race, a venue without its button).
using KeyHandler = std::function<void(TMainForm&, const FocusedControl&)>;
std::optional<KeyHandler> KeyAction(const TMainForm& form, KeyStroke stroke);

// The keys as F1 lists them, code page 932.
std::string KeysHelpText();

} // namespace mv
