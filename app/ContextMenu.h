#pragma once

// The main window's context menu (a right click where no control has a menu of its own,
// Shift+F10, the menu key): its items in order, as both views show them.

#include "app/Copy.h"
#include "app/MainForm.h"
#include "platform/WindowDesign.h"

#include <functional>
#include <string>
#include <vector>

namespace mv {

struct ContextMenuItem {
    std::string caption; // code page 932
    bool checkable = false;
    bool checked = false;
    bool enabled = true;
    // Run as a click runs, with the control that had the focus when the menu opened.
    std::function<void(TMainForm&, const FocusedControl&)> run;
};

// The items, for the menu opened with the focus on the given control.
std::vector<ContextMenuItem> ContextMenuOf(const TMainForm& form, const FocusedControl& focused);

// The text colour of an odds cell marked as moved (0xRRGGBB); a cell without a mark keeps
// the grid's own.
Colour MarkColour(OddsMove move);

} // namespace mv
