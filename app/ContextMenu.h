#pragma once

// The main window's context menu (a right click where no control has a menu of its own,
// Shift+F10, the menu key): its items in order, as both views show them.

#include "app/MainForm.h"
#include "platform/WindowDesign.h"

#include <string>
#include <vector>

namespace mv {

struct ContextMenuItem {
    std::string caption; // code page 932
    bool checkable = false;
    bool checked = false;
    void (TMainForm::*handler)() = nullptr;
};

std::vector<ContextMenuItem> ContextMenuOf(const TMainForm& form);

// The text colour of an odds cell marked as moved (0xRRGGBB); a cell without a mark keeps
// the grid's own.
Colour MarkColour(OddsMove move);

} // namespace mv
